// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one seam through which every modal run goes: skinned popups and list panels,
// the file open/save dialogs and the colour dialog. Without a script the real
// windows and Qt's dialogs are used; tests queue answers beforehand and read back
// what was run.
#include "platform/core/WinTypes.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CSkinWindow;

// Shows the window modally and runs a local event loop until the window calls
// EndModal (or is closed, which counts as IDCANCEL). `name` identifies the run for
// scripts and the record, e.g. the popup's skin file name. Returns the result;
// IDCANCEL also when the window is destroyed during the run or is already in a
// modal run.
int RunModal(CSkinWindow& window, std::string_view name);

struct FileDialogRequest {
    // Filter in the "Description (*.ext)|*.ext||" form, pairs separated by '|'.
    std::u16string filter;
    // Extension ("zmm" or ".zmm"), added to a typed name that has none.
    std::u16string defaultExtension;
    std::u16string initialDirectory;
    std::u16string initialFileName;
    std::u16string title;
};

// Ends, as cancelled, every modal run and dialog that began after `base`'s own run
// (every one when `base` is null or not in a run): skinned windows end with
// IDCANCEL, file and colour dialogs answer nothing. Their loops unwind once the
// caller returns to the event loop. Returns how many were still running; 0 means
// nothing is open above `base` any more.
size_t CancelModalRunsAbove(const CSkinWindow* base);

// The chosen path, or nothing when the user cancelled.
std::optional<std::u16string> GetOpenFileName(const FileDialogRequest& request);
std::optional<std::u16string> GetSaveFileName(const FileDialogRequest& request);
// The chosen colour, or nothing when the user cancelled.
std::optional<COLORREF> ChooseColor(COLORREF initial);

// Turns a "Desc (*.a)|*.a|Other|*.b||" filter into Qt's "Desc (*.a);;Other (*.b)".
std::u16string QtFilterFromPairs(std::u16string_view filter);

// What a modal run or dialog was, in the order they happened.
struct ModalRecord {
    enum class Kind { Window, OpenFile, SaveFile, Colour };
    Kind kind = Kind::Window;
    std::string name;      // for windows: the run's name
    bool scripted = false; // answered by the script rather than by a person
    int result = IDCANCEL; // IDOK or IDCANCEL for dialogs, the window's result otherwise
    FileDialogRequest fileRequest;
    std::optional<std::u16string> path;
    std::optional<COLORREF> colour;
};

// Queued answers for tests. GUI thread only.
class ModalScript {
public:
    // The next run of a window named `name` shows the window, calls `action` on it
    // (if given), and ends with `result` unless the window ended the run itself.
    static void EndNextRun(std::string name, int result, std::function<void(CSkinWindow&)> action = {});
    // The next open (save) dialog answers `path`, or cancels when it is empty.
    static void AnswerNextOpenFile(std::optional<std::u16string> path);
    static void AnswerNextSaveFile(std::optional<std::u16string> path);
    // The next file dialog of either kind.
    static void AnswerNextFileDialog(std::optional<std::u16string> path);
    // The next colour dialog answers `colour`, or cancels when it is empty.
    static void AnswerNextColour(std::optional<COLORREF> colour);
    // Strict: a run or dialog with no queued answer is not shown; it is recorded
    // and answers IDCANCEL (nothing), so a test cannot hang on an unexpected popup.
    static void SetStrict(bool strict);

    static const std::vector<ModalRecord>& Records();
    static size_t PendingAnswers();
    // Forgets queued answers and records and leaves strict mode.
    static void Reset();
};
