// Reading the dictionary's file ahead, on another thread.
#include "dictionary/word_prefetch.h"

#include "common/text_file.h"
#include "dictionary/dictionary_file.h"

#include <QFileInfo>
#include <filesystem>

namespace orv {

WordFilePrefetch::~WordFilePrefetch() {
    if (reading_.valid())
        reading_.wait();
}

WordFilePrefetch::Stamp WordFilePrefetch::stampOf(const QString& path) {
    namespace fs = std::filesystem;
    Stamp s;
    std::error_code error;
    const fs::path p(path.toStdU16String());
    const fs::file_status status = fs::status(p, error);
    if (error || !fs::exists(status))
        return s;
    s.exists = true;
    s.regular = fs::is_regular_file(status);
    if (!s.regular)
        return s;
    s.size = qint64(fs::file_size(p, error));
    const auto changed = fs::last_write_time(p, error);
    if (!error)
        s.changed =
            qint64(std::chrono::duration_cast<std::chrono::nanoseconds>(changed.time_since_epoch())
                       .count());
    return s;
}

void WordFilePrefetch::start(const QString& name) {
    if (reading_.valid())
        reading_.wait();
    path_ = QFileInfo(name).absoluteFilePath();
    reading_ = std::async(std::launch::async, [path = path_, name] {
        Outcome o;
        // The stamp comes first: a change during the reading shows at take().
        o.stamp = stampOf(path);
        try {
            o.result.data = readWholeFile(path, name, kMaxListFileBytes);
            DictionaryFileLines lines = splitDictionaryFile(o.result.data);
            o.result.words = std::move(lines.words);
            o.result.afterNul = lines.afterNul;
        } catch (...) {
            o.error = std::current_exception();
        }
        return o;
    });
}

std::optional<WordFilePrefetch::Result> WordFilePrefetch::take(const QString& name) {
    if (!reading_.valid())
        return std::nullopt;
    Outcome o = reading_.get();
    if (QFileInfo(name).absoluteFilePath() != path_ || stampOf(path_) != o.stamp)
        return std::nullopt;
    if (o.error)
        std::rethrow_exception(o.error);
    return std::move(o.result);
}

} // namespace orv
