// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/APMSlider.h"

#include "controls/ControlDrawing.h"
#include "platform/DebugOutput.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace {

// The trace lines print the slider's address as the original 32-bit program did.
unsigned AddressBits(const void* p)
{
    return unsigned(reinterpret_cast<uintptr_t>(p));
}

} // namespace

CAPMSlider::CAPMSlider(int itemId, CSkinWindow* parent, CSkinWindow* itemOwner, const SkinRect& rect,
                       const QImage& thumbNormal, const QImage& thumbHighlighted)
    : CSkinWindow(parent), CGUIItem(itemId, ItemKind::HSLIDERMAPM, nullptr, itemOwner), thumbNormal_(thumbNormal),
      thumbHighlighted_(thumbHighlighted)
{
    CGUIItem::window = this;
    setGeometry(rect.ToQRect());
}

CAPMSlider::~CAPMSlider()
{
    RemoveAllTickers();
}

void CAPMSlider::SetRange(int min, int max)
{
    min_ = min;
    max_ = max;
    for (const auto& ticker : tickers_) {
        if (ticker)
            ticker->SetRange(min_, max_, 1.0f, true);
    }
    update();
}

void CAPMSlider::SetTooltip(std::u16string_view key)
{
    setToolTip(MakeTooltip(key));
}

CPHSlider* CAPMSlider::AddTicker(int value)
{
    auto* ticker = new CPHSlider(int(tickers_.size()), owner, ItemKind::THUMB);
    ticker->SetRange(min_, max_, 1.0f, false);
    ticker->SetCapRange(min_, max_);
    ticker->Create(thumbNormal_, thumbHighlighted_, this, SkinRect{0, 0, width(), height()});
    ticker->SetValue(value);
    tickers_.emplace_back(ticker);
    update();
    return ticker;
}

void CAPMSlider::RemoveAllTickers()
{
    for (auto& ticker : tickers_)
        delete ticker.data();
    tickers_.clear();
    update();
}

CPHSlider* CAPMSlider::Ticker(std::size_t index) const
{
    return index < tickers_.size() ? tickers_[index].data() : nullptr;
}

std::vector<int> CAPMSlider::TickerValues() const
{
    std::vector<int> values;
    for (const auto& ticker : tickers_)
        values.push_back(ticker ? ticker->GetValue() : min_);
    return values;
}

void CAPMSlider::SetDefaultStages()
{
    DebugPrintf("---  CAPMSlider::SetDefaultStages(%x) ---\n", AddressBits(this));
    const int count = int(tickers_.size());
    const int step = (max_ - min_) / (count + 1);
    for (int i = 0; i < count; ++i) {
        if (tickers_[std::size_t(i)])
            tickers_[std::size_t(i)]->SetValue(min_ + (i + 1) * step);
    }
    update();
}

void CAPMSlider::SetTickerCapRanges()
{
    DebugPrintf("---  CAPMSlider::SetTickerCapRanges(%x) ---\n", AddressBits(this));
    const std::vector<int> values = TickerValues();
    const std::size_t count = values.size();
    for (std::size_t i = 0; i < count; ++i) {
        CPHSlider* ticker = tickers_[i];
        if (!ticker)
            continue;
        if (count == 1)
            ticker->SetCapRange(min_, max_);
        else if (i == 0)
            ticker->SetCapRange(min_, values[1]);
        else if (i == count - 1)
            ticker->SetCapRange(values[i - 1], max_);
        else
            ticker->SetCapRange(values[i - 1] + 2, values[i + 1]);
    }
}

void CAPMSlider::RemoveTickerCapRanges()
{
    DebugPrintf("---  CAPMSlider::RemoveTickerCapRanges(%x) ---\n", AddressBits(this));
    for (const auto& ticker : tickers_) {
        if (ticker)
            ticker->SetCapRange(min_, max_);
    }
}

std::vector<COLORREF> CAPMSlider::SegmentColours() const
{
    const int count = int(tickers_.size());
    // An empty range has no meaningful spread; every segment is then black.
    const int increment = max_ > min_ ? (count + 1) * 255 / (max_ - min_) : 0;
    std::vector<COLORREF> colours;
    for (int i = 0; i <= count; ++i) {
        const auto grey = uint8_t(i * increment);
        colours.push_back(RGB(grey, grey, grey));
    }
    return colours;
}

int CAPMSlider::SegmentAt(int x) const
{
    const int left = 0;
    const int right = width();
    if (right <= left)
        return 0;
    const int64_t clicked = int64_t(min_) + int64_t(max_ - min_) * (x - left) / (right - left);
    int segment = 0;
    for (const int value : TickerValues()) {
        if (value > clicked)
            break;
        ++segment;
    }
    return segment;
}

int CAPMSlider::TickerCentre(std::size_t index) const
{
    const CPHSlider* ticker = Ticker(index);
    return ticker ? ticker->x() + ticker->width() / 2 : 0;
}

void CAPMSlider::PostToParentAndOwner(UINT msg, WPARAM wParam, LPARAM lParam)
{
    CSkinWindow* parent = GetParentWindow();
    if (parent)
        parent->PostMessage(msg, wParam, lParam);
    if (owner && owner != parent)
        owner->PostMessage(msg, wParam, lParam);
}

LRESULT CAPMSlider::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_SLIDER_CHANGING:
    case WM_SLIDER_RELEASED: {
        if (capsEnabled_)
            SetTickerCapRanges();
        else
            RemoveTickerCapRanges();
        // Only the segments next to the moved ticker change colour extent.
        const auto index = std::size_t(lParam);
        const int from = index > 0 ? TickerCentre(index - 1) : 0;
        const int to = index + 1 < tickers_.size() ? TickerCentre(index + 1) : width();
        update(QRect(std::min(from, to), 0, std::abs(to - from) + 1, height()));
        PostToParentAndOwner(msg, wParam, lParam);
        return 0;
    }
    case WM_SLIDER_THUMB_MOVED_X:
        return 0;
    default:
        return CSkinWindow::WindowProc(msg, wParam, lParam);
    }
}

void CAPMSlider::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        CSkinWindow::mousePressEvent(event);
        return;
    }
    PostToParentAndOwner(WM_APM_SEGMENT_CLICKED, WPARAM(SegmentAt(event->position().toPoint().x())), LPARAM(id));
    event->accept();
}

void CAPMSlider::paintEvent(QPaintEvent*)
{
    DebugPrintf("CAPMSlider::OnPaint(0x%d)\n", int(AddressBits(this)));
    const std::vector<COLORREF> colours = SegmentColours();
    for (std::size_t i = 0; i < colours.size(); ++i)
        DebugPrintf("CAPMSlider::OnPaint Color(%d): 0x%x\n", int(i), unsigned(colours[i]));
    for (std::size_t i = 0; i < tickers_.size(); ++i)
        DebugPrintf("CAPMSlider::OnPaint Pos(%d): 0x%d\n", int(i), tickers_[i] ? int(tickers_[i]->GetPosition()) : 0);

    QImage buffer(size(), QImage::Format_RGB32);
    buffer.fill(Qt::black);
    {
        QPainter painter(&buffer);
        int left = 0;
        for (std::size_t i = 0; i < colours.size(); ++i) {
            const int right = i < tickers_.size() ? TickerCentre(i) : width();
            if (right > left)
                painter.fillRect(QRect(left, 0, right - left, height()), ToQColor(colours[i]));
            left = std::max(left, right);
        }
    }
    QPainter(this).drawImage(0, 0, buffer);
}
