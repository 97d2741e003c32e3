// SPDX-License-Identifier: GPL-3.0-or-later
// Draws every image the default skin names into the skins folder given on the
// command line. The repository holds this source, never the images themselves.
#include <cstdio>

#include <QDir>
#include <QGuiApplication>

#include "Assets.h"

namespace {

void WriteControls(SkinWriter& out)
{
    WriteButtonSet(out, "btn_100x30", 100, 30, ButtonLook::Push);
    WriteButtonSet(out, "btn_120x28", 120, 28, ButtonLook::Push);
    WriteButtonSet(out, "btn_150x30", 150, 30, ButtonLook::Push);
    WriteButtonSet(out, "btn_200x30", 200, 30, ButtonLook::Push);
    WriteButtonSet(out, "btn_56x26", 56, 26, ButtonLook::Push);
    WriteButtonSet(out, "tab_168x38", 168, 38, ButtonLook::Tab);
    WriteIconButtonSet(out, "icon_help", 28, IconGlyph::Help);
    WriteIconButtonSet(out, "icon_exit", 28, IconGlyph::Close);
    WriteIconButtonSet(out, "icon_forum", 28, IconGlyph::Chat);
    WriteIconButtonSet(out, "icon_social", 28, IconGlyph::Bird);
    WriteIconButtonSet(out, "icon_web", 28, IconGlyph::Globe);
    WriteIconButtonSet(out, "icon_plus", 30, IconGlyph::Plus);
    WriteIconButtonSet(out, "icon_minus", 30, IconGlyph::Minus);
    WriteIconButtonSet(out, "media_back", 34, IconGlyph::First);
    WriteIconButtonSet(out, "media_record", 34, IconGlyph::Record);
    WriteIconButtonSet(out, "media_play", 34, IconGlyph::Play);
    WriteIconButtonSet(out, "media_stop", 34, IconGlyph::Stop);
    WriteIconButtonSet(out, "media_forward", 34, IconGlyph::Last);
    WriteCheckBoxSet(out, "chk");
    WriteRadioSet(out, "radio_120x24", 120, 24);
    WriteRadioSet(out, "radio_180x24", 180, 24);
    WriteRadioSet(out, "radio_200x28", 200, 28);
    WriteRadioSet(out, "radio_396x28", 396, 28);

    WriteHorizontalTrack(out, "trk_300", 300, 28);
    WriteHorizontalTrack(out, "trk_340", 340, 28);
    WriteHorizontalTrack(out, "trk_400", 400, 28);
    WriteHorizontalTrack(out, "trk_420", 420, 28);
    WriteVerticalTrack(out, "trkv_180", 28, 180);
    WriteThumbs(out);

    WriteValueBox(out, "valbox_90x32.png", 90, 32, false);
    WriteValueBox(out, "stage_win.png", 96, 30, false);
    WriteValueBoxBitmap(out, "stageSelected.bmp", 96, 30);
    WriteStageFrames(out, 116, 160);
    WriteScrollBarPieces(out);
    WriteListHeader(out, 600, 24);
    WriteStatusIcons(out);
    WriteMacroIcons(out);
    WriteSeparator(out, "line_388.png", 388, false);
}

void WritePagePanels(SkinWriter& out)
{
    const int sizes[][2] = {{340, 404}, {504, 404}, {540, 236}, {540, 158}, {300, 404}, {600, 404},
                            {244, 404}, {280, 404}, {256, 404}, {420, 404}, {716, 290}};
    for (const auto& size : sizes)
        WritePanelFrame(out, QString("panel_%1x%2.png").arg(size[0]).arg(size[1]), size[0], size[1]);
}

void WriteWindows(SkinWriter& out)
{
    WriteMainWindow(out, 920, 640);
    const auto well = [](qreal x, qreal y, qreal w, qreal h) { return QRectF(x + 0.5, y + 0.5, w, h); };
    WriteWindow(out, "popup_warn", 460, 220, {44, {well(16, 56, 428, 100)}, {}});
    WriteWindow(out, "popup_entry", 460, 220, {44, {well(16, 56, 428, 100)}, {}});
    WriteWindow(out, "popup_progress", 460, 200, {44, {}, {}});
    WriteWindow(out, "popup_macro", 460, 330, {44, {well(16, 56, 428, 214)}, {}});
    WriteWindow(out, "popup_singlekey", 460, 230, {44, {well(16, 56, 428, 110)}, {}});
    WriteWindow(out, "popup_editkey", 460, 280, {44, {well(16, 56, 428, 160)}, {}});
    WriteWindow(out, "popup_stages", 700, 450, {44, {well(16, 56, 668, 330)}, {}});
    WriteWindow(out, "popup_tempdpi", 580, 330, {44, {well(16, 56, 548, 210)}, {}});
    WriteWindow(out, "popup_calib", 520, 360, {44, {well(16, 56, 488, 240)}, {}});
    WriteWindow(out, "popup_preview", 780, 560,
                {44, {well(16, 56, 300, 250), well(328, 56, 436, 250), well(16, 316, 748, 170)}, {}});
}

void WriteMice(SkinWriter& out)
{
    WriteMouseTopView(out, "mouse_refresh.png", 320, 356, MouseGeneration::Current, true);
    WriteMouseTopView(out, "mouse_legacy.png", 320, 356, MouseGeneration::Earlier, true);
    WriteMouseTopView(out, "mouse_refresh_preview.png", 280, 240, MouseGeneration::Current, true);
    WriteMouseTopView(out, "mouse_legacy_preview.png", 280, 240, MouseGeneration::Earlier, true);
    // Row centres of the assignment menus: seven buttons, the wheel heading, two wheel rows.
    WriteButtonNumberStrip(out, "numstrip.png", 28, {14, 48, 82, 116, 150, 184, 218, 286, 320});
    WriteButtonNumberStrip(out, "numstrip_preview.png", 24, {12, 38, 64, 90, 116, 142, 168, 194, 220});
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <skins directory>\n", argv[0]);
        return 2;
    }
    // Drawing needs no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QString directory = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(directory)) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    SkinWriter out(directory);
    WriteControls(out);
    WritePagePanels(out);
    WriteWindows(out);
    WriteMice(out);
    if (out.Failures() > 0) {
        std::fprintf(stderr, "%d skin images could not be written to %s\n", out.Failures(), argv[1]);
        return 1;
    }
    std::printf("%d skin images written\n", out.Written());
    return 0;
}
