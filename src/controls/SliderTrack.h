// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The track of a slider (`SLIDERTRACK`, kind 25): a picture that may show a coloured
// fill up to its thumb, jumps the thumb to a click, shows the thumbs' tooltip and
// passes the thumbs' messages on to its owner.
#include <QImage>
#include <QPointer>
#include <QRect>
#include <memory>
#include <optional>
#include <vector>

#include "controls/BitmapItem.h"
#include "controls/SliderBase.h"
#include "platform/SkinWindow.h"
#include "skin/GUIItem.h"
#include "skin/SkinGeometry.h"

class CSliderTooltip;

class CSliderTrack : public CBitmapItem, public CThumbHost {
public:
    // `messageOwner` receives the forwarded messages (the load's owner, or the parent
    // window when there is none).
    CSliderTrack(int itemId, CSkinWindow* parent, CSkinWindow* messageOwner, const SkinRect& rect);
    ~CSliderTrack() override;

    // Cut to the track's size like every bitmap item's images.
    void SetBitmaps(const QImage& normal, const QImage& disabled, const QImage& mask);
    // The fill rectangle (track coordinates) and its colour. With a back colour the
    // whole channel the fill can cover (as far from the far end as the fill starts
    // from its own end) is painted in it under the fill.
    void SetFill(const QRect& fillRect, COLORREF fillColour, std::optional<COLORREF> backColour = std::nullopt);
    // The channel the back colour paints, or an empty rectangle without one.
    QRect ChannelRect() const;
    bool HasFill() const { return fill_.has_value(); }
    QRect FillRect() const { return fill_.value_or(QRect()); }

    void SetDisabled(bool disabled);
    bool IsDisabled() const { return disabled_; }

    // Thumbs on this track; the first one is the thumb a click moves.
    void AttachThumb(CSliderBase* thumb);
    void DetachThumb(CSliderBase* thumb);
    CSliderBase* DrivenThumb() const;

    CSkinWindow* MessageOwner() const { return messageOwner_; }
    CSliderTooltip* HostTooltip() override;
    // The fill follows the thumb a click moves (the first one), not every thumb.
    bool FollowsThumb(const CSliderBase* thumb) const override;
    bool IsTooltipShown() const;

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    CSliderBase* ThumbById(int thumbId) const;
    void ShowTooltipFor(CSliderBase* thumb);

    QImage disabledImage_;
    std::optional<QRect> fill_;
    COLORREF fillColour_ = 0;
    std::optional<COLORREF> backColour_;
    QRect channel_;
    bool disabled_ = false;
    CSkinWindow* messageOwner_ = nullptr;
    std::vector<QPointer<CSliderBase>> thumbs_;
    std::unique_ptr<CSliderTooltip> tooltip_;
};
