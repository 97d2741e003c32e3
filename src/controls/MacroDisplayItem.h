// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The list in which the macro page shows the events of a macro (`MACRODISPLAY`,
// kind 10): one row per event with an icon (key pressed or released, mouse button,
// delay clock) and a description. It records a macro from raw input while asked
// to, and plays one back row by row as a preview.
#include <QFont>
#include <QImage>
#include <QPointer>
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "controls/ControlDrawing.h"
#include "controls/MacroDisplayEvent.h"
#include "controls/MacroRecorder.h"
#include "controls/VScrollBar.h"
#include "platform/SkinWindow.h"
#include "skin/GUIItem.h"
#include "skin/SkinGeometry.h"

struct MacroDisplayElement;

// Posted to the display's owner by a right press on a row: wParam the row, lParam
// the display's item id. The owner offers the event's options.
constexpr UINT WM_MACRO_EVENT_MENU = WM_USER + 540; // 1564

class CMacroDisplayItem : public CSkinWindow, public CGUIItem, public IScrollTarget {
public:
    CMacroDisplayItem(int itemId, CSkinWindow* parent, CSkinWindow* itemOwner, const SkinRect& rect);
    static std::unique_ptr<CMacroDisplayItem> FromElement(const MacroDisplayElement& element, CSkinWindow* itemOwner);

    // A key or button: its name followed directly by "Up" or "Down", translated when
    // that makes a text key. A delay: "%.3f %s" of the seconds and "$secondsdelay".
    static QString Describe(const MacroDisplayEvent& event);

    struct Icons {
        QImage keyDown, keyUp, mouse, mouseHighlight, clock, clockHighlight;
    };
    void SetIcons(const Icons& icons);
    // Column widths of the icon and the description (from the list columns).
    void SetColumns(int iconWidth, int descriptionWidth);
    void SetColours(COLORREF font, COLORREF fontHighlight, COLORREF back, COLORREF backHighlight, COLORREF border);
    void SetBorderWidth(int width) { borderWidth_ = width; }
    void SetLeftMargin(int margin) { leftMargin_ = margin; }
    void SetFont(const QFont& font);
    // 0 for no limit; also the most events a recording takes.
    void SetMaxEvents(int max);
    int MaxEvents() const { return maxEvents_; }
    // A read-only display never records.
    void SetReadOnly(bool readOnly);
    bool IsReadOnly() const { return readOnly_; }

    // Appends a row, scrolls it into view and selects it. Returns its index, or -1
    // when the display already holds its maximum (`max`, 0 for no limit).
    int AddEvent(const MacroDisplayEvent& event);
    // Replaces every row by `events` (cut at the maximum); nothing selected.
    void SetEvents(const std::vector<MacroDisplayEvent>& events);
    std::vector<MacroDisplayEvent> Events() const;
    // Inserts `events` after row `after` (at the start for -1), selects the last one
    // inserted and scrolls it into view. Returns its index; -1, with nothing
    // inserted, when they would not all fit or `after` is not a row or -1.
    int InsertEvents(int after, const std::vector<MacroDisplayEvent>& events);
    // False for an index that is not a row.
    bool RemoveEvent(int index);
    bool ReplaceEvent(int index, const MacroDisplayEvent& event);
    void Clear();
    int Count() const { return int(rows_.size()); }
    const MacroDisplayEvent& Event(int index) const { return rows_.at(std::size_t(index)).event; }
    QString RowText(int index) const { return rows_.at(std::size_t(index)).text; }
    // The icon drawn for a row (its highlighted form when the row is selected).
    QImage RowIcon(int index) const;

    int Selected() const { return selected_; }
    void Select(int index);
    int TopRow() const { return topRow_; }
    int RowHeight() const;
    int VisibleRows() const;
    // The row's rectangle in the display (rows scrolled away lie outside it).
    QRect RowRect(int index) const;

    // --- recording ---------------------------------------------------------------
    // Clears the rows and records raw keyboard and mouse input into them until
    // StopRecording. Mouse input while `stopControl` has the mouse (the click that
    // stops the recording) is not recorded. False, with nothing changed, for a
    // read-only display or when the raw input registration fails.
    bool StartRecording(QWidget* stopControl);
    // Ends the recording and removes the raw input registration. Returns the
    // recorded events (nothing recorded: empty).
    std::vector<MacroDisplayEvent> StopRecording();
    bool IsRecording() const { return recorder_.IsRecording(); }
    CMacroRecorder& Recorder() { return recorder_; }
    const CMacroRecorder& Recorder() const { return recorder_; }

    // --- preview -------------------------------------------------------------------
    // Clears the rows and adds `events` one by one: each after the delay before it
    // (at most `longestWaitMs`), other events `stepMs` apart.
    void StartPreview(const std::vector<MacroDisplayEvent>& events, UINT stepMs = 60, UINT longestWaitMs = 2000);
    // Stops the playback and clears the rows.
    void StopPreview();
    bool IsPreviewing() const { return HasTimer(kPreviewTimer); }
    static constexpr UINT kPreviewTimer = 1;

    // The skinned scroll bar at the right edge (none without `VSCROLL`).
    void SetScrollBar(const ScrollBarInfo& info);
    CVScrollBar* ScrollBar() const { return scrollBar_; }
    ScrollState GetScrollState() const override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // Up, Down, Home and End pick an event as a click does; the menu key (or
    // Shift+F10) asks for its options as a right click does.
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void OnTimer(UINT id) override;

private:
    struct Row {
        MacroDisplayEvent event;
        QString text;
    };
    bool StopControlHasMouse() const;
    void OnRawInput(const RawInput& record);
    void PlayNextPreviewEvent();
    void EnsureVisible(int index);
    void ScrollTo(int top);
    QRect RowsArea() const;

    std::vector<Row> rows_;
    Icons icons_;
    int iconWidth_ = 24;
    int descriptionWidth_ = 0; // 0: the rest of the width
    COLORREF fontColour_ = kDefaultTextColor;
    COLORREF fontHighlight_ = kDefaultTextColor;
    COLORREF backColour_ = 0;
    COLORREF backHighlight_ = RGB(0x36, 0x2E, 0x05);
    COLORREF borderColour_ = RGB(0x48, 0x3D, 0x06);
    int borderWidth_ = 0;
    int leftMargin_ = 2;
    int scrollBarWidth_ = 0;
    CVScrollBar* scrollBar_ = nullptr;
    QFont font_;
    int maxEvents_ = 0;
    bool readOnly_ = false;
    int selected_ = -1;
    int topRow_ = 0;
    CMacroRecorder recorder_;
    QPointer<QWidget> stopControl_;
    std::vector<MacroDisplayEvent> previewEvents_;
    std::size_t previewNext_ = 0;
    UINT previewStepMs_ = 60;
    UINT previewLongestWaitMs_ = 2000;
};
