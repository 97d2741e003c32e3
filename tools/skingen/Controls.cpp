// SPDX-License-Identifier: GPL-3.0-or-later
#include <QtMath>

#include "Assets.h"
#include "Theme.h"

namespace {

struct StateLook {
    QColor top, bottom, border;
    bool glow = false;
};

StateLook PushLook(int state, ButtonLook look)
{
    // state: 0 normal, 1 over, 2 down, 3 disabled
    const QColor accent = look == ButtonLook::Danger ? theme::kRecordRed : theme::kCyan;
    switch (state) {
    case 1:
        return {theme::kCyanMid, theme::kCyanDeep, accent, true};
    case 2:
        return {theme::kCyanDeep, theme::kComboBack, accent, false};
    case 3:
        return {QColor(24, 24, 24), QColor(18, 18, 18), theme::kFrame, false};
    default:
        return {theme::kPanelLight, theme::kPanel, theme::kFrameLight, false};
    }
}

QImage PushImage(int width, int height, int state, ButtonLook look)
{
    QImage image = Canvas(width, height);
    QPainter painter(&image);
    const StateLook s = PushLook(state, look);
    const qreal radius = look == ButtonLook::Tab ? 6.0 : height / 2.0 - 1.0;
    const QRectF box(1.5, 1.5, width - 3.0, height - 3.0);
    if (s.glow)
        DrawGlow(painter, box, radius, s.border, 2);
    DrawBox(painter, box, radius, s.top, s.bottom, s.border, state == 1 || state == 2 ? 1.5 : 1.0);
    if (look == ButtonLook::Tab && (state == 1 || state == 2)) {
        // The selected tab carries a bright bar along its lower edge.
        painter.setPen(Qt::NoPen);
        painter.setBrush(theme::kCyan);
        painter.drawRoundedRect(QRectF(10, height - 5.0, width - 20.0, 2.5), 1.2, 1.2);
    }
    return image;
}

QPainterPath ButtonShape(int width, int height, ButtonLook look)
{
    const qreal radius = look == ButtonLook::Tab ? 6.0 : height / 2.0 - 1.0;
    return RoundedPath(QRectF(0.5, 0.5, width - 1.0, height - 1.0), radius);
}

void DrawIconGlyph(QPainter& painter, const QRectF& r, IconGlyph glyph, const QColor& colour)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QPointF c = r.center();
    const qreal u = r.width() / 10.0;
    QPen pen(colour, qMax(1.5, u * 0.9), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    switch (glyph) {
    case IconGlyph::Help:
        DrawGlyphText(painter, r, QStringLiteral("?"), int(r.height() * 0.62), colour);
        break;
    case IconGlyph::Close:
        painter.drawLine(c + QPointF(-2.2 * u, -2.2 * u), c + QPointF(2.2 * u, 2.2 * u));
        painter.drawLine(c + QPointF(2.2 * u, -2.2 * u), c + QPointF(-2.2 * u, 2.2 * u));
        break;
    case IconGlyph::Chat: {
        QRectF bubble(c.x() - 3 * u, c.y() - 2.5 * u, 6 * u, 4 * u);
        painter.drawRoundedRect(bubble, u, u);
        QPolygonF tail;
        tail << QPointF(c.x() - 1.5 * u, c.y() + 1.5 * u) << QPointF(c.x() - 2.3 * u, c.y() + 3 * u)
             << QPointF(c.x() - 0.2 * u, c.y() + 1.5 * u);
        painter.drawPolyline(tail);
        break;
    }
    case IconGlyph::Bird: {
        QPainterPath path;
        path.moveTo(c + QPointF(-3 * u, 0));
        path.quadTo(c + QPointF(-1 * u, 2.8 * u), c + QPointF(2.6 * u, -0.5 * u));
        path.lineTo(c + QPointF(3.2 * u, -2.2 * u));
        path.quadTo(c + QPointF(0.5 * u, -2 * u), c + QPointF(-0.5 * u, 0.4 * u));
        painter.drawPath(path);
        break;
    }
    case IconGlyph::Globe:
        painter.drawEllipse(c, 3 * u, 3 * u);
        painter.drawEllipse(c, 1.3 * u, 3 * u);
        painter.drawLine(c + QPointF(-3 * u, 0), c + QPointF(3 * u, 0));
        break;
    case IconGlyph::Plus:
        painter.drawLine(c + QPointF(-2.2 * u, 0), c + QPointF(2.2 * u, 0));
        painter.drawLine(c + QPointF(0, -2.2 * u), c + QPointF(0, 2.2 * u));
        break;
    case IconGlyph::Minus:
        painter.drawLine(c + QPointF(-2.2 * u, 0), c + QPointF(2.2 * u, 0));
        break;
    case IconGlyph::Record:
        painter.setPen(Qt::NoPen);
        painter.setBrush(theme::kRecordRed);
        painter.drawEllipse(c, 2.4 * u, 2.4 * u);
        break;
    case IconGlyph::Stop:
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawRoundedRect(QRectF(c.x() - 2 * u, c.y() - 2 * u, 4 * u, 4 * u), 0.6 * u, 0.6 * u);
        break;
    case IconGlyph::Play: {
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        QPolygonF triangle;
        triangle << c + QPointF(-1.6 * u, -2.5 * u) << c + QPointF(2.6 * u, 0) << c + QPointF(-1.6 * u, 2.5 * u);
        painter.drawPolygon(triangle);
        break;
    }
    case IconGlyph::First:
    case IconGlyph::Last: {
        const qreal dir = glyph == IconGlyph::First ? -1.0 : 1.0;
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        QPolygonF triangle;
        triangle << c + QPointF(-1.8 * u * dir, -2.3 * u) << c + QPointF(1.6 * u * dir, 0)
                 << c + QPointF(-1.8 * u * dir, 2.3 * u);
        painter.drawPolygon(triangle);
        painter.drawRect(QRectF(c.x() + (dir > 0 ? 1.7 * u : -2.5 * u), c.y() - 2.3 * u, 0.8 * u, 4.6 * u));
        break;
    }
    }
    painter.restore();
}

} // namespace

void WriteButtonSet(SkinWriter& out, const QString& base, int width, int height, ButtonLook look)
{
    static const char* suffixes[] = {"_n.png", "_o.png", "_d.png", "_ds.png"};
    for (int state = 0; state < 4; ++state)
        out.Save(PushImage(width, height, state, look), base + suffixes[state]);
    out.Save(MaskFromPath(width, height, ButtonShape(width, height, look)), base + "_m.png");
}

void WriteIconButtonSet(SkinWriter& out, const QString& base, int size, IconGlyph glyph)
{
    static const char* suffixes[] = {"_n.png", "_o.png", "_d.png", "_ds.png"};
    const QColor glyphColours[] = {theme::kWhite, theme::kCyan, theme::kCyan, theme::kGreyText};
    for (int state = 0; state < 4; ++state) {
        QImage image = Canvas(size, size);
        QPainter painter(&image);
        const StateLook s = PushLook(state, ButtonLook::Push);
        const QRectF box(1.5, 1.5, size - 3.0, size - 3.0);
        if (s.glow)
            DrawGlow(painter, box, size / 2.0, s.border, 2);
        painter.setRenderHint(QPainter::Antialiasing);
        DrawBox(painter, box, size / 2.0 - 1.5, s.top, s.bottom, s.border, state == 1 ? 1.5 : 1.0);
        DrawIconGlyph(painter, box, glyph, glyphColours[state]);
        painter.end();
        out.Save(image, base + suffixes[state]);
    }
    out.Save(MaskFromPath(size, size, RoundedPath(QRectF(0.5, 0.5, size - 1.0, size - 1.0), size / 2.0 - 1.0)),
             base + "_m.png");
}

void WriteCheckBoxSet(SkinWriter& out, const QString& base)
{
    const int size = 20;
    static const char* suffixes[] = {"_n.png", "_o.png", "_d.png", "_ds.png"};
    for (int state = 0; state < 4; ++state) {
        QImage image = Canvas(size, size);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF box(2.5, 2.5, 15, 15);
        const QColor border = state == 3 ? theme::kFrame : (state == 0 ? theme::kFrameLight : theme::kCyan);
        if (state == 1)
            DrawGlow(painter, box, 3, theme::kCyan, 2);
        DrawBox(painter, box, 3, theme::kPanelLight, theme::kWindow, border, 1.2);
        if (state == 2) {
            QPen tick(theme::kCyan, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
            painter.setPen(tick);
            QPolygonF mark;
            mark << QPointF(6, 10.5) << QPointF(9, 13.5) << QPointF(14.5, 6.5);
            painter.drawPolyline(mark);
        }
        painter.end();
        out.Save(image, base + suffixes[state]);
    }
    out.Save(MaskFromPath(size, size, RoundedPath(QRectF(1, 1, 18, 18), 4)), base + "_m.png");
}

void WriteRadioSet(SkinWriter& out, const QString& base, int width, int height)
{
    static const char* suffixes[] = {"_n.png", "_o.png", "_d.png", "_ds.png"};
    for (int state = 0; state < 4; ++state) {
        QImage image = Canvas(width, height);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        const QPointF centre(11, height / 2.0);
        // The row itself lights up faintly when chosen, so the whole caption reads as selected.
        if (state == 1 || state == 2) {
            DrawBox(painter, QRectF(0.5, 0.5, width - 1.0, height - 1.0), height / 2.0 - 0.5, QColor(5, 46, 54, 200),
                    QColor(3, 24, 28, 200), theme::kCyanBorder, 1.0);
        }
        const QColor ring = state == 3 ? theme::kFrame : (state == 0 ? theme::kFrameLight : theme::kCyan);
        painter.setPen(QPen(ring, 1.5));
        painter.setBrush(theme::kWindow);
        painter.drawEllipse(centre, 7, 7);
        if (state == 1 || state == 2) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(theme::kCyan);
            painter.drawEllipse(centre, 3.6, 3.6);
        }
        painter.end();
        out.Save(image, base + suffixes[state]);
    }
    out.Save(MaskFromPath(width, height, RoundedPath(QRectF(0, 0, width, height), height / 2.0)), base + "_m.png");
}

void WriteHorizontalTrack(SkinWriter& out, const QString& base, int width, int height)
{
    for (int disabled = 0; disabled < 2; ++disabled) {
        QImage image = Canvas(width, height);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        const qreal y = height / 2.0;
        // Tick marks every tenth of the travel help to read positions.
        painter.setPen(QPen(disabled ? theme::kFrame : theme::kFrameLight, 1));
        for (int i = 0; i <= 10; ++i) {
            const qreal x = 8 + (width - 16) * i / 10.0;
            painter.drawLine(QPointF(x, y + 6), QPointF(x, y + (i % 5 == 0 ? 11 : 9)));
        }
        DrawBox(painter, QRectF(4, y - 3, width - 8, 6), 3, QColor(6, 6, 6), QColor(16, 16, 16),
                disabled ? theme::kFrame : theme::kFrameLight, 1.0);
        painter.end();
        out.Save(image, base + (disabled ? "_ds.png" : ".png"));
    }
}

void WriteVerticalTrack(SkinWriter& out, const QString& base, int width, int height)
{
    for (int disabled = 0; disabled < 2; ++disabled) {
        QImage image = Canvas(width, height);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        const qreal x = width / 2.0;
        painter.setPen(QPen(disabled ? theme::kFrame : theme::kFrameLight, 1));
        for (int i = 0; i <= 10; ++i) {
            const qreal y = 8 + (height - 16) * i / 10.0;
            painter.drawLine(QPointF(x + 6, y), QPointF(x + (i % 5 == 0 ? 11 : 9), y));
        }
        DrawBox(painter, QRectF(x - 3, 4, 6, height - 8), 3, QColor(6, 6, 6), QColor(16, 16, 16),
                disabled ? theme::kFrame : theme::kFrameLight, 1.0);
        painter.end();
        out.Save(image, base + (disabled ? "_ds.png" : ".png"));
    }
}

void WriteThumbs(SkinWriter& out)
{
    // The thumb's shape is every pixel that differs from its top-left pixel, so the
    // outline is drawn without antialiasing over the magenta key colour.
    const auto thumb = [&out](int width, int height, bool highlighted, const QString& name) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(theme::kMagenta);
        QPainter painter(&image);
        const QRectF body(0, 0, width, height);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(Qt::NoPen);
        painter.setBrush(highlighted ? theme::kCyan : theme::kCyanBorder);
        painter.drawRoundedRect(body.adjusted(0, 0, -1, -1), 4, 4);
        painter.setRenderHint(QPainter::Antialiasing, true);
        QLinearGradient fill(body.topLeft(), body.bottomLeft());
        fill.setColorAt(0, highlighted ? QColor(60, 70, 74) : QColor(48, 52, 56));
        fill.setColorAt(1, highlighted ? QColor(26, 32, 34) : QColor(20, 22, 24));
        painter.setBrush(fill);
        painter.drawRoundedRect(body.adjusted(1.5, 1.5, -2.5, -2.5), 3, 3);
        painter.setPen(QPen(highlighted ? theme::kCyan : theme::kGreyText, 1.2));
        if (width < height) {
            painter.drawLine(QPointF(width / 2.0 - 0.5, 6), QPointF(width / 2.0 - 0.5, height - 7));
        } else {
            painter.drawLine(QPointF(6, height / 2.0 - 0.5), QPointF(width - 7, height / 2.0 - 0.5));
        }
        painter.end();
        out.SaveBitmap24(image, name);
    };
    thumb(14, 24, false, "thumb_h.bmp");
    thumb(14, 24, true, "thumb_h_hi.bmp");
    thumb(24, 14, false, "thumb_v.bmp");
    thumb(24, 14, true, "thumb_v_hi.bmp");
}

namespace {

QImage ValueBoxImage(int width, int height, bool selected)
{
    QImage image = Canvas(width, height);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box(1.5, 1.5, width - 3.0, height - 3.0);
    if (selected)
        DrawGlow(painter, box, 4, theme::kCyan, 2);
    DrawBox(painter, box, 4, QColor(2, 2, 2), QColor(8, 10, 10), selected ? theme::kCyan : theme::kCyanBorder,
            selected ? 1.6 : 1.2);
    return image;
}

} // namespace

void WriteValueBox(SkinWriter& out, const QString& name, int width, int height, bool selected)
{
    out.Save(ValueBoxImage(width, height, selected), name);
}

void WriteValueBoxBitmap(SkinWriter& out, const QString& name, int width, int height)
{
    // Bitmap files have no transparency: the box is composed over the stage frame's colour.
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(theme::kCyanDeep);
    QPainter painter(&image);
    painter.drawImage(0, 0, ValueBoxImage(width, height, true));
    painter.end();
    out.Save(image, name);
}

void WriteStageFrames(SkinWriter& out, int width, int height)
{
    for (int selected = 0; selected < 2; ++selected) {
        // Opaque: the stage window draws its frame over black, so corners must be filled.
        QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
        image.fill(QColor(17, 19, 21));
        QPainter painter(&image);
        const QRectF box(1.5, 1.5, width - 3.0, height - 3.0);
        if (selected)
            DrawBox(painter, box, 8, theme::kCyanDeep, theme::kComboBack, theme::kCyan, 1.6);
        else
            DrawBox(painter, box, 8, theme::kPanelLight, theme::kPanel, theme::kFrameLight, 1.0);
        painter.end();
        out.Save(image, selected ? "stage_frame_sel.png" : "stage_frame.png");
    }
}

void WritePanelFrame(SkinWriter& out, const QString& name, int width, int height)
{
    QImage image = Canvas(width, height);
    QPainter painter(&image);
    DrawBox(painter, QRectF(0.5, 0.5, width - 1.0, height - 1.0), 8, QColor(20, 23, 25), QColor(14, 15, 17),
            theme::kFrame, 1.0);
    // A short cyan accent marks the top-left corner of every group.
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(theme::kCyanBorder, 2));
    painter.drawLine(QPointF(10, 1.5), QPointF(qMin(70.0, width - 10.0), 1.5));
    painter.end();
    out.Save(image, name);
}

void WriteSeparator(SkinWriter& out, const QString& name, int length, bool vertical)
{
    QImage image = vertical ? Canvas(2, length) : Canvas(length, 2);
    QPainter painter(&image);
    QLinearGradient fade(0, 0, vertical ? 0 : length, vertical ? length : 0);
    fade.setColorAt(0.0, QColor(11, 110, 129, 0));
    fade.setColorAt(0.5, theme::kCyanBorder);
    fade.setColorAt(1.0, QColor(11, 110, 129, 0));
    painter.fillRect(image.rect(), fade);
    painter.end();
    out.Save(image, name);
}

void WriteScrollBarPieces(SkinWriter& out)
{
    const int width = 14;
    const auto piece = [&](const QString& name, int height, const std::function<void(QPainter&)>& draw) {
        QImage image = Canvas(width, height);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        draw(painter);
        painter.end();
        out.Save(image, name);
    };
    piece("sb_top.png", 4, [](QPainter& p) { p.fillRect(QRectF(0, 0, width, 4), theme::kPanel); });
    piece("sb_bot.png", 4, [](QPainter& p) { p.fillRect(QRectF(0, 0, width, 4), theme::kPanel); });
    piece("sb_spn.png", 8, [](QPainter& p) {
        p.fillRect(QRectF(0, 0, width, 8), theme::kPanel);
        p.fillRect(QRectF(6, 0, 2, 8), theme::kFrame);
    });
    const auto arrow = [](QPainter& p, bool up) {
        p.fillRect(QRectF(0, 0, width, 14), theme::kPanel);
        p.setPen(Qt::NoPen);
        p.setBrush(theme::kCyan);
        QPolygonF t;
        if (up)
            t << QPointF(3, 10) << QPointF(7, 4) << QPointF(11, 10);
        else
            t << QPointF(3, 4) << QPointF(7, 10) << QPointF(11, 4);
        p.drawPolygon(t);
    };
    piece("sb_aup.png", 14, [&](QPainter& p) { arrow(p, true); });
    piece("sb_adn.png", 14, [&](QPainter& p) { arrow(p, false); });
    piece("sb_tmb.png", 30, [](QPainter& p) {
        p.fillRect(QRectF(0, 0, width, 30), theme::kPanel);
        DrawBox(p, QRectF(2.5, 1.5, 9, 27), 4, theme::kCyanMid, theme::kCyanDeep, theme::kCyanBorder, 1);
    });
}

void WriteListHeader(SkinWriter& out, int width, int height)
{
    QImage image = Canvas(width, height);
    QPainter painter(&image);
    DrawBox(painter, QRectF(0.5, 0.5, width - 1.0, height - 1.0), 4, theme::kCyanMid, theme::kCyanDeep,
            theme::kCyanBorder, 1.0);
    painter.end();
    out.Save(image, "list_header.png");
}

void WriteStatusIcons(SkinWriter& out)
{
    // Battery segment, lit.
    {
        QImage image = Canvas(11, 14);
        QPainter painter(&image);
        DrawBox(painter, QRectF(0.5, 0.5, 10, 13), 2, theme::kCyan, QColor(40, 170, 180), theme::kCyan, 0.0);
        painter.end();
        out.Save(image, "battery_segment.png");
    }
    // Connection: a cable plug, and radio waves.
    {
        QImage image = Canvas(32, 24);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(theme::kCyan, 2, Qt::SolidLine, Qt::RoundCap));
        QPainterPath cable;
        cable.moveTo(2, 18);
        cable.cubicTo(10, 18, 10, 12, 16, 12);
        painter.drawPath(cable);
        painter.setBrush(theme::kCyan);
        painter.drawRoundedRect(QRectF(16, 7, 8, 10), 2, 2);
        painter.drawLine(QPointF(24, 9.5), QPointF(29, 9.5));
        painter.drawLine(QPointF(24, 14.5), QPointF(29, 14.5));
        painter.end();
        out.Save(image, "conn_wired.png");
    }
    {
        QImage image = Canvas(32, 24);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(theme::kCyan, 2, Qt::SolidLine, Qt::RoundCap));
        const QPointF origin(16, 20);
        for (int i = 1; i <= 3; ++i) {
            const qreal r = 5.0 * i;
            painter.drawArc(QRectF(origin.x() - r, origin.y() - r, 2 * r, 2 * r), 45 * 16, 90 * 16);
        }
        painter.setBrush(theme::kCyan);
        painter.drawEllipse(origin, 1.6, 1.6);
        painter.end();
        out.Save(image, "conn_wireless.png");
    }
    // Spectrum cycling: a ring of hues.
    {
        QImage image = Canvas(24, 24);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        QConicalGradient hues(QPointF(12, 12), 90);
        for (int i = 0; i <= 6; ++i)
            hues.setColorAt(i / 6.0, QColor::fromHsv((i * 60) % 360, 220, 255));
        painter.setPen(QPen(QBrush(hues), 4));
        painter.drawEllipse(QPointF(12, 12), 8, 8);
        painter.end();
        out.Save(image, "icon_spectrum.png");
    }
}

void WriteMacroIcons(SkinWriter& out)
{
    const auto icon = [&out](const QString& name, const std::function<void(QPainter&, const QColor&)>& draw,
                             bool highlighted) {
        QImage image = Canvas(16, 16);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        draw(painter, highlighted ? theme::kCyan : theme::kWhite);
        painter.end();
        out.Save(image, name);
    };
    const auto key = [](QPainter& p, const QColor& c, bool down) {
        p.setPen(QPen(c, 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(1.5, 3.5, 13, 11), 2, 2);
        p.setPen(Qt::NoPen);
        p.setBrush(down ? theme::kCyan : theme::kGreyText);
        QPolygonF arrow;
        if (down)
            arrow << QPointF(5, 7) << QPointF(11, 7) << QPointF(8, 12);
        else
            arrow << QPointF(5, 12) << QPointF(11, 12) << QPointF(8, 7);
        p.drawPolygon(arrow);
    };
    icon(
        "md_keydn.png", [&](QPainter& p, const QColor& c) { key(p, c, true); }, false);
    icon(
        "md_keyup.png", [&](QPainter& p, const QColor& c) { key(p, c, false); }, false);
    const auto mouse = [](QPainter& p, const QColor& c) {
        p.setPen(QPen(c, 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(3.5, 1.5, 9, 13), 4.5, 4.5);
        p.drawLine(QPointF(8, 1.5), QPointF(8, 6));
    };
    icon("md_mouse.png", mouse, false);
    icon("md_mouse_hi.png", mouse, true);
    const auto clock = [](QPainter& p, const QColor& c) {
        p.setPen(QPen(c, 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(8, 8), 6, 6);
        p.drawLine(QPointF(8, 8), QPointF(8, 4));
        p.drawLine(QPointF(8, 8), QPointF(11, 9.5));
    };
    icon("md_clock.png", clock, false);
    icon("md_clock_hi.png", clock, true);
}
