// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `CAVIButton`: a push button that plays a short clip. The clip (any animation
// format Qt decodes, GIF in our skins) is shown by an animation child one pixel
// inside the button, created on first need and played once from the first to the
// last frame. A click plays it and notifies the parent like a button does.
#include <QByteArray>
#include <QPointer>

#include "platform/SkinWindow.h"
#include "skin/GUIItem.h"
#include "skin/SkinElements.h"

class QBuffer;
class QLabel;
class QMovie;

class CAVIButton : public CSkinWindow, public CGUIItem {
public:
    CAVIButton(const SkinRect& rect, QWidget* parent);
    ~CAVIButton() override;
    static std::unique_ptr<CAVIButton> FromElement(const AVIButtonElement& element);

    // The clip data and the names from the skin (the sound is kept, not played).
    void SetClip(QByteArray data, std::u16string videoFile, std::u16string soundFile);
    const std::u16string& VideoFile() const { return videoFile_; }
    const std::u16string& SoundFile() const { return soundFile_; }

    // Opens the clip and plays it once; false when there is no clip or it cannot be
    // decoded (nothing is shown then).
    bool Play();
    bool IsPlaying() const;
    // Frame the animation shows now (-1 before the first play).
    int CurrentFrame() const;

    void Show(int flag) override { CGUIItem::Show(flag); }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool EnsureAnimation();

    QByteArray clip_;
    std::u16string videoFile_;
    std::u16string soundFile_;
    QLabel* animation_ = nullptr; // child window, owned by Qt
    QBuffer* buffer_ = nullptr;   // owned by this window
    QMovie* movie_ = nullptr;     // owned by this window
    bool pressed_ = false;
};
