// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SkinWindow.h"

#include "platform/RawInputFilter.h"
#include "platform/core/MessageWait.h"
#include "platform/core/RawInput.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QMouseEvent>
#include <QThread>
#include <QTimerEvent>
#include <QWindow>
#include <algorithm>
#include <condition_variable>
#include <memory>
#include <mutex>

namespace {

const QEvent::Type kMessageEventType = static_cast<QEvent::Type>(QEvent::registerEventType());

// The rendezvous between a thread blocked in SendMessage and the window's thread.
class SendCompletion {
public:
    void Complete(LRESULT result)
    {
        {
            std::lock_guard lock(mutex_);
            if (done_)
                return;
            result_ = result;
            done_ = true;
        }
        cv_.notify_all();
    }
    LRESULT Wait()
    {
        std::unique_lock lock(mutex_);
        cv_.wait(lock, [this] { return done_; });
        return result_;
    }

private:
    std::mutex mutex_;
    std::condition_variable cv_;
    bool done_ = false;
    LRESULT result_ = 0;
};

// A message in the window thread's queue. When the window goes away before the
// event is delivered, Qt deletes the event unhandled; the destructor then releases
// a waiting sender with 0 so that it never blocks forever.
class MessageEvent : public QEvent {
public:
    MessageEvent(UINT msg, WPARAM wParam, LPARAM lParam, std::shared_ptr<SendCompletion> completion,
                 std::shared_ptr<std::atomic<int>> queuedSends)
        : QEvent(kMessageEventType), msg(msg), wParam(wParam), lParam(lParam), completion(std::move(completion)),
          queuedSends(std::move(queuedSends))
    {
    }
    ~MessageEvent() override { Finish(0); }

    void Finish(LRESULT result)
    {
        if (completion) {
            queuedSends->fetch_sub(1);
            completion->Complete(result);
            completion.reset();
        }
    }

    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    std::shared_ptr<SendCompletion> completion;
    std::shared_ptr<std::atomic<int>> queuedSends;
};

// Every window lives on the application's thread: a wait there delivers the
// messages other threads have sent to windows.
bool DeliverSentMessages()
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() != app->thread())
        return false;
    QCoreApplication::sendPostedEvents(nullptr, kMessageEventType);
    return true;
}

} // namespace

CSkinWindow::CSkinWindow(QWidget* parent, Qt::WindowFlags flags) : QWidget(parent, flags)
{
    RawInputFilter::EnsureInstalled();
    SetMessagePump(&DeliverSentMessages);
}

CSkinWindow::~CSkinWindow()
{
    destroying_ = true;
    ForgetRawInputTarget(this);
    if (modalLoop_)
        modalLoop_->exit(IDCANCEL);
    // Children are destroyed now, while this object is still a complete window, so
    // that a control notifying its parent during its own destruction reaches a
    // window that answers 0 instead of a half-destroyed object.
    const auto children = findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget* child : children)
        delete child;
}

LRESULT CSkinWindow::WindowProc(UINT, WPARAM, LPARAM)
{
    return 0;
}

LRESULT CSkinWindow::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (destroying_)
        return 0;
    return WindowProc(msg, wParam, lParam);
}

LRESULT CSkinWindow::SendMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (destroying_)
        return 0;
    if (QThread::currentThread() == thread())
        return Dispatch(msg, wParam, lParam);
    if (!QCoreApplication::instance())
        return 0;
    auto completion = std::make_shared<SendCompletion>();
    auto queued = queuedSends_;
    queued->fetch_add(1);
    QCoreApplication::postEvent(this, new MessageEvent(msg, wParam, lParam, completion, queued));
    // From here on only the shared objects are used: the window may already be gone.
    return completion->Wait();
}

bool CSkinWindow::PostMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (destroying_ || !QCoreApplication::instance())
        return false;
    QCoreApplication::postEvent(this, new MessageEvent(msg, wParam, lParam, nullptr, queuedSends_));
    return true;
}

bool CSkinWindow::event(QEvent* event)
{
    if (event->type() == kMessageEventType) {
        auto* message = static_cast<MessageEvent*>(event);
        // The window procedure may destroy this window; the event itself lives until
        // Qt deletes it after delivery, so finishing through it stays valid.
        const LRESULT result = Dispatch(message->msg, message->wParam, message->lParam);
        message->Finish(result);
        return true;
    }
    return QWidget::event(event);
}

CSkinWindow* CSkinWindow::GetParentWindow() const
{
    for (QWidget* p = parentWidget(); p; p = p->parentWidget()) {
        if (auto* skinned = dynamic_cast<CSkinWindow*>(p))
            return skinned;
    }
    return nullptr;
}

bool CSkinWindow::SetTimer(UINT id, UINT milliseconds)
{
    constexpr UINT kMinimumPeriod = 10;
    if (QThread::currentThread() != thread() || destroying_)
        return false;
    KillTimer(id);
    const int qtId = startTimer(int(std::clamp<UINT>(milliseconds, kMinimumPeriod, INT32_MAX)));
    if (qtId == 0)
        return false;
    timers_[id] = qtId;
    return true;
}

bool CSkinWindow::KillTimer(UINT id)
{
    if (QThread::currentThread() != thread())
        return false;
    auto it = timers_.find(id);
    if (it == timers_.end())
        return false;
    killTimer(it->second);
    timers_.erase(it);
    return true;
}

bool CSkinWindow::HasTimer(UINT id) const
{
    return timers_.count(id) != 0;
}

void CSkinWindow::OnTimer(UINT id)
{
    Dispatch(WM_TIMER, id, 0);
}

void CSkinWindow::timerEvent(QTimerEvent* event)
{
    for (const auto& [id, qtId] : timers_) {
        if (qtId == event->timerId()) {
            OnTimer(id);
            return;
        }
    }
    QWidget::timerEvent(event);
}

void CSkinWindow::Invalidate()
{
    update();
}

void CSkinWindow::SetCapture()
{
    if (isVisible())
        grabMouse();
}

void CSkinWindow::ReleaseCapture()
{
    if (HasCapture())
        releaseMouse();
}

bool CSkinWindow::HasCapture() const
{
    return QWidget::mouseGrabber() == this;
}

void CSkinWindow::enterEvent(QEnterEvent* event)
{
    hovered_ = true;
    OnMouseEnter();
    QWidget::enterEvent(event);
}

void CSkinWindow::leaveEvent(QEvent* event)
{
    hovered_ = false;
    OnMouseLeave();
    QWidget::leaveEvent(event);
}

QRegion CSkinWindow::RegionWithoutColour(const QImage& image, QRgb outside)
{
    QRegion region;
    if (image.isNull())
        return region;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const QRgb key = outside & 0xFFFFFF;
    // Row by row, one rectangle per horizontal run of inside pixels.
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        int runStart = -1;
        for (int x = 0; x <= rgb.width(); ++x) {
            const bool inside = x < rgb.width() && (line[x] & 0xFFFFFF) != key;
            if (inside && runStart < 0) {
                runStart = x;
            } else if (!inside && runStart >= 0) {
                region += QRect(runStart, y, x - runStart, 1);
                runStart = -1;
            }
        }
    }
    return region;
}

QRegion CSkinWindow::RegionFromMask(const QImage& mask, MaskKind kind)
{
    return RegionWithoutColour(mask, kind == MaskKind::ControlMask ? qRgb(0xFF, 0xFF, 0xFF) : qRgb(0xFF, 0x00, 0xFF));
}

void CSkinWindow::SetRegionFromMask(const QImage& mask, MaskKind kind)
{
    region_ = RegionFromMask(mask, kind);
    hasRegion_ = true;
    ApplyRegion();
}

void CSkinWindow::ClearRegion()
{
    region_ = QRegion();
    hasRegion_ = false;
    clearMask();
}

void CSkinWindow::ApplyRegion()
{
    // Qt treats an empty mask as "no mask" and would show the whole window; a mask
    // that lies entirely outside the window shows nothing, as an empty region must.
    if (region_.isEmpty())
        setMask(QRegion(-1, -1, 1, 1));
    else
        setMask(region_);
}

void CSkinWindow::mousePressEvent(QMouseEvent* event)
{
    if (clientAreaDrag_ && event->button() == Qt::LeftButton && !childAt(event->position().toPoint())) {
        QWindow* handle = window()->windowHandle();
        // Platforms without a window manager move (offscreen) refuse; the press then
        // goes on as an ordinary one.
        if (handle && handle->startSystemMove()) {
            event->accept();
            return;
        }
    }
    QWidget::mousePressEvent(event);
}

void CSkinWindow::closeEvent(QCloseEvent* event)
{
    if (modalLoop_ && !modalEnded_)
        EndModal(IDCANCEL);
    QWidget::closeEvent(event);
}

void CSkinWindow::EndModal(int result)
{
    modalResult_ = result;
    modalEnded_ = true;
    if (modalLoop_)
        modalLoop_->exit(result);
}
