// The dictionary's file read and split on another thread while the program
// makes its windows, so that a big dictionary does not delay the start. The
// load takes the result only if the file is still the one that was read (its
// kind, size and time of last change); otherwise it reads the file again.
#pragma once

#include "dictionary/word_list.h"

#include <QByteArray>
#include <QString>
#include <exception>
#include <future>
#include <optional>

namespace orv {

class WordFilePrefetch {
public:
    // What is known of a file without reading it.
    struct Stamp {
        bool exists = false;
        bool regular = false;
        qint64 size = -1;
        qint64 changed = 0; // nanoseconds
        bool operator==(const Stamp&) const = default;
    };
    struct Result {
        QByteArray data;
        WordList words;         // the lines of data
        qsizetype afterNul = 0; // lines left out after a NUL
    };

    WordFilePrefetch() = default;
    WordFilePrefetch(const WordFilePrefetch&) = delete;
    WordFilePrefetch& operator=(const WordFilePrefetch&) = delete;
    // Waits for the reading, if any, to end.
    ~WordFilePrefetch();

    // Starts reading the file `name` (a name relative to the current folder
    // is taken as it stands now).
    void start(const QString& name);
    // The file read ahead, when `name` still names it and it has not changed
    // since; nothing when no reading was started or the file changed (the
    // caller then reads it itself). Rethrows the reading's error (the file
    // could not be opened) when the file is as it was then. Once only.
    std::optional<Result> take(const QString& name);

    static Stamp stampOf(const QString& path);

private:
    struct Outcome {
        Stamp stamp;
        Result result;
        std::exception_ptr error;
    };
    std::future<Outcome> reading_;
    QString path_;
};

} // namespace orv
