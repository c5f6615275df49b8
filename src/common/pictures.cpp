// Drawing of the tool bar glyphs and the program's picture.
#include "common/pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

namespace orv {
namespace {

void drawLetter(QPainter& p, const QRectF& r, const QString& text, const QColor& color) {
    QFont f(QStringLiteral("Arial"));
    f.setBold(true);
    f.setPixelSize(int(r.height() * 0.8));
    p.setFont(f);
    p.setPen(color);
    p.drawText(r, Qt::AlignCenter, text);
}

void drawPage(QPainter& p, double s) {
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    QPainterPath path;
    path.moveTo(s * 0.2, s * 0.05);
    path.lineTo(s * 0.62, s * 0.05);
    path.lineTo(s * 0.8, s * 0.25);
    path.lineTo(s * 0.8, s * 0.95);
    path.lineTo(s * 0.2, s * 0.95);
    path.closeSubpath();
    p.drawPath(path);
}

void drawMiniGrid(QPainter& p, const QRectF& r, int n) {
    const double c = r.width() / n;
    p.setPen(QPen(QColor(40, 40, 40), 1));
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            const bool black = ((i * 3 + j * 5) % 7) == 0;
            p.setBrush(black ? Qt::black : Qt::white);
            p.drawRect(QRectF(r.left() + i * c, r.top() + j * c, c, c));
        }
}

} // namespace

QPixmap toolPixmap(ToolPicture picture, int side, bool enabled) {
    QPixmap pm(side, side);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = side;
    const QColor blue(20, 60, 160), red(180, 30, 30), green(20, 130, 40);
    switch (picture) {
    case ToolPicture::NewGrid:
        drawPage(p, s);
        drawMiniGrid(p, QRectF(s * 0.3, s * 0.35, s * 0.4, s * 0.4), 3);
        break;
    case ToolPicture::Open:
        p.setPen(QPen(QColor(120, 90, 0), 1));
        p.setBrush(QColor(240, 200, 80));
        p.drawRect(QRectF(s * 0.08, s * 0.3, s * 0.84, s * 0.58));
        p.drawRect(QRectF(s * 0.08, s * 0.2, s * 0.35, s * 0.12));
        break;
    case ToolPicture::Save:
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(blue);
        p.drawRect(QRectF(s * 0.1, s * 0.1, s * 0.8, s * 0.8));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(s * 0.25, s * 0.1, s * 0.5, s * 0.32));
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(QRectF(s * 0.3, s * 0.6, s * 0.4, s * 0.3));
        break;
    case ToolPicture::AddWord:
        drawLetter(p, QRectF(0, 0, s * 0.7, s), QStringLiteral("A"), blue);
        drawLetter(p, QRectF(s * 0.45, 0, s * 0.55, s * 0.6), QStringLiteral("+"), green);
        break;
    case ToolPicture::DeleteWord:
        drawLetter(p, QRectF(0, 0, s * 0.7, s), QStringLiteral("A"), blue);
        drawLetter(p, QRectF(s * 0.45, 0, s * 0.55, s * 0.6), QStringLiteral("−"), red);
        break;
    case ToolPicture::Dictionary:
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(QColor(150, 30, 30));
        p.drawRect(QRectF(s * 0.2, s * 0.08, s * 0.6, s * 0.84));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(s * 0.28, s * 0.2, s * 0.44, s * 0.2));
        break;
    case ToolPicture::Statistics:
        p.setPen(Qt::NoPen);
        p.setBrush(blue);
        p.drawRect(QRectF(s * 0.12, s * 0.55, s * 0.2, s * 0.35));
        p.setBrush(green);
        p.drawRect(QRectF(s * 0.4, s * 0.25, s * 0.2, s * 0.65));
        p.setBrush(red);
        p.drawRect(QRectF(s * 0.68, s * 0.4, s * 0.2, s * 0.5));
        break;
    case ToolPicture::Search:
        p.setPen(QPen(Qt::black, s * 0.1));
        p.setBrush(QColor(200, 230, 255));
        p.drawEllipse(QRectF(s * 0.1, s * 0.1, s * 0.5, s * 0.5));
        p.drawLine(QPointF(s * 0.53, s * 0.53), QPointF(s * 0.88, s * 0.88));
        break;
    case ToolPicture::Dimensions:
        drawMiniGrid(p, QRectF(s * 0.15, s * 0.15, s * 0.7, s * 0.7), 4);
        p.setPen(QPen(red, 1.5));
        p.drawLine(QPointF(s * 0.05, s * 0.95), QPointF(s * 0.95, s * 0.95));
        p.drawLine(QPointF(s * 0.05, s * 0.05), QPointF(s * 0.05, s * 0.95));
        break;
    case ToolPicture::Clues:
        drawPage(p, s);
        p.setPen(QPen(blue, 1.2));
        for (int i = 0; i < 4; ++i)
            p.drawLine(QPointF(s * 0.3, s * (0.35 + 0.13 * i)),
                       QPointF(s * 0.7, s * (0.35 + 0.13 * i)));
        break;
    case ToolPicture::BlackSquares:
        drawMiniGrid(p, QRectF(s * 0.1, s * 0.1, s * 0.8, s * 0.8), 3);
        p.setBrush(Qt::black);
        p.drawRect(QRectF(s * 0.1 + s * 0.8 / 3, s * 0.1 + s * 0.8 / 3, s * 0.8 / 3, s * 0.8 / 3));
        break;
    case ToolPicture::Play: {
        p.setPen(Qt::NoPen);
        p.setBrush(green);
        QPolygonF tri;
        tri << QPointF(s * 0.25, s * 0.15) << QPointF(s * 0.85, s * 0.5)
            << QPointF(s * 0.25, s * 0.85);
        p.drawPolygon(tri);
        break;
    }
    case ToolPicture::ShowLetter:
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(QColor(255, 250, 200));
        p.drawRect(QRectF(s * 0.12, s * 0.12, s * 0.76, s * 0.76));
        drawLetter(p, QRectF(0, 0, s, s), QStringLiteral("?"), red);
        break;
    case ToolPicture::PlaceLetter:
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(s * 0.12, s * 0.12, s * 0.76, s * 0.76));
        drawLetter(p, QRectF(0, 0, s, s), QStringLiteral("A"), blue);
        break;
    case ToolPicture::ArrowLeft:
    case ToolPicture::ArrowRight: {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 128));
        QPolygonF tri;
        if (picture == ToolPicture::ArrowLeft)
            tri << QPointF(s * 0.7, s * 0.2) << QPointF(s * 0.25, s * 0.5)
                << QPointF(s * 0.7, s * 0.8);
        else
            tri << QPointF(s * 0.3, s * 0.2) << QPointF(s * 0.75, s * 0.5)
                << QPointF(s * 0.3, s * 0.8);
        p.drawPolygon(tri);
        break;
    }
    }
    p.end();
    if (!enabled) {
        QImage img = pm.toImage().convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                QColor c = img.pixelColor(x, y);
                const int g = qGray(c.rgb());
                img.setPixelColor(x, y, QColor(g, g, g, c.alpha() / 2));
            }
        return QPixmap::fromImage(img);
    }
    return pm;
}

QIcon toolIcon(ToolPicture picture) {
    QIcon icon;
    icon.addPixmap(toolPixmap(picture, 19, true), QIcon::Normal);
    icon.addPixmap(toolPixmap(picture, 19, false), QIcon::Disabled);
    return icon;
}

QPixmap programPicture(QSize size) {
    QPixmap pm(size);
    pm.fill(Qt::white);
    QPainter p(&pm);
    const int n = 5;
    const double cw = double(size.width()) / n, ch = double(size.height()) / n;
    const char* rows[n] = {"ORV#G", "#R.A.", "GRILLE", "R#E#L", "ILE#E"};
    QFont f(QStringLiteral("Arial"));
    f.setBold(true);
    f.setPixelSize(std::max(6, int(ch * 0.7)));
    p.setFont(f);
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c) {
            const QRectF cell(c * cw, r * ch, cw, ch);
            const char code = rows[r][c];
            if (code == '#') {
                p.fillRect(cell, Qt::black);
            } else {
                p.setPen(QColor(60, 60, 60));
                p.setBrush(Qt::white);
                p.drawRect(cell);
                if (code != '.') {
                    p.setPen(QColor(0, 0, 128));
                    p.drawText(cell, Qt::AlignCenter, QString(QChar(code)));
                }
            }
        }
    return pm;
}

QToolButton* makeToolButton(QWidget* panel, const char* name, const QString& hint,
                            ToolPicture picture, QPoint place) {
    auto* button = new QToolButton(panel);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoRaise(true);
    button->setIcon(toolIcon(picture));
    button->setIconSize(QSize(19, 19));
    button->setGeometry(QRect(place, QSize(25, 25)));
    button->setToolTip(hint);
    button->setStatusTip(hint);
    return button;
}

} // namespace orv
