// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every message number the windows of this program exchange. The values are fixed:
// controls, pages, popups and the device layer agree on them, and several travel
// between threads. Each line says what wParam and lParam carry.
#include "platform/core/WinTypes.h"

// --- Ranges -------------------------------------------------------------------
constexpr UINT WM_USER = 0x0400; // first private window message
constexpr UINT WM_APP = 0x8000;  // first private application message

// --- General window messages ---------------------------------------------------
constexpr UINT WM_NULL = 0x0000;  // nothing; wParam 0, lParam 0
constexpr UINT WM_CLOSE = 0x0010; // a request to close the window; wParam 0, lParam 0
constexpr UINT WM_HELP = 0x0053;  // F1 pressed; wParam 0, lParam 0
constexpr UINT WM_INPUT = 0x00FF; // raw input; wParam 0, lParam const RawInput* valid during the call
constexpr UINT WM_COMMAND =
    0x0111; // control notification; wParam MAKEWPARAM(control id, code), lParam the control's HWND
constexpr UINT WM_TIMER = 0x0113; // a timer fired; wParam the timer id, lParam 0

// Notification codes carried in the high half of WM_COMMAND's wParam.
constexpr WORD BN_CLICKED = 0;     // a button or interactive text item was clicked
constexpr WORD EN_CHANGE = 0x0300; // an edit field's text changed

// --- Device notifications --------------------------------------------------------
constexpr UINT WM_DEVICECHANGE = 0x0219;            // wParam the event (DBT_*), lParam const DeviceInterfaceBroadcast*
constexpr WPARAM DBT_DEVICEARRIVAL = 0x8000;        // a device interface appeared
constexpr WPARAM DBT_DEVICEREMOVECOMPLETE = 0x8004; // a device interface is gone
constexpr DWORD DBT_DEVTYP_DEVICEINTERFACE = 5;     // the broadcast describes a device interface

// --- Progress of device transfers (sent by a progress source, synchronously) --------
constexpr UINT WM_DEVICE_PROGRESS = WM_USER + 30;      // 1054: wParam the source, lParam the percent
constexpr UINT WM_DEVICE_PROGRESS_TEXT = WM_USER + 31; // 1055: wParam the source, lParam const char16_t* text

// --- Progress popup control (posted from the main thread to the popup) ---------------
constexpr UINT WM_PROGRESS_CLOSE = WM_APP + 8;    // 32776: close the popup; no parameters
constexpr UINT WM_PROGRESS_SHOW = WM_APP + 9;     // 32777: show the popup; no parameters
constexpr UINT WM_PROGRESS_HIDE = WM_APP + 10;    // 32778: hide the popup; no parameters
constexpr UINT WM_PROGRESS_SETTEXT = WM_APP + 11; // 32779: wParam const char16_t* status text, lParam 0

// --- Sliders, tracks and markers -----------------------------------------------
constexpr UINT WM_SLIDER_RELEASED = WM_USER + 70;      // 1094: wParam the value, lParam the thumb/slider item id
constexpr UINT WM_SLIDER_CHANGING = WM_USER + 71;      // 1095: wParam the value while dragging, lParam the item id
constexpr UINT WM_SLIDER_TRACK_CLICKED = WM_USER + 72; // 1096: wParam the track item id, lParam MAKELPARAM(x, y)
constexpr UINT WM_SLIDER_THUMB_MOVED_X = WM_USER + 73; // 1097: wParam 0, lParam the horizontal thumb's x
constexpr UINT WM_SLIDER_THUMB_MOVED_Y = WM_USER + 74; // 1098: wParam 0, lParam the vertical thumb's y
constexpr UINT WM_MARKER_CHANGED = WM_USER + 90;       // 1114: wParam the new value, lParam the marker item id
constexpr UINT WM_APM_SEGMENT_CLICKED = WM_USER + 502; // 1526: wParam the segment index, lParam the slider item id

// --- Edit fields and single-key entry ---------------------------------------------
constexpr UINT WM_EDIT_TEXT_CHANGED = WM_USER + 200;  // 1224: wParam 0, lParam the edit field's HWND
constexpr UINT WM_SINGLE_KEY_CHANGED = WM_USER + 223; // 1247: wParam 0, lParam the key field's HWND

// --- Colour drop-down and its palette ----------------------------------------------
constexpr UINT WM_COLOUR_PICKED = WM_USER + 220;    // 1244: to the owner wParam 100 (preview) or the final code,
                                                    //       lParam the colour; palette to button the reverse
constexpr UINT WM_COLOUR_CANCELLED = WM_USER + 221; // 1245: wParam the colour from before, lParam the button's id
constexpr UINT WM_COLOUR_CUSTOM = WM_USER + 222;    // 1246: the "$Custom" button was pressed; no parameters
constexpr UINT WM_COLOUR_CHANGED = WM_USER + 223;   // 1247: wParam the new colour, lParam the button's id

// --- List control with cell kinds (all sent to the owner). The cell records are
// structures of 32-bit fields {row user value, column, text or state pointer},
// valid during the call. ---------------------------------------------------------
constexpr UINT WM_LIST_APP_CELL_CHANGED = WM_USER + 301;     // 1325: wParam list HWND, lParam -> cell record
constexpr UINT WM_LIST_CHECK_TOGGLED = WM_USER + 302;        // 1326: wParam list HWND, lParam -> cell record
constexpr UINT WM_LIST_ROW_CLICKED = WM_USER + 508;          // 1532: wParam the row's user value, lParam list HWND
constexpr UINT WM_LIST_CELL_DOUBLE_CLICKED = WM_USER + 516;  // 1540: wParam list HWND, lParam -> cell record
constexpr UINT WM_LIST_CONTEXT_MENU_OPENING = WM_USER + 518; // 1542: wParam list HWND, lParam -> cell record
constexpr UINT WM_LIST_CONTEXT_MENU_CHOSEN = WM_USER + 520;  // 1544: wParam list HWND, lParam -> cell record
constexpr UINT WM_LIST_CELL_EDITED = WM_USER + 521;          // 1545: wParam list HWND, lParam -> cell record

// --- List panels and drop-down lists ---------------------------------------------
constexpr UINT WM_LIST_PANEL_CLOSE = WM_USER + 304;      // 1328: wParam the sub-panel choice, lParam the row or -1
constexpr UINT WM_LIST_PANEL_ROW_CHOSEN = WM_USER + 533; // 1557: wParam the row index, lParam the panel item id
constexpr UINT WM_DROPDOWN_SELECTED = WM_USER + 532;     // 1556: wParam the chosen index, lParam the drop-down HWND
constexpr UINT WM_DROPDOWN_OPENING = WM_USER + 564;      // 1588: wParam 0, lParam the drop-down HWND

// --- Sensitivity stage windows ----------------------------------------------------
constexpr UINT WM_STAGE_CLICKED = WM_USER + 500; // 1524: sent; wParam the stage index, lParam the window's item id

// --- Page notifications served by the main window's pages ---------------------------
constexpr UINT WM_PAGE_NOTIFY_FIRST = WM_USER + 700;  // 1724: parameters defined by the sending page control
constexpr UINT WM_PAGE_NOTIFY_SECOND = WM_USER + 701; // 1725: parameters defined by the sending page control
constexpr UINT WM_PAGE_NOTIFY_THIRD = WM_USER + 702;  // 1726: parameters defined by the sending page control
