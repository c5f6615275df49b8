// The arrow-word maker and fill behind the window's buttons.
#include "arrowword/arrow_make_commands.h"

#include "arrowword/arrow_maker.h"
#include "document/dictionary.h"
#include "fill/fill_progress_window.h"
#include "fill/fill_request.h"
#include "fill/fill_scores.h"

namespace orv {
namespace {

// What both commands share: the vocabulary, the classes of the words with
// the refused ones, the progress window, and the index held while the work
// runs on its thread.
class ArrowWork {
public:
    ArrowWork(const ArrowWords& words, Services& services, QWidget* parent, const QString& title)
        : words_(words), services_(services), progress_(shared_, parent) {
        progress_.setWindowTitle(title);
        vocabulary_ = vocabularyFill(words.vocabulary ? words.vocabulary() : Vocabulary::Common);
    }

    bool hasWords() const { return words_.dictionary && words_.dictionary->index().wordCount(); }
    // The settings that the maker and the fill share: a seed drawn at
    // random, the time allowed, the vocabulary's floor and weight, the stop.
    template <typename Options> void settle(Options& options) {
        options.seed = std::uint64_t(services_.random.Random(1 << 30)) + 1;
        options.timeLimitSeconds = words_.timeLimitSeconds;
        options.minScore = vocabulary_.minScore;
        options.scoreWeight = kScoreWeight;
        options.stop = &shared_.stop;
    }
    const VocabularyFill& vocabulary() const { return vocabulary_; }
    void published(int placed, int total) {
        shared_.placed = placed;
        shared_.total = total;
    }

    // Runs `work` with the index and the classes of its words.
    void run(const std::function<void(const WordIndex&, IndexClasses&)>& work) {
        const WordIndex& index = words_.dictionary->index();
        const auto hold = words_.dictionary->holdIndex();
        IndexClasses classes(index, words_.dictionary->scores());
        if (words_.refused)
            classes.forbid(words_.refused());
        progress_.runWhile([&] { work(index, classes); }, services_.modal);
    }

private:
    const ArrowWords& words_;
    Services& services_;
    FillShared shared_;
    FillProgressWindow progress_;
    VocabularyFill vocabulary_;
};

const QString kNoWords = QStringLiteral("Le dictionnaire ne contient aucun mot.");

QString makeFailure(const MakeResult& result, double seconds) {
    switch (result.status) {
    case MakeStatus::Impossible:
        return QStringLiteral("Impossible de créer la grille : %1").arg(result.reason);
    case MakeStatus::TimedOut:
        return QStringLiteral("Aucune grille trouvée en %1 secondes : la grille n'a pas changé.")
            .arg(seconds);
    case MakeStatus::Stopped:
    case MakeStatus::Made:
        break;
    }
    return QStringLiteral("Création de la grille arrêtée : la grille n'a pas changé.");
}

QString fillFailure(FillStatus status, double seconds) {
    switch (status) {
    case FillStatus::NothingToFill:
        return QStringLiteral("La grille n'a aucun mot à remplir.");
    case FillStatus::NoFill:
        return QStringLiteral("Aucun remplissage de cette grille n'est possible avec les mots du "
                              "dictionnaire.");
    case FillStatus::TimedOut:
        return QStringLiteral("Aucun remplissage trouvé en %1 secondes : la grille est restée "
                              "telle quelle.")
            .arg(seconds);
    case FillStatus::Stopped:
    case FillStatus::Filled:
        break;
    }
    return QStringLiteral("Remplissage arrêté : la grille est restée telle quelle.");
}

} // namespace

std::optional<ArrowGrid> makeArrowGridCommand(int rows, int columns, const ArrowWords& words,
                                              Services& services, QWidget* parent) {
    ArrowWork work(words, services, parent, QStringLiteral("Création de la grille"));
    if (!work.hasWords()) {
        services.messages.information(parent, kNoWords);
        return std::nullopt;
    }
    MakeOptions options;
    work.settle(options);
    options.fill = [preferred = work.vocabulary().preferred](const Grille& g, const WordIndex& i,
                                                             const FillOptions& o) {
        return fillPreferringKnownWords(g, i, o, preferred);
    };
    options.progress = [&work](const MakeProgress& p) { work.published(p.placed, p.total); };
    ArrowMakeResult result;
    work.run([&](const WordIndex& index, IndexClasses& classes) {
        options.classes = &classes;
        result = makeArrowGrid(rows, columns, index, options);
    });
    if (result.made.status == MakeStatus::Made)
        return result.grid;
    services.messages.information(parent, makeFailure(result.made, words.timeLimitSeconds));
    return std::nullopt;
}

std::optional<ArrowGrid> fillArrowGridCommand(const ArrowGrid& layout, const ArrowWords& words,
                                              Services& services, QWidget* parent) {
    const Grille pattern = fillablePattern(layout);
    ArrowWork work(words, services, parent, QStringLiteral("Remplissage de la grille"));
    if (!work.hasWords()) {
        services.messages.information(parent, kNoWords);
        return std::nullopt;
    }
    FillRequest request;
    work.settle(request);
    request.preferredScore = work.vocabulary().preferred;
    request.progress = [&work](const FillProgress& p) { work.published(p.placed, p.total); };
    FillResult result;
    work.run([&](const WordIndex& index, IndexClasses& classes) {
        request.classes = &classes;
        result = fill(pattern, index, request);
    });
    if (result.status == FillStatus::Filled)
        return withLetters(layout, result.grille);
    services.messages.information(parent, fillFailure(result.status, words.timeLimitSeconds));
    return std::nullopt;
}

} // namespace orv
