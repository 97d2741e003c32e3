// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/RawInputFilter.h"

#include "platform/core/ScanCodes.h"
#include "platform/core/VirtualKeys.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace {

// The keypad digit of a keypad scan code (navigation meaning without Num Lock), or -1.
int KeypadDigit(USHORT makeCode)
{
    switch (makeCode) {
    case 0x47:
        return 7;
    case 0x48:
        return 8;
    case 0x49:
        return 9;
    case 0x4B:
        return 4;
    case 0x4C:
        return 5;
    case 0x4D:
        return 6;
    case 0x4F:
        return 1;
    case 0x50:
        return 2;
    case 0x51:
        return 3;
    case 0x52:
        return 0;
    default:
        return -1;
    }
}

// Qt reports the character a keypad key produced, which tells whether Num Lock was on.
bool KeypadProducedDigit(const QKeyEvent& event)
{
    const int key = event.key();
    return (event.modifiers() & Qt::KeypadModifier) &&
           ((key >= Qt::Key_0 && key <= Qt::Key_9) || key == Qt::Key_Period || key == Qt::Key_Comma);
}

constexpr USHORT kUnknownVirtualKey = 0xFF;

} // namespace

void RawInputFilter::EnsureInstalled()
{
    static QPointer<RawInputFilter> installed;
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || installed)
        return;
    installed = new RawInputFilter(app);
    app->installEventFilter(installed);
}

std::optional<RawInput> RawInputFilter::KeyboardRecord(const QKeyEvent& event)
{
    const quint32 native = event.nativeScanCode();
    if (native < kXkbKeycodeOffset)
        return std::nullopt;
    const auto code = Set1FromEvdev(native - kXkbKeycodeOffset);
    if (!code)
        return std::nullopt;

    const bool released = event.type() == QEvent::KeyRelease;
    RawInput record;
    record.type = RIM_TYPEKEYBOARD;
    RawKeyboard& key = record.keyboard;
    key.makeCode = code->makeCode;
    key.flags =
        USHORT((released ? RI_KEY_BREAK : RI_KEY_MAKE) | (code->e0 ? RI_KEY_E0 : 0) | (code->e1 ? RI_KEY_E1 : 0));
    if (code->e1) {
        key.vKey = VK_PAUSE;
    } else {
        UINT vk = MapVirtualKey(code->e0 ? (0xE000u | code->makeCode) : code->makeCode, MAPVK_VSC_TO_VK);
        if (!code->e0 && KeypadProducedDigit(event)) {
            const int digit = KeypadDigit(code->makeCode);
            if (digit >= 0)
                vk = VK_NUMPAD0 + UINT(digit);
            else if (code->makeCode == 0x53)
                vk = VK_DECIMAL;
        }
        key.vKey = vk ? USHORT(vk) : kUnknownVirtualKey;
    }
    const bool alt = (event.modifiers() & Qt::AltModifier) || key.vKey == VK_MENU;
    const bool ctrl = event.modifiers() & Qt::ControlModifier;
    if (alt && !ctrl)
        key.message = released ? WM_SYSKEYUP : WM_SYSKEYDOWN;
    else
        key.message = released ? WM_KEYUP : WM_KEYDOWN;
    return record;
}

std::vector<RawInput> RawInputFilter::KeyboardRecords(const QKeyEvent& event)
{
    std::vector<RawInput> records;
    auto record = KeyboardRecord(event);
    if (!record)
        return records;
    records.push_back(*record);
    if (record->keyboard.flags & RI_KEY_E1) {
        RawInput tail = *record;
        tail.keyboard.makeCode = 0x45;
        tail.keyboard.flags = USHORT(record->keyboard.flags & RI_KEY_BREAK);
        tail.keyboard.vKey = kUnknownVirtualKey;
        records.push_back(tail);
    }
    return records;
}

std::optional<RawInput> RawInputFilter::MouseButtonRecord(const QMouseEvent& event)
{
    const bool down = event.type() == QEvent::MouseButtonPress || event.type() == QEvent::MouseButtonDblClick;
    const bool up = event.type() == QEvent::MouseButtonRelease;
    if (!down && !up)
        return std::nullopt;
    USHORT flags = 0;
    switch (event.button()) {
    case Qt::LeftButton:
        flags = down ? RI_MOUSE_LEFT_BUTTON_DOWN : RI_MOUSE_LEFT_BUTTON_UP;
        break;
    case Qt::RightButton:
        flags = down ? RI_MOUSE_RIGHT_BUTTON_DOWN : RI_MOUSE_RIGHT_BUTTON_UP;
        break;
    case Qt::MiddleButton:
        flags = down ? RI_MOUSE_MIDDLE_BUTTON_DOWN : RI_MOUSE_MIDDLE_BUTTON_UP;
        break;
    case Qt::XButton1:
        flags = down ? RI_MOUSE_BUTTON_4_DOWN : RI_MOUSE_BUTTON_4_UP;
        break;
    case Qt::XButton2:
        flags = down ? RI_MOUSE_BUTTON_5_DOWN : RI_MOUSE_BUTTON_5_UP;
        break;
    default:
        return std::nullopt;
    }
    RawInput record;
    record.type = RIM_TYPEMOUSE;
    record.mouse.buttonFlags = flags;
    return record;
}

std::optional<RawInput> RawInputFilter::WheelRecord(const QWheelEvent& event)
{
    const QPoint delta = event.angleDelta();
    RawInput record;
    record.type = RIM_TYPEMOUSE;
    if (delta.y() != 0) {
        record.mouse.buttonFlags = RI_MOUSE_WHEEL;
        record.mouse.buttonData = USHORT(int16_t(std::clamp(delta.y(), -32768, 32767)));
    } else if (delta.x() != 0) {
        record.mouse.buttonFlags = RI_MOUSE_HWHEEL;
        record.mouse.buttonData = USHORT(int16_t(std::clamp(delta.x(), -32768, 32767)));
    } else {
        return std::nullopt;
    }
    return record;
}

bool RawInputFilter::eventFilter(QObject* watched, QEvent* event)
{
    // Input reaches the top-level window first and is then passed on to widgets
    // (and propagated to their parents); looking only at the window sees each
    // event exactly once.
    if (!watched->isWindowType())
        return false;

    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        const auto& keyEvent = *static_cast<QKeyEvent*>(event);
        const auto registration = GetRawInputRegistration(HID_USAGE_GENERIC_KEYBOARD);
        if (!registration)
            return false;
        // A held key repeats presses; a repeated release is not a real release.
        if (!(keyEvent.type() == QEvent::KeyRelease && keyEvent.isAutoRepeat())) {
            for (const RawInput& record : KeyboardRecords(keyEvent))
                DeliverRawInput(record);
        }
        return (registration->flags & RIDEV_NOLEGACY) == RIDEV_NOLEGACY;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
        if (GetRawInputRegistration(HID_USAGE_GENERIC_MOUSE)) {
            if (auto record = MouseButtonRecord(*static_cast<QMouseEvent*>(event)))
                DeliverRawInput(*record);
        }
        return false;
    case QEvent::MouseMove: {
        const QPointF position = static_cast<QMouseEvent*>(event)->globalPosition();
        const QPointF previous = lastGlobalPosition_.value_or(position);
        lastGlobalPosition_ = position;
        if (GetRawInputRegistration(HID_USAGE_GENERIC_MOUSE)) {
            RawInput record;
            record.type = RIM_TYPEMOUSE;
            record.mouse.lastX = LONG(std::lround(position.x() - previous.x()));
            record.mouse.lastY = LONG(std::lround(position.y() - previous.y()));
            DeliverRawInput(record);
        }
        return false;
    }
    case QEvent::Wheel:
        if (GetRawInputRegistration(HID_USAGE_GENERIC_MOUSE)) {
            if (auto record = WheelRecord(*static_cast<QWheelEvent*>(event)))
                DeliverRawInput(*record);
        }
        return false;
    default:
        return false;
    }
}
