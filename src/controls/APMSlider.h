// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The multi-segment slider (`HSLIDERMAPM`, kind 9): a bar over a range (1 to 32 by
// default) divided by an ordered row of ticker thumbs into segments, each drawn in
// its own grey. A click reports the segment under the pointer (1526); moving a
// ticker re-applies the tickers' cap ranges and is passed on (1095, 1094).
#include <QImage>
#include <QPointer>
#include <vector>

#include "controls/PHSlider.h"
#include "platform/SkinWindow.h"
#include "skin/GUIItem.h"
#include "skin/SkinGeometry.h"

class CAPMSlider : public CSkinWindow, public CGUIItem, public CThumbHost {
public:
    CAPMSlider(int itemId, CSkinWindow* parent, CSkinWindow* itemOwner, const SkinRect& rect, const QImage& thumbNormal,
               const QImage& thumbHighlighted);
    ~CAPMSlider() override;

    void SetRange(int min, int max);
    int GetMin() const { return min_; }
    int GetMax() const { return max_; }
    void SetTooltip(std::u16string_view key);

    // Appends a ticker at `value`; its item id is its index. Returns the ticker.
    CPHSlider* AddTicker(int value);
    void RemoveAllTickers();
    std::size_t TickerCount() const { return tickers_.size(); }
    CPHSlider* Ticker(std::size_t index) const;
    std::vector<int> TickerValues() const;

    // Spreads the tickers evenly: step (max - min) / (N + 1), ticker i at min + (i + 1) * step.
    void SetDefaultStages();
    // Each ticker may move between its neighbours (see the .cpp for the exact bounds).
    void SetTickerCapRanges();
    // Every ticker may cover the whole range.
    void RemoveTickerCapRanges();
    // Whether caps are re-applied after a ticker moves (else they are removed).
    void SetCapsEnabled(bool enabled) { capsEnabled_ = enabled; }

    // Grey level of segment i: i * ((N + 1) * 255 / (max - min)), cut to 8 bits.
    std::vector<COLORREF> SegmentColours() const;
    // The segment a click at client x falls in: how many leading tickers have a
    // value not above the clicked value.
    int SegmentAt(int x) const;

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void PostToParentAndOwner(UINT msg, WPARAM wParam, LPARAM lParam);
    int TickerCentre(std::size_t index) const;

    int min_ = 1;
    int max_ = 32;
    bool capsEnabled_ = true;
    QImage thumbNormal_;
    QImage thumbHighlighted_;
    std::vector<QPointer<CPHSlider>> tickers_;
};
