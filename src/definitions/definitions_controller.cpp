// The commands that open the definitions editor and the grid's clue sheet.
// The clue sheet stays docked beside the grid: each clue it changes comes
// back at once as one step of the grid's history, so that saving, undo and
// the save question see it while the sheet is still open.
#include "definitions/definitions_controller.h"

#include "common/codec.h"
#include "common/errors.h"
#include "common/string_grid.h"
#include "definitions/clue_base_window.h"
#include "definitions/clue_exchange.h"
#include "definitions/clue_lines.h"
#include "definitions/clue_sheet_window.h"
#include "definitions/definitions_sort.h"
#include "definitions/definitions_window.h"
#include "document/document.h"

#include <QTableWidget>

namespace orv {
namespace {

const QString kCluesChanged = QStringLiteral("la modification des définitions de la grille");

} // namespace

DefinitionsController::DefinitionsController(Document& document, Services& services,
                                             QMainWindow* window, MainView& view)
    : Controller(document, services, window, view) {
    addCommand(this, "MotsMenu", "Dfinitiondesmots1", QStringLiteral("Dé&finition des mots"),
               QStringLiteral("Définition des mots"),
               &DefinitionsController::Dfinitiondesmots1Click);
    addCommand(this, "GrilleMenu", "Dfinitions1", QStringLiteral("Dé&finitions de grille"),
               QStringLiteral("Définitions des mots"), &DefinitionsController::Dfinitions1Click);
    addCommand(this, "MotsMenu", "clueBase", QStringLiteral("Base d'&indices"),
               QStringLiteral("Chercher parmi les définitions déjà écrites"),
               &DefinitionsController::clueBaseClick);
}

TDefinitions& DefinitionsController::definitionsWindow() {
    return ownWindow(Definitions, [this] { return new TDefinitions(services_.messages, window_); });
}

TDefgrille& DefinitionsController::clueSheet() {
    return ownWindow(Defgrille, [this] {
        auto* sheet = new TDefgrille(window_);
        sheet->hide();
        window_->addDockWidget(Qt::RightDockWidgetArea, sheet);
        grid_ = window_->findChild<StringGrid*>(QStringLiteral("StringGrid1"));
        if (grid_)
            connect(grid_, &StringGrid::currentChanged, this, [this] { followGrid(); });
        // The main window's document goes before its docks: an edit the
        // closing sheet ends then has nowhere to go.
        connect(&doc_, &QObject::destroyed, this, [this, sheet] {
            sheet->disconnect(this);
            if (grid_)
                grid_->disconnect(this);
            grid_ = nullptr;
        });
        connect(&doc_, &Document::gridChanged, this, [this] { refreshSheet(); });
        connect(&doc_, &Document::labelStyleChanged, this, [this] { refreshSheet(); });
        connect(&doc_, &Document::pendingEditsWanted, sheet, &TDefgrille::finishEditing);
        connect(sheet, &QDockWidget::visibilityChanged, this, [this](bool visible) {
            if (visible)
                refreshSheet();
        });
        connect(sheet, &TDefgrille::clueEdited, this,
                [this](SlotDirection direction, int line, const QString& text) {
                    guard([&] { writeLineClue(direction, line, text); });
                });
        connect(sheet, &TDefgrille::lineChosen, this, &DefinitionsController::moveToLine);
        connect(sheet, &TDefgrille::storedClueChosen, this,
                [this](int index) { guard([&] { placeStoredClue(index); }); });
        return sheet;
    });
}

ClueBaseWindow& DefinitionsController::clueBaseWindow() {
    return ownWindow(clueBase_, [this] { return new ClueBaseWindow(services_, window_); });
}

void DefinitionsController::clueBaseClick() {
    guard([this] {
        ClueBase* base = doc_.clueBase();
        if (!base)
            throw OrvError(QStringLiteral("La base d'indices n'est pas ouverte dans ce dossier"));
        ClueBaseWindow& window = clueBaseWindow();
        window.setBase(*base);
        services_.modal.run(window);
    });
}

void DefinitionsController::Dfinitiondesmots1Click() {
    guard([this] {
        TDefinitions& window = definitionsWindow();
        window.Init(doc_.definitions());
        services_.modal.run(window);
        QList<QByteArray> list = doc_.definitions();
        bool changed = false;
        window.Result(list, changed);
        // Only typing reorders the list: clicks and deletions hand it back as it was.
        if (changed)
            sortDefinitions(list);
        doc_.setDefinitions(std::move(list), changed);
        followGrid(); // the docked sheet offers the definitions too
    });
}

void DefinitionsController::Dfinitions1Click() {
    guard([this] {
        TDefgrille& sheet = clueSheet();
        sheet.show();
        sheet.raise();
        refreshSheet();
        QTableWidget* lines =
            sheet.direction() == SlotDirection::Horizontal ? sheet.StringGrid1 : sheet.StringGrid2;
        lines->setFocus(Qt::OtherFocusReason);
    });
}

// ---------------------------------------------------------------- the docked sheet

void DefinitionsController::refreshSheet() {
    if (!Defgrille || !Defgrille->isVisible())
        return;
    TDefgrille& sheet = *Defgrille;
    const Grille& grille = doc_.grille();
    const int rows = sheetRowCount(grille);
    const int columns = sheetColumnCount(grille);
    if (rows != sheet.StringGrid1->rowCount() || columns != sheet.StringGrid2->rowCount() ||
        sheetStyle_ != doc_.labelStyle()) {
        sheetStyle_ = doc_.labelStyle();
        sheet.Init(rows, columns, sheetStyle_);
    }
    if (!applying_)
        sheet.setClues(cluesForSheet(grille));
    const GridSlots slots(grille);
    sheet.setLineWords(lineWords(grille, slots, SlotDirection::Horizontal),
                       lineWords(grille, slots, SlotDirection::Vertical));
    sheet.setMissingCount(wordsWithoutClue(grille, slots));
    followGrid();
}

DefinitionsController::CursorWord DefinitionsController::cursorWord(const GridSlots& slots) const {
    const QPoint cell = view_.currentCell();
    const SlotDirection first = Defgrille->direction();
    const SlotDirection other =
        first == SlotDirection::Horizontal ? SlotDirection::Vertical : SlotDirection::Horizontal;
    for (const SlotDirection direction : {first, other}) {
        const int slot = slots.slotAt(cell.x(), cell.y(), direction);
        if (slot < 0)
            continue;
        int count = 0;
        for (const Slot& s : slots.slots())
            if (s.direction == direction && s.line == slots[slot].line)
                ++count;
        return {slot, count};
    }
    return {};
}

void DefinitionsController::followGrid() {
    if (!Defgrille || !Defgrille->isVisible())
        return;
    TDefgrille& sheet = *Defgrille;
    const Grille& grille = doc_.grille();
    const QPoint cell = view_.currentCell();
    sheet.followCursor(cell.x(), cell.y());
    const GridSlots slots(grille);
    const CursorWord at = cursorWord(slots);
    if (at.slot < 0) {
        sheet.setStoredClues(QString(), {});
        return;
    }
    const Slot& slot = slots[at.slot];
    const bool across = slot.direction == SlotDirection::Horizontal;
    const QList<QStringList> words = lineWords(grille, slots, slot.direction);
    QStringList shown = words.at(slot.line - 1);
    if (shown.size() > 1)
        shown[slot.ordinal] = QLatin1Char('[') + shown[slot.ordinal] + QLatin1Char(']');
    const QString label =
        across ? rowLabel(slot.line, doc_.labelStyle()) : columnLabel(slot.line, doc_.labelStyle());
    const QString word = QString::fromLatin1(slotPattern(grille, slot));
    // A word not yet complete has no clue of its own to offer.
    sheet.setStoredClues(lineCaption(label, shown),
                         word.contains(QLatin1Char('.'))
                             ? std::vector<StoredClue>{}
                             : storedClues(doc_.clueBase(), doc_.definitions(), word));
}

void DefinitionsController::moveToLine(SlotDirection direction, int line) {
    if (grid_) {
        const Grille& grille = doc_.grille();
        const GridSlots slots(grille);
        QPoint cell = view_.currentCell();
        const bool across = direction == SlotDirection::Horizontal;
        (across ? cell.ry() : cell.rx()) = line;
        // Along the line, the cursor stays where it was when a word passes
        // there, or goes to the line's first word.
        if (slots.slotAt(cell.x(), cell.y(), direction) < 0)
            for (const Slot& s : slots.slots())
                if (s.direction == direction && s.line == line) {
                    cell = QPoint(s.cells[0].col, s.cells[0].row);
                    break;
                }
        if (grille.isPlayingCell(cell.x(), cell.y()))
            grid_->setCurrent(cell.x(), cell.y());
    }
    followGrid();
}

void DefinitionsController::writeLineClue(SlotDirection direction, int line, const QString& text) {
    const Grille& grille = doc_.grille();
    const bool across = direction == SlotDirection::Horizontal;
    if (line < 1 || line > (across ? sheetRowCount(grille) : sheetColumnCount(grille)))
        return;
    Grille after = grille;
    (across ? after.DefHoriz : after.DefVert)[std::size_t(line - 1)] = fromUiLossy(text);
    applying_ = true;
    const bool changed = doc_.applyGridChange(gridDifference(grille, after, kCluesChanged));
    applying_ = false;
    if (changed)
        refreshSheet();
}

void DefinitionsController::placeStoredClue(int index) {
    if (!Defgrille)
        return;
    TDefgrille& sheet = *Defgrille;
    if (index < 0 || index >= int(sheet.storedClues().size()))
        return;
    const QString clue = sheet.storedClues()[std::size_t(index)].clue;
    sheet.finishEditing();
    const Grille& grille = doc_.grille();
    const GridSlots slots(grille);
    const CursorWord at = cursorWord(slots);
    if (at.slot < 0)
        return;
    const Slot& slot = slots[at.slot];
    const bool across = slot.direction == SlotDirection::Horizontal;
    const QString line = toUi((across ? grille.DefHoriz : grille.DefVert)[slot.line - 1]);
    const int lineNumber = slot.line;
    const SlotDirection direction = slot.direction;
    writeLineClue(direction, lineNumber, placeClue(line, slot.ordinal, at.wordCount, clue));
}

} // namespace orv
