// The statistics window.
#include "dictionary/statistics_window.h"

#include "dictionary/dictionary_stats.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace orv {
namespace {

// The designed 466 pixels leave the right column too narrow for its longest
// texts in the faces found on Linux; the frame and the window grow with it.
constexpr int kWidth = 490;
constexpr int kLeftColumn = 20;
constexpr int kRightColumn = 260;

struct LabelPlace {
    int length;
    int number; // the label's name: Label<number>
    int left;
    int top;
};

// Lengths 2 to 10 down the left column, 11 to 19 down the right one; the
// first two labels of the left column carry swapped numbers.
constexpr LabelPlace kPlaces[] = {
    {2, 3, 20, 50},     {3, 2, 20, 75},     {4, 4, 20, 100},    {5, 5, 20, 125},
    {6, 6, 20, 150},    {7, 7, 20, 175},    {8, 8, 20, 200},    {9, 9, 20, 224},
    {10, 10, 20, 248},  {11, 11, 260, 50},  {12, 12, 260, 74},  {13, 13, 260, 98},
    {14, 14, 260, 124}, {15, 15, 260, 149}, {16, 16, 260, 174}, {17, 17, 260, 199},
    {18, 18, 260, 224}, {19, 19, 260, 248},
};

} // namespace

TStats::TStats(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Stats"));
    setWindowTitle(QStringLiteral("Statistiques"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(kWidth, 343);

    QFont font;
    // Where the designed face is missing, a face of like width keeps the
    // longest texts within their column.
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setPixelSize(17);
    auto* bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    bevel->setGeometry(8, 48, kWidth - 17, 233);

    auto makeLabel = [&](int number, int left, int top, const QString& text) {
        auto* label = new QLabel(text, this);
        label->setObjectName(QStringLiteral("Label%1").arg(number));
        label->setFont(font);
        const int right = left < kRightColumn ? kRightColumn : kWidth;
        label->setGeometry(left, top, right - left - 4, 22);
        return label;
    };
    Label1 = makeLabel(1, 20, 11, QStringLiteral("Nombre total de mots"));
    Label1->setFixedWidth(430);
    for (const LabelPlace& place : kPlaces)
        byLength_[size_t(place.length)] =
            makeLabel(place.number, place.left, place.top, QStringLiteral("Nombre de mots"));

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry((kWidth - 75) / 2, 304, 75, 24);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::close);

    // Centred on the screen rather than over the main window.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TStats::Init(const WordList& list) {
    const WordCounts counts = countWords(list);
    Label1->setText(totalText(counts.total));
    for (int n = kShortestCounted; n <= kLongestCounted; ++n)
        lengthLabel(n)->setText(lengthText(n, counts.byLength[size_t(n)]));
}

} // namespace orv
