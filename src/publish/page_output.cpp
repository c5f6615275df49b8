#include "publish/page_output.h"

#include "publish/print_layout.h"

#include <QBuffer>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <cmath>

namespace orv {

QByteArray pdfPages(const QString& title,
                    const std::function<void(QPainter& painter, double scale,
                                             const std::function<void()>& newPage)>& paint) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setResolution(int(kLayoutUnitsPerInch));
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Orv Grille"));
        QPainter painter(&writer);
        paint(painter, writer.logicalDpiX() / kLayoutUnitsPerInch, [&writer] { writer.newPage(); });
    }
    return bytes;
}

QByteArray svgPicture(QSizeF size, const QString& title, const QString& description,
                      const std::function<void(QPainter& painter)>& paint) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    // One unit of the picture is a tenth of a point; its size is given in points.
    svg.setResolution(72);
    svg.setSize(QSize(int(std::ceil(size.width() / 10)), int(std::ceil(size.height() / 10))));
    svg.setViewBox(QRectF(QPointF(0, 0), size));
    svg.setTitle(title);
    svg.setDescription(description);
    QPainter painter(&svg);
    paint(painter);
    painter.end();
    return bytes;
}

QByteArray pngPicture(QSizeF size, int dotsPerInch,
                      const std::function<void(QPainter& painter, double scale)>& paint) {
    const double scale = dotsPerInch / kLayoutUnitsPerInch;
    QImage image(int(std::ceil(size.width() * scale)), int(std::ceil(size.height() * scale)),
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    const int dotsPerMeter = int(std::lround(dotsPerInch / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    {
        QPainter painter(&image);
        paint(painter, scale);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace orv
