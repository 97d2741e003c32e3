// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the program's icon into an icon-theme folder (hicolor layout): a scalable
// SVG and PNGs of the usual sizes, all from one description of the shapes, so the
// drawn sizes and the SVG cannot drift apart.
//
//   zemko-tovik-icongen THEME_DIR
#include <array>
#include <cstdio>
#include <vector>

#include <QColor>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QString>

namespace {

constexpr const char* kIconName = "zemko-tovik";
constexpr qreal kCanvas = 256; // the SVG's view box; every shape is given in it
constexpr std::array kPixelSizes = {16, 22, 24, 32, 48, 64, 128, 256};

// The skin's colours: a near-black tile with a dark frame, the mouse in neon cyan.
const QColor kTile{18, 20, 22};
const QColor kTileFrame{58, 58, 58};
const QColor kBody{5, 46, 54};
const QColor kNeon{111, 232, 237};

struct Shape {
    enum class Kind { RoundedRect, Line } kind;
    QRectF rect;      // rounded rectangle
    qreal radius = 0; // of its corners
    QPointF from, to; // line
    QColor fill;      // invalid: not filled
    QColor stroke;    // invalid: no outline
    qreal strokeWidth = 0;
};

std::vector<Shape> IconShapes()
{
    using K = Shape::Kind;
    return {
        {K::RoundedRect, {12, 12, 232, 232}, 52, {}, {}, kTile, kTileFrame, 8},
        // The mouse: body, the line between the buttons, the wheel.
        {K::RoundedRect, {76, 40, 104, 176}, 52, {}, {}, kBody, kNeon, 12},
        {K::Line, {}, 0, {128, 46}, {128, 104}, {}, kNeon, 10},
        {K::Line, {}, 0, {82, 112}, {174, 112}, {}, kNeon, 10},
        {K::RoundedRect, {118, 62, 20, 34}, 10, {}, {}, kNeon, {}, 0},
    };
}

QString SvgColour(const QColor& colour)
{
    return colour.isValid() ? colour.name(QColor::HexRgb) : QStringLiteral("none");
}

QString Svg(const std::vector<Shape>& shapes)
{
    QString svg = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                 "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" "
                                 "viewBox=\"0 0 %1 %1\">\n")
                      .arg(kCanvas);
    for (const Shape& shape : shapes) {
        const QString paint = QStringLiteral("fill=\"%1\" stroke=\"%2\" stroke-width=\"%3\" stroke-linecap=\"round\"")
                                  .arg(SvgColour(shape.fill), SvgColour(shape.stroke))
                                  .arg(shape.strokeWidth);
        if (shape.kind == Shape::Kind::RoundedRect) {
            svg += QStringLiteral("  <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" rx=\"%5\" %6/>\n")
                       .arg(shape.rect.x())
                       .arg(shape.rect.y())
                       .arg(shape.rect.width())
                       .arg(shape.rect.height())
                       .arg(shape.radius)
                       .arg(paint);
        } else {
            svg += QStringLiteral("  <line x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%4\" %5/>\n")
                       .arg(shape.from.x())
                       .arg(shape.from.y())
                       .arg(shape.to.x())
                       .arg(shape.to.y())
                       .arg(paint);
        }
    }
    return svg + QStringLiteral("</svg>\n");
}

QImage Draw(const std::vector<Shape>& shapes, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / kCanvas, size / kCanvas);
    for (const Shape& shape : shapes) {
        QPen pen = shape.stroke.isValid() ? QPen(shape.stroke, shape.strokeWidth) : QPen(Qt::NoPen);
        pen.setCapStyle(Qt::RoundCap);
        painter.setPen(pen);
        painter.setBrush(shape.fill.isValid() ? QBrush(shape.fill) : QBrush(Qt::NoBrush));
        if (shape.kind == Shape::Kind::RoundedRect)
            painter.drawRoundedRect(shape.rect, shape.radius, shape.radius);
        else
            painter.drawLine(shape.from, shape.to);
    }
    return image;
}

bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <icon theme directory>\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QDir theme(QString::fromLocal8Bit(argv[1]));
    const std::vector<Shape> shapes = IconShapes();

    int failures = 0;
    const QString svgFolder = theme.filePath(QStringLiteral("scalable/apps"));
    if (!QDir().mkpath(svgFolder) ||
        !WriteFile(svgFolder + u'/' + QLatin1String(kIconName) + QStringLiteral(".svg"), Svg(shapes).toUtf8()))
        ++failures;
    for (const int size : kPixelSizes) {
        const QString folder = theme.filePath(QStringLiteral("%1x%1/apps").arg(size));
        const QString path = folder + u'/' + QLatin1String(kIconName) + QStringLiteral(".png");
        if (!QDir().mkpath(folder) || !Draw(shapes, size).save(path, "PNG"))
            ++failures;
    }
    if (failures > 0) {
        std::fprintf(stderr, "%d icon files could not be written to %s\n", failures, argv[1]);
        return 1;
    }
    return 0;
}
