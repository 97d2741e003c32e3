// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: hostile skin files built into the real controls, with real
// bitmaps on disk, so sizes, rectangles and bitmap cuts from the file reach the
// code that allocates and paints them. Loading must fail cleanly or build items,
// and painting what was built must not crash.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include <QApplication>
#include <QColor>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include "controls/ControlFactories.h"
#include "platform/SkinWindow.h"
#include "skin/AppPaths.h"
#include "skin/LangTable.h"
#include "skin/ResourceCache.h"
#include "skin/SkinLoader.h"

namespace {

CSkinWindow* owner = nullptr;

void SaveImage(const QString& path, int width, int height, QColor colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    image.save(path);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QApplication app(*argc, *argv);
    static QTemporaryDir appDir;
    const QString skins = appDir.path() + QStringLiteral("/skins");
    QDir().mkpath(skins);
    QDir().mkpath(appDir.path() + QStringLiteral("/xml"));
    // The bitmap names the seed skins use, so the controls get real pictures to cut.
    for (const char* name : {"normal.png", "over.png", "down.png", "disabled.png", "white.png", "half_mask.png"})
        SaveImage(skins + QLatin1Char('/') + QLatin1String(name), 40, 20, QColor(45, 50, 60));
    SaveImage(skins + QStringLiteral("/strip.png"), 200, 30, QColor(30, 30, 30));
    SaveImage(skins + QStringLiteral("/panel_bg.png"), 240, 160, QColor(12, 14, 16));
    SaveImage(skins + QStringLiteral("/thumb.bmp"), 8, 12, QColor(200, 200, 200));
    SetAppDirectory(appDir.path().toStdU16String());
    RegisterAllControls();
    static CSkinWindow window;
    window.resize(240, 200);
    owner = &window;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CGUIItems items;
    SkinLoadStats stats;
    LoadSkinFromMemory(items, std::string_view(reinterpret_cast<const char*>(data), size), u"fuzz.xml", owner, false,
                       &stats);
    // Painting is where sizes from the file turn into pixel buffers.
    owner->grab();
    items.Clear();
    ResetLanguages();
    CResourceCache::Instance().Clear();
    return 0;
}
