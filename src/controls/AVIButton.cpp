// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/AVIButton.h"

#include <QBuffer>
#include <QLabel>
#include <QMouseEvent>
#include <QMovie>

CAVIButton::CAVIButton(const SkinRect& rect, QWidget* parent)
    : CSkinWindow(parent), CGUIItem(-1, ItemKind::AVIBUTTON, this, nullptr)
{
    setGeometry(rect.ToQRect());
    show();
}

CAVIButton::~CAVIButton()
{
    if (movie_)
        movie_->stop();
}

std::unique_ptr<CAVIButton> CAVIButton::FromElement(const AVIButtonElement& element)
{
    auto button = std::make_unique<CAVIButton>(element.rect, element.parentWindow);
    button->SetClip(element.videoData, element.videoFile, element.soundFile);
    return button;
}

void CAVIButton::SetClip(QByteArray data, std::u16string videoFile, std::u16string soundFile)
{
    clip_ = std::move(data);
    videoFile_ = std::move(videoFile);
    soundFile_ = std::move(soundFile);
    if (movie_) {
        movie_->stop();
        delete movie_;
        movie_ = nullptr;
        delete buffer_;
        buffer_ = nullptr;
    }
}

bool CAVIButton::EnsureAnimation()
{
    if (movie_)
        return movie_->isValid();
    if (clip_.isEmpty())
        return false;
    buffer_ = new QBuffer(&clip_, this);
    buffer_->open(QIODevice::ReadOnly);
    movie_ = new QMovie(buffer_, QByteArray(), this);
    if (!movie_->isValid())
        return false;
    if (!animation_) {
        animation_ = new QLabel(this);
        animation_->setGeometry(rect().adjusted(1, 1, -1, -1));
        animation_->setAttribute(Qt::WA_TransparentForMouseEvents);
        animation_->setScaledContents(true);
    }
    animation_->setMovie(movie_);
    // Once through: stop on the last frame rather than looping.
    connect(movie_, &QMovie::frameChanged, this, [this](int frame) {
        if (movie_ && movie_->frameCount() > 0 && frame >= movie_->frameCount() - 1)
            movie_->setPaused(true);
    });
    animation_->show();
    return true;
}

bool CAVIButton::Play()
{
    if (!EnsureAnimation())
        return false;
    movie_->stop();
    movie_->jumpToFrame(0);
    movie_->start();
    return true;
}

bool CAVIButton::IsPlaying() const
{
    return movie_ && movie_->state() == QMovie::Running;
}

int CAVIButton::CurrentFrame() const
{
    return movie_ ? movie_->currentFrameNumber() : -1;
}

void CAVIButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && isEnabled()) {
        pressed_ = true;
        return;
    }
    CSkinWindow::mousePressEvent(event);
}

void CAVIButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !pressed_) {
        CSkinWindow::mouseReleaseEvent(event);
        return;
    }
    pressed_ = false;
    if (!rect().contains(event->position().toPoint()))
        return;
    Play();
    ::SendMessage(GetParentWindow(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(GetHandle()));
}
