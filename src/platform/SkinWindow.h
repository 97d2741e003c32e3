// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The base of every skinned window: controls, panels, popups and the main window.
// It gives the code written against numbered messages what it expects of a window:
// a window procedure reached by SendMessage/PostMessage from any thread, timers by
// id, mouse capture, hover notifications, a shape cut from a mask image, dragging by
// the client area, and a modal run that the window ends itself (see ModalService.h).
#include "platform/core/MessageTarget.h"
#include "platform/core/Messages.h"

#include <QImage>
#include <QRegion>
#include <QWidget>
#include <atomic>
#include <map>
#include <memory>
#include <string_view>

class QEventLoop;

// How a mask image becomes a window shape.
enum class MaskKind {
    ControlMask, // every pixel that is not pure white (255, 255, 255) is inside
    ColourKey,   // every pixel that is not magenta (0xFF00FF) is inside; magenta is a hole
};

// No Q_OBJECT here, so that derived windows need no meta-object compiler unless
// they declare signals themselves.
class CSkinWindow : public QWidget, public IMessageTarget {
public:
    explicit CSkinWindow(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
    ~CSkinWindow() override;
    CSkinWindow(const CSkinWindow&) = delete;
    CSkinWindow& operator=(const CSkinWindow&) = delete;

    // The window procedure: every message sent or posted to this window ends here.
    // The default answers 0.
    virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);

    // On the window's thread the procedure is called directly. From another thread
    // the message is queued to the window's thread and the caller blocks until it
    // has been handled; if the window is destroyed first, the caller gets 0. Other
    // threads must stop using the window's handle before it is destroyed (the
    // progress sources forget a popup before it closes).
    LRESULT SendMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Queued on the window's thread; false while the window is being destroyed.
    bool PostMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Messages sent from other threads that wait in this window's queue.
    int QueuedSends() const { return queuedSends_->load(); }

    // The free functions, reachable unqualified from inside window classes, where
    // the members above would otherwise hide them.
    static LRESULT SendMessage(HWND target, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        return ::SendMessage(target, msg, wParam, lParam);
    }
    static bool PostMessage(HWND target, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        return ::PostMessage(target, msg, wParam, lParam);
    }

    HWND GetHandle() { return this; }
    // The nearest enclosing skinned window (the one controls notify), or null.
    CSkinWindow* GetParentWindow() const;

    // Timers by id, on the window's thread only (false from another thread).
    // Setting an id that runs restarts it with the new period; periods below 10 ms
    // are raised to 10 ms, as on the original platform, so that a 0 never spins.
    bool SetTimer(UINT id, UINT milliseconds);
    bool KillTimer(UINT id);
    bool HasTimer(UINT id) const;
    // Called on the window's thread for each expiry; the default hands WM_TIMER
    // (wParam = id) to the window procedure.
    virtual void OnTimer(UINT id);

    // Schedules a repaint of the whole window.
    void Invalidate();

    // While captured, the window receives every mouse move and release, also outside it.
    void SetCapture();
    void ReleaseCapture();
    bool HasCapture() const;

    // Hover: called when the pointer enters or leaves the window.
    virtual void OnMouseEnter() {}
    virtual void OnMouseLeave() {}
    bool IsHovered() const { return hovered_; }

    // Cuts the window to the inside of the mask (see MaskKind). The region is kept
    // as made, also when it is empty (then nothing of the window is shown).
    void SetRegionFromMask(const QImage& mask, MaskKind kind);
    void ClearRegion();
    static QRegion RegionFromMask(const QImage& mask, MaskKind kind);
    // Every pixel whose colour (alpha ignored) differs from `outside`.
    static QRegion RegionWithoutColour(const QImage& image, QRgb outside);
    bool HasRegion() const { return hasRegion_; }
    const QRegion& Region() const { return region_; }

    // With drag enabled, a left press on the window's own background (not on a
    // child control) moves the window with the pointer.
    void EnableClientAreaDrag(bool enable) { clientAreaDrag_ = enable; }
    bool IsClientAreaDragEnabled() const { return clientAreaDrag_; }

    // Ends the modal run of this window with the given result (IDOK, IDCANCEL or
    // any other value). Called before the run has entered its loop (while the
    // window is being shown), the run returns at once with that result.
    void EndModal(int result);
    bool IsInModalRun() const { return modalLoop_ != nullptr; }
    // True once the current (or last) modal run has been asked to end.
    bool IsModalRunEnded() const { return modalEnded_; }

protected:
    bool event(QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    friend int RunModal(CSkinWindow& window, std::string_view name);
    friend size_t CancelModalRunsAbove(const CSkinWindow* base);

    LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
    void ApplyRegion();

    // Shared with queued sends so that a sender never touches the window after queuing.
    std::shared_ptr<std::atomic<int>> queuedSends_ = std::make_shared<std::atomic<int>>(0);
    std::map<UINT, int> timers_; // our id -> Qt timer id
    QRegion region_;
    bool hasRegion_ = false;
    bool hovered_ = false;
    bool clientAreaDrag_ = false;
    std::atomic<bool> destroying_{false}; // read by senders on other threads

    QEventLoop* modalLoop_ = nullptr;
    int modalResult_ = IDCANCEL;
    bool modalEnded_ = false;
};
