// Plain word lists from elsewhere (spelling lists, other programs): UTF-8 or
// Windows-1252, told apart by their bytes, or UTF-16 and UTF-32 (by their
// byte-order mark, or by the zero bytes of a first ASCII character), read with
// the text-file line rules into lines of the program's own single-byte text,
// with accented letters and ligatures optionally folded to plain letters so
// that French lists keep their accented words. The program's import and
// orvdico read every list through the one reader here.
#pragma once

#include "common/text_file.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringDecoder>
#include <memory>

namespace orv {

enum class ListEncoding { Utf8, Windows1252, Utf16, Utf32 };

// UTF-8 when the bytes are valid UTF-8 (plain ASCII included), Windows-1252 otherwise.
ListEncoding detectEncoding(const QByteArray& data);

// Accents dropped and ligatures spelled out: É to E, ç to c, Œ to OE, æ to ae, ß to ss.
QString foldAccents(const QString& word);

// The lines of a word list as Windows-1252 bytes; a character that the code
// page cannot hold becomes '?', which no word admits.
QList<QByteArray> wordListLines(const QByteArray& data, bool fold);

// Reads a word list line by line, a block at a time: a UTF-8 byte-order mark
// is dropped, UTF-16 and UTF-32 are decoded, and each line is taken as UTF-8
// when it is valid UTF-8 and as Windows-1252 otherwise.
class WordListReader {
public:
    // Opens the file (a regular file of at most 512 Mo); throws OrvError
    // "Ne peut ouvrir le fichier <displayName>" or the too-large message.
    WordListReader(const QString& path, const QString& displayName, bool fold);
    // Reads bytes held in memory.
    WordListReader(const QByteArray& data, bool fold);
    ~WordListReader();

    // The next line as Windows-1252 bytes; false at the end of the text.
    bool next(QByteArray& line);
    // The same, as a view valid until the next call (no copy for a line of
    // ASCII within a block).
    bool nextView(QByteArrayView& line);
    // Bytes of the list taken so far, and its size, for progress.
    qint64 position() const;
    qint64 size() const { return size_; }
    // Whether a NUL byte ended the text before its end: the rest of the
    // list, in an encoding that was not recognised, was never read.
    bool stoppedEarly() const;
    ListEncoding encoding() const { return encoding_; }

private:
    void start(QByteArray first);
    QByteArray nextBlock();
    QByteArray convert(const QByteArray& line) const;

    std::unique_ptr<QFile> file_;
    QString displayName_;
    QByteArray data_; // the list itself when read from memory
    qint64 size_ = 0;
    qint64 raw_ = 0; // bytes of the list handed to the line reader so far
    QByteArray pending_;
    QByteArray converted_; // the last line converted, for nextView
    bool fold_ = false;
    ListEncoding encoding_ = ListEncoding::Utf8;
    std::unique_ptr<QStringDecoder> wide_; // UTF-16 or UTF-32 to text
    std::unique_ptr<TextLineReader> lines_;
};

// "Le fichier <name> ne contient aucun mot admissible : son codage n'est pas reconnu".
QString unknownEncodingMessage(const QString& fileName);

} // namespace orv
