// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers for tests that load skins: a private application directory filled with
// the test skins of tests/skin/data and with images, a clip and language files
// generated on the spot; a window that records the messages it receives; and an
// offscreen screenshot to PNG.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <QColor>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QWidget>

#include "platform/SkinWindow.h"
#include "skin/AppPaths.h"
#include "skin/ResourceCache.h"
#include "support/RecordingWindow.h"
#include "support/TempDir.h"

namespace skintest {

inline std::filesystem::path SourceDir()
{
    const char* dir = std::getenv("ZT_SOURCE_DIR");
    // Run outside CTest: this header sits in tests/skin/ of the source tree.
    return dir ? std::filesystem::path(dir) : std::filesystem::path(__FILE__).parent_path().parent_path().parent_path();
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline void SaveSolidImage(const std::filesystem::path& path, int width, int height, QColor colour)
{
    std::filesystem::create_directories(path.parent_path());
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    image.save(QString::fromStdString(path.string()));
}

// A UTF-16LE language file with byte-order mark: a title, an ignored line, then
// key/text pairs.
inline std::string LanguageFile(const std::u16string& title,
                                const std::vector<std::pair<std::u16string, std::u16string>>& pairs)
{
    std::u16string text = title + u"\r\nversion 1\r\n";
    for (const auto& [key, value] : pairs)
        text += key + u"\r\n" + value + u"\r\n";
    std::string bytes = "\xFF\xFE";
    for (char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    return bytes;
}

// A GIF of `frames` frames of 2x2 pixels, each frame one colour of a four-colour
// palette. Every pixel code is preceded by a clear code so the LZW stream stays at
// three bits per code.
inline std::string TinyAnimatedGif(int frames)
{
    std::string gif = "GIF89a";
    auto u16 = [&gif](int v) {
        gif.push_back(static_cast<char>(v & 0xFF));
        gif.push_back(static_cast<char>((v >> 8) & 0xFF));
    };
    u16(2);
    u16(2);
    gif.push_back(static_cast<char>(0xF1)); // global table, 2 bits of colour -> 4 entries
    gif.push_back(0);
    gif.push_back(0);
    const unsigned char palette[12] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0};
    gif.append(reinterpret_cast<const char*>(palette), sizeof(palette));
    // Play once: no looping extension.
    for (int frame = 0; frame < frames; ++frame) {
        const char control[] = {'\x21', '\xF9', '\x04', '\x00', '\x02', '\x00', '\x00', '\x00'}; // 20 ms
        gif.append(control, sizeof(control));
        gif.push_back(',');
        u16(0);
        u16(0);
        u16(2);
        u16(2);
        gif.push_back(0);
        gif.push_back(2); // LZW minimum code size
        std::vector<int> codes;
        for (int pixel = 0; pixel < 4; ++pixel) {
            codes.push_back(4);         // clear
            codes.push_back(frame % 4); // pixel colour
        }
        codes.push_back(5); // end
        std::string data;
        unsigned bits = 0;
        int count = 0;
        for (int code : codes) {
            bits |= static_cast<unsigned>(code) << count;
            count += 3;
            while (count >= 8) {
                data.push_back(static_cast<char>(bits & 0xFF));
                bits >>= 8;
                count -= 8;
            }
        }
        if (count > 0)
            data.push_back(static_cast<char>(bits & 0xFF));
        gif.push_back(static_cast<char>(data.size()));
        gif += data;
        gif.push_back(0);
    }
    gif.push_back(';');
    return gif;
}

// The application directory of one test: xml/ from tests/skin/data/xml, and the
// images, clip and language files the test skins name.
class TestAppDir {
public:
    TestAppDir()
    {
        const auto xmlSource = SourceDir() / "tests/skin/data/xml";
        std::filesystem::create_directories(dir_ / "xml");
        for (const auto& entry : std::filesystem::directory_iterator(xmlSource))
            std::filesystem::copy_file(entry.path(), dir_ / "xml" / entry.path().filename());
        const auto skins = dir_ / "skins";
        SaveSolidImage(skins / "normal.png", 40, 20, QColor(45, 50, 60));
        SaveSolidImage(skins / "over.png", 40, 20, QColor(0, 200, 220));
        SaveSolidImage(skins / "down.png", 40, 20, QColor(0, 90, 110));
        SaveSolidImage(skins / "disabled.png", 40, 20, QColor(60, 60, 60));
        SaveSolidImage(skins / "white.png", 40, 20, QColor(255, 255, 255));
        SaveSolidImage(skins / "strip.png", 200, 30, QColor(30, 30, 30));
        SaveSolidImage(skins / "thumb.bmp", 8, 12, QColor(200, 200, 200));
        // A panel of 240 x 160 whose right-hand quarter is cut away by its mask.
        SaveSolidImage(skins / "panel_bg.png", 240, 160, QColor(12, 14, 16));
        QImage mask(240, 160, QImage::Format_RGB32);
        mask.fill(Qt::black);
        QPainter(&mask).fillRect(180, 0, 60, 160, Qt::white);
        mask.save(QString::fromStdString((skins / "panel_mask.png").string()));
        // A check-box mask: the left half is the box, the right half is outside.
        QImage boxMask(40, 20, QImage::Format_RGB32);
        boxMask.fill(Qt::white);
        QPainter(&boxMask).fillRect(0, 0, 20, 20, Qt::black);
        boxMask.save(QString::fromStdString((skins / "half_mask.png").string()));
        WriteBytes(dir_ / "bin" / "clip.gif", TinyAnimatedGif(3));
        WriteBytes(dir_ / "lang" / "German.txt",
                   LanguageFile(u"Deutsch", {{u"OK", u"Gut"}, {u"Two Lines", u"Erste\\nZweite"}}));
        WriteBytes(dir_ / "lang" / "English.txt", LanguageFile(u"English", {{u"OK", u"OK"}}));
        SetAppDirectory(QString::fromStdString(dir_.path().string()).toStdU16String());
        CResourceCache::Instance().Clear();
    }
    ~TestAppDir()
    {
        CResourceCache::Instance().Clear();
        SetAppDirectory(u"");
    }
    TestAppDir(const TestAppDir&) = delete;
    TestAppDir& operator=(const TestAppDir&) = delete;

    const std::filesystem::path& path() const { return dir_.path(); }
    void WriteXml(const std::string& name, const std::string& content) const
    {
        WriteBytes(dir_ / "xml" / name, content);
    }

private:
    TempDir dir_;
};

// The recording owner window is shared by every widget test.
using ::RecordedMessage;
using ::RecordingWindow;

// Renders a widget offscreen and writes it as PNG into screenshots/ below the
// current directory (the build tree when run by CTest). Returns the file path.
inline QString SaveScreenshot(QWidget& widget, const QString& name)
{
    QDir().mkpath(QStringLiteral("screenshots"));
    const QString path =
        QDir::current().absoluteFilePath(QStringLiteral("screenshots/") + name + QStringLiteral(".png"));
    widget.grab().save(path);
    return path;
}

} // namespace skintest
