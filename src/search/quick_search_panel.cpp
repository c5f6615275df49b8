// The quick search's panel: the model reads the words and scores from the
// result, whose words are copied once, so that a list of every word of the
// dictionary shows at once and stays right whatever the index does next.
#include "search/quick_search_panel.h"

#include "common/errors.h"
#include "dictionary/word_block_model.h"
#include "search/pattern_search.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QRadioButton>
#include <QVBoxLayout>

namespace orv {

void QuickResultModel::setResult(QuickSearchResult result) {
    beginResetModel();
    result_ = std::move(result);
    endResetModel();
}

int QuickResultModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(result_.count());
}

QVariant QuickResultModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const auto row = std::size_t(index.row());
    if (role == Qt::DisplayRole)
        return QString::fromLatin1(result_.word(row));
    if (role == kScoreRole)
        return result_.score(row);
    if (role == Qt::ToolTipRole)
        return QStringLiteral("%1 : score %2")
            .arg(QString::fromLatin1(result_.word(row)))
            .arg(result_.score(row));
    return {};
}

namespace {

// The list: Enter chooses the current word, as a double click does.
class QuickResultView : public QListView {
public:
    using QListView::QListView;
    std::function<void(int)> chosen;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
            currentIndex().isValid() && chosen) {
            chosen(currentIndex().row());
            return;
        }
        QListView::keyPressEvent(event);
    }
};

} // namespace

QuickSearchPanel::QuickSearchPanel(std::function<const WordIndex&()> index, QWidget* parent)
    : QDockWidget(QStringLiteral("Recherche rapide"), parent), index_(std::move(index)),
      model_(this) {
    setObjectName(QStringLiteral("QuickSearchDock"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    auto* content = new QWidget(this);
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(4, 4, 4, 4);

    auto* modes = new QHBoxLayout;
    pattern_ = new QRadioButton(QStringLiteral("Mo&tif"), content);
    pattern_->setObjectName(QStringLiteral("QuickPatternMode"));
    anagram_ = new QRadioButton(QStringLiteral("Anag&ramme"), content);
    anagram_->setObjectName(QStringLiteral("QuickAnagramMode"));
    pattern_->setChecked(true);
    auto* group = new QButtonGroup(content);
    group->addButton(pattern_);
    group->addButton(anagram_);
    modes->addWidget(pattern_);
    modes->addWidget(anagram_);
    modes->addStretch(1);
    layout->addLayout(modes);

    text_ = new QLineEdit(content);
    text_->setObjectName(QStringLiteral("QuickText"));
    text_->setClearButtonEnabled(true);
    layout->addWidget(text_);
    hint_ = new QLabel(content);
    hint_->setObjectName(QStringLiteral("QuickHint"));
    hint_->setWordWrap(true);
    QFont small = hint_->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    hint_->setFont(small);
    layout->addWidget(hint_);
    count_ = new QLabel(content);
    count_->setObjectName(QStringLiteral("QuickCount"));
    count_->setWordWrap(true);
    layout->addWidget(count_);

    auto* view = new QuickResultView(content);
    view->chosen = [this](int row) { Q_EMIT wordChosen(model_.result().word(std::size_t(row))); };
    list_ = view;
    list_->setObjectName(QStringLiteral("QuickList"));
    list_->setUniformItemSizes(true); // every word of the dictionary may be listed
    list_->setItemDelegate(new WordScoreDelegate(list_));
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setModel(&model_);
    layout->addWidget(list_, 1);
    setWidget(content);

    connect(list_, &QListView::doubleClicked, this, [this](const QModelIndex& i) {
        Q_EMIT wordChosen(model_.result().word(std::size_t(i.row())));
    });
    connect(text_, &QLineEdit::textChanged, this, [this] { search(); });
    connect(text_, &QLineEdit::returnPressed, this, [this] {
        if (model_.rowCount() > 0) {
            list_->setFocus();
            list_->setCurrentIndex(model_.index(0));
        }
    });
    connect(pattern_, &QRadioButton::toggled, this, [this] { search(); });
    search();
}

void QuickSearchPanel::showForTyping() {
    show();
    raise();
    text_->setFocus();
    text_->selectAll();
}

void QuickSearchPanel::search() {
    const bool anagram = anagram_->isChecked();
    text_->setPlaceholderText(anagram ? QStringLiteral("lettres : AEINRST")
                                      : QStringLiteral("motif : C?A*"));
    hint_->setText(anagram ? QStringLiteral("Les mots faits de toutes ces lettres ; "
                                            "? : une lettre quelconque (un joker)")
                           : QStringLiteral("? ou . : une lettre ; * : des lettres "
                                            "(ou aucune)"));
    if (text_->text().trimmed().isEmpty()) {
        model_.setResult({});
        count_->clear();
        return;
    }
    try {
        const WordIndex& index = index_();
        model_.setResult(anagram ? searchAnagram(index, readAnagramLetters(text_->text()))
                                 : searchPattern(index, readSearchPattern(text_->text())));
        count_->setText(countText(qsizetype(model_.result().count())));
        if (model_.rowCount() > 0)
            list_->setCurrentIndex(model_.index(0));
    } catch (const OrvError& e) {
        model_.setResult({});
        count_->setText(e.message());
    }
}

} // namespace orv
