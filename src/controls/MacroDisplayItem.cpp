// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/MacroDisplayItem.h"
#include "controls/accessibility/AccessibleEvents.h"

#include "platform/core/RawInput.h"
#include "platform/core/TickCount.h"
#include "skin/ColorTable.h"
#include "skin/FontItem.h"
#include "skin/LangTable.h"
#include "skin/SkinElements.h"
#include "skin/TextFormat.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>

CMacroDisplayItem::CMacroDisplayItem(int itemId, CSkinWindow* parent, CSkinWindow* itemOwner, const SkinRect& rect)
    : CSkinWindow(parent), CGUIItem(itemId, ItemKind::MACRODISPLAY, nullptr, itemOwner), font_(DefaultControlFont())
{
    CGUIItem::window = this;
    setGeometry(rect.ToQRect());
    setFocusPolicy(Qt::StrongFocus);
}

std::unique_ptr<CMacroDisplayItem> CMacroDisplayItem::FromElement(const MacroDisplayElement& element,
                                                                  CSkinWindow* itemOwner)
{
    auto display = std::make_unique<CMacroDisplayItem>(element.id, element.parentWindow, itemOwner, element.rect);
    display->SetMaxEvents(element.maxEvents);
    display->SetReadOnly(element.readOnly);
    display->SetBorderWidth(element.borderWidth);
    display->SetLeftMargin(element.leftMargin);
    if (element.text.font)
        display->SetFont(element.text.font->Font());
    const ListColors& c = element.colors;
    display->SetColours(
        c.fontColor.value_or(display->fontColour_), c.fontColorHighlight.value_or(display->fontHighlight_),
        c.backColor.value_or(display->backColour_), c.backColorHighlight.value_or(display->backHighlight_),
        c.borderColor.value_or(display->borderColour_));
    display->SetIcons(Icons{element.keyDown.image, element.keyUp.image, element.mouse.image,
                            element.mouseHighlight.image, element.clock.image, element.clockHighlight.image});
    int iconWidth = display->iconWidth_;
    int descriptionWidth = 0;
    for (const auto& column : element.columns) {
        if (column.columnKind == ListColumnKind::LCITEM_MCREVENT_ICON)
            iconWidth = column.width;
        else if (column.columnKind == ListColumnKind::LCITEM_MCREVENT_DESCRIP)
            descriptionWidth = column.width;
    }
    display->SetColumns(iconWidth, descriptionWidth);
    if (element.scrollBar)
        display->SetScrollBar(*element.scrollBar);
    display->show();
    return display;
}

QString CMacroDisplayItem::Describe(const MacroDisplayEvent& event)
{
    if (event.kind == MacroDisplayEventKind::Delay) {
        return QString::fromStdU16String(
            FormatText(u"%.3f %s", {event.seconds, TranslateText(std::u16string_view(u"$secondsdelay"))}));
    }
    std::u16string text = event.name + (event.down ? u"Down" : u"Up");
    if (text.size() > 1 && (text[0] == u'$' || text[0] == u'#'))
        text = TranslateText(text);
    return QString::fromStdU16String(text);
}

void CMacroDisplayItem::SetScrollBar(const ScrollBarInfo& info)
{
    delete scrollBar_;
    scrollBarWidth_ = info.Width();
    const QRect area = rect().adjusted(borderWidth_, borderWidth_, -borderWidth_, -borderWidth_);
    scrollBar_ = new CVScrollBar(this, this, info, area);
    update();
}

ScrollState CMacroDisplayItem::GetScrollState() const
{
    return ScrollState{Count(), VisibleRows(), topRow_};
}

LRESULT CMacroDisplayItem::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_VSCROLL) {
        ScrollTo(ApplyScrollCode(GetScrollState(), wParam));
        return 0;
    }
    if (msg == WM_INPUT) {
        if (lParam)
            OnRawInput(*reinterpret_cast<const RawInput*>(lParam));
        return 0;
    }
    return CSkinWindow::WindowProc(msg, wParam, lParam);
}

void CMacroDisplayItem::SetIcons(const Icons& icons)
{
    icons_ = icons;
    update();
}

void CMacroDisplayItem::SetColumns(int iconWidth, int descriptionWidth)
{
    iconWidth_ = std::max(0, iconWidth);
    descriptionWidth_ = std::max(0, descriptionWidth);
    update();
}

void CMacroDisplayItem::SetColours(COLORREF font, COLORREF fontHighlight, COLORREF back, COLORREF backHighlight,
                                   COLORREF border)
{
    fontColour_ = font;
    fontHighlight_ = fontHighlight;
    backColour_ = back;
    backHighlight_ = backHighlight;
    borderColour_ = border;
    update();
}

void CMacroDisplayItem::SetFont(const QFont& font)
{
    font_ = font;
    update();
}

int CMacroDisplayItem::RowHeight() const
{
    int height = QFontMetrics(font_).height() + 4;
    for (const QImage* icon : {&icons_.keyDown, &icons_.keyUp, &icons_.mouse, &icons_.clock})
        height = std::max(height, icon->height());
    return height;
}

QRect CMacroDisplayItem::RowsArea() const
{
    return rect().adjusted(borderWidth_, borderWidth_, -borderWidth_ - scrollBarWidth_, -borderWidth_);
}

QRect CMacroDisplayItem::RowRect(int index) const
{
    const QRect area = RowsArea();
    return QRect(area.left(), area.top() + (index - topRow_) * RowHeight(), area.width(), RowHeight());
}

int CMacroDisplayItem::VisibleRows() const
{
    return std::max(1, RowsArea().height() / RowHeight());
}

void CMacroDisplayItem::SetMaxEvents(int max)
{
    maxEvents_ = std::max(0, max);
    recorder_.SetMaxEvents(std::size_t(maxEvents_));
}

void CMacroDisplayItem::SetReadOnly(bool readOnly)
{
    if (readOnly && recorder_.IsRecording())
        StopRecording();
    readOnly_ = readOnly;
    recorder_.SetReadOnly(readOnly);
}

void CMacroDisplayItem::SetEvents(const std::vector<MacroDisplayEvent>& events)
{
    rows_.clear();
    for (const MacroDisplayEvent& event : events) {
        if (maxEvents_ > 0 && Count() >= maxEvents_)
            break;
        rows_.push_back(Row{event, Describe(event)});
    }
    selected_ = -1;
    topRow_ = 0;
    if (scrollBar_)
        scrollBar_->Sync();
    update();
}

std::vector<MacroDisplayEvent> CMacroDisplayItem::Events() const
{
    std::vector<MacroDisplayEvent> events;
    events.reserve(rows_.size());
    for (const Row& row : rows_)
        events.push_back(row.event);
    return events;
}

int CMacroDisplayItem::InsertEvents(int after, const std::vector<MacroDisplayEvent>& events)
{
    if (events.empty() || after < -1 || after >= Count())
        return -1;
    if (maxEvents_ > 0 && rows_.size() + events.size() > std::size_t(maxEvents_))
        return -1;
    std::vector<Row> inserted;
    inserted.reserve(events.size());
    for (const MacroDisplayEvent& event : events)
        inserted.push_back(Row{event, Describe(event)});
    rows_.insert(rows_.begin() + (after + 1), inserted.begin(), inserted.end());
    const int last = after + int(events.size());
    Select(last);
    return last;
}

bool CMacroDisplayItem::RemoveEvent(int index)
{
    if (index < 0 || index >= Count())
        return false;
    rows_.erase(rows_.begin() + index);
    if (selected_ >= Count())
        selected_ = Count() - 1;
    ScrollTo(topRow_);
    return true;
}

bool CMacroDisplayItem::ReplaceEvent(int index, const MacroDisplayEvent& event)
{
    if (index < 0 || index >= Count())
        return false;
    rows_[std::size_t(index)] = Row{event, Describe(event)};
    update();
    return true;
}

bool CMacroDisplayItem::StartRecording(QWidget* stopControl)
{
    if (readOnly_ || recorder_.IsRecording())
        return false;
    // Keyboard first: when it is refused nothing is registered.
    const RawInputDevice devices[] = {
        {HID_USAGE_PAGE_GENERIC, HID_USAGE_GENERIC_KEYBOARD, RIDEV_INPUTSINK | RIDEV_NOLEGACY, this},
        {HID_USAGE_PAGE_GENERIC, HID_USAGE_GENERIC_MOUSE, RIDEV_INPUTSINK, this},
    };
    if (!RegisterRawInputDevices(devices, 2))
        return false;
    StopPreview();
    recorder_.Start();
    stopControl_ = stopControl;
    Clear();
    setFocus(Qt::OtherFocusReason);
    return true;
}

std::vector<MacroDisplayEvent> CMacroDisplayItem::StopRecording()
{
    if (!recorder_.IsRecording())
        return {};
    recorder_.Stop();
    stopControl_.clear();
    // Only our own registrations are removed; another window's stay.
    for (USHORT usage : {HID_USAGE_GENERIC_KEYBOARD, HID_USAGE_GENERIC_MOUSE}) {
        const auto current = GetRawInputRegistration(usage);
        if (current && current->target == static_cast<HWND>(this)) {
            const RawInputDevice remove{HID_USAGE_PAGE_GENERIC, usage, RIDEV_REMOVE, nullptr};
            RegisterRawInputDevices(&remove, 1);
        }
    }
    return recorder_.Events();
}

bool CMacroDisplayItem::StopControlHasMouse() const
{
    if (!stopControl_)
        return false;
    return QWidget::mouseGrabber() == stopControl_.data() || stopControl_->underMouse();
}

void CMacroDisplayItem::OnRawInput(const RawInput& record)
{
    const std::size_t before = recorder_.Events().size();
    if (recorder_.OnRawInput(record, GetTickCount(), StopControlHasMouse()) == 0)
        return;
    const auto& events = recorder_.Events();
    for (std::size_t i = before; i < events.size(); ++i)
        rows_.push_back(Row{events[i], Describe(events[i])});
    Select(Count() - 1);
}

void CMacroDisplayItem::StartPreview(const std::vector<MacroDisplayEvent>& events, UINT stepMs, UINT longestWaitMs)
{
    StopPreview();
    previewEvents_ = events;
    previewNext_ = 0;
    previewStepMs_ = std::max<UINT>(1, stepMs);
    previewLongestWaitMs_ = std::max<UINT>(1, longestWaitMs);
    if (!previewEvents_.empty())
        SetTimer(kPreviewTimer, previewStepMs_);
}

void CMacroDisplayItem::StopPreview()
{
    KillTimer(kPreviewTimer);
    previewEvents_.clear();
    previewNext_ = 0;
    Clear();
}

void CMacroDisplayItem::PlayNextPreviewEvent()
{
    if (previewNext_ >= previewEvents_.size()) {
        KillTimer(kPreviewTimer);
        return;
    }
    const MacroDisplayEvent& event = previewEvents_[previewNext_++];
    rows_.push_back(Row{event, Describe(event)});
    Select(Count() - 1);
    if (previewNext_ >= previewEvents_.size()) {
        KillTimer(kPreviewTimer);
        return;
    }
    // A delay is waited out (shortened to the longest wait) before the next event.
    const UINT wait = event.kind == MacroDisplayEventKind::Delay
                          ? std::clamp<UINT>(event.milliseconds, 1, previewLongestWaitMs_)
                          : previewStepMs_;
    SetTimer(kPreviewTimer, wait);
}

void CMacroDisplayItem::OnTimer(UINT id)
{
    if (id == kPreviewTimer)
        PlayNextPreviewEvent();
    else
        CSkinWindow::OnTimer(id);
}

int CMacroDisplayItem::AddEvent(const MacroDisplayEvent& event)
{
    if (maxEvents_ > 0 && Count() >= maxEvents_)
        return -1;
    rows_.push_back(Row{event, Describe(event)});
    const int index = Count() - 1;
    Select(index);
    return index;
}

void CMacroDisplayItem::Clear()
{
    rows_.clear();
    selected_ = -1;
    topRow_ = 0;
    update();
}

void CMacroDisplayItem::Select(int index)
{
    const int previous = selected_;
    selected_ = (index >= 0 && index < Count()) ? index : -1;
    if (selected_ != previous)
        AnnounceEvent(this, QAccessible::Selection, selected_);
    if (selected_ >= 0)
        EnsureVisible(selected_);
    if (scrollBar_)
        scrollBar_->Sync();
    update();
}

void CMacroDisplayItem::EnsureVisible(int index)
{
    if (index < topRow_)
        ScrollTo(index);
    else if (index >= topRow_ + VisibleRows())
        ScrollTo(index - VisibleRows() + 1);
}

void CMacroDisplayItem::ScrollTo(int top)
{
    topRow_ = std::clamp(top, 0, std::max(0, Count() - VisibleRows()));
    if (scrollBar_)
        scrollBar_->Sync();
    update();
}

QImage CMacroDisplayItem::RowIcon(int index) const
{
    const MacroDisplayEvent& event = Event(index);
    const bool highlighted = index == selected_;
    switch (event.kind) {
    case MacroDisplayEventKind::Key:
        return event.down ? icons_.keyDown : icons_.keyUp;
    case MacroDisplayEventKind::MouseButton:
        return highlighted && !icons_.mouseHighlight.isNull() ? icons_.mouseHighlight : icons_.mouse;
    case MacroDisplayEventKind::Delay:
        return highlighted && !icons_.clockHighlight.isNull() ? icons_.clockHighlight : icons_.clock;
    }
    return {};
}

void CMacroDisplayItem::paintEvent(QPaintEvent*)
{
    QImage buffer = PaintBuffer(*this, QImage::Format_ARGB32_Premultiplied);
    buffer.fill(ToQColor(backColour_));
    {
        QPainter painter(&buffer);
        DrawInsideFrame(painter, rect(), borderColour_, borderWidth_);
        const QRect area = RowsArea();
        painter.setClipRect(area);
        painter.setFont(font_);
        const int rowHeight = RowHeight();
        const int descriptionWidth = descriptionWidth_ > 0 ? descriptionWidth_ : area.width() - iconWidth_;
        for (int i = topRow_; i < Count() && (i - topRow_) * rowHeight < area.height(); ++i) {
            const QRect row(area.left(), area.top() + (i - topRow_) * rowHeight, area.width(), rowHeight);
            const bool selected = i == selected_;
            if (selected)
                painter.fillRect(row, ToQColor(backHighlight_));
            const QImage icon = RowIcon(i);
            if (!icon.isNull()) {
                const QPoint at(row.left() + (iconWidth_ - icon.width()) / 2,
                                row.top() + (rowHeight - icon.height()) / 2);
                painter.drawImage(at, icon);
            }
            const QRect textRect(row.left() + iconWidth_ + leftMargin_, row.top(), descriptionWidth - leftMargin_,
                                 rowHeight);
            painter.setPen(ToQColor(selected ? fontHighlight_ : fontColour_));
            painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                             rows_[std::size_t(i)].text);
        }
    }
    QPainter(this).drawImage(0, 0, buffer);
}

void CMacroDisplayItem::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton)
        return;
    // Rows are not picked while the display records or plays a preview.
    if (recorder_.IsRecording() || IsPreviewing())
        return;
    const QRect area = RowsArea();
    const QPoint point = event->position().toPoint();
    if (!area.contains(point))
        return;
    const int index = topRow_ + (point.y() - area.top()) / RowHeight();
    if (index >= Count())
        return;
    Select(index);
    // A right press asks the owner for the event's options.
    if (event->button() == Qt::RightButton && owner)
        owner->PostMessage(WM_MACRO_EVENT_MENU, WPARAM(index), LPARAM(id));
}

void CMacroDisplayItem::keyPressEvent(QKeyEvent* event)
{
    const auto modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const bool menu = (event->key() == Qt::Key_Menu && modifiers == Qt::NoModifier) ||
                      (event->key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier);
    int index = -1;
    switch (modifiers == Qt::NoModifier ? event->key() : 0) {
    case Qt::Key_Up:
        index = selected_ < 0 ? Count() - 1 : std::max(0, selected_ - 1);
        break;
    case Qt::Key_Down:
        index = std::min(Count() - 1, selected_ + 1);
        break;
    case Qt::Key_Home:
        index = 0;
        break;
    case Qt::Key_End:
        index = Count() - 1;
        break;
    default:
        if (!menu) {
            CSkinWindow::keyPressEvent(event);
            return;
        }
    }
    event->accept();
    if (recorder_.IsRecording() || IsPreviewing() || Count() == 0)
        return;
    if (menu) {
        if (selected_ >= 0 && owner)
            owner->PostMessage(WM_MACRO_EVENT_MENU, WPARAM(selected_), LPARAM(id));
        return;
    }
    Select(index);
}

void CMacroDisplayItem::wheelEvent(QWheelEvent* event)
{
    const int notches = event->angleDelta().y() / 120;
    if (notches != 0)
        ScrollTo(topRow_ - notches);
    event->accept();
}
