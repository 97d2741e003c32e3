// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ModalService.h"

#include "platform/SkinWindow.h"

#include <QApplication>
#include <QColorDialog>
#include <QEventLoop>
#include <QFileDialog>
#include <QPointer>
#include <QTimer>
#include <deque>

namespace {

struct ScriptedAnswer {
    ModalRecord::Kind kind;
    bool anyFileDialog = false;               // answers an open or a save dialog
    std::string name;                         // windows only
    int result = IDCANCEL;                    // windows only
    std::function<void(CSkinWindow&)> action; // windows only
    std::optional<std::u16string> path;       // file dialogs
    std::optional<COLORREF> colour;           // colour dialog
};

// A modal run in progress: a skinned window or one of Qt's dialogs.
struct OpenRun {
    QPointer<CSkinWindow> window;
    QPointer<QDialog> dialog;
};

struct ScriptState {
    std::deque<ScriptedAnswer> answers;
    std::vector<ModalRecord> records;
    bool strict = false;
    std::vector<OpenRun> openRuns; // innermost last
};

ScriptState& State()
{
    static ScriptState state;
    return state;
}

// Keeps a run on the list of open runs for as long as it lasts.
class OpenRunScope {
public:
    explicit OpenRunScope(OpenRun run) : index_(State().openRuns.size()) { State().openRuns.push_back(std::move(run)); }
    ~OpenRunScope()
    {
        auto& runs = State().openRuns;
        if (index_ < runs.size())
            runs.resize(index_);
    }
    OpenRunScope(const OpenRunScope&) = delete;
    OpenRunScope& operator=(const OpenRunScope&) = delete;

private:
    size_t index_;
};

// Takes the first queued answer of that kind (and, for windows, that name).
std::optional<ScriptedAnswer> TakeAnswer(ModalRecord::Kind kind, std::string_view name = {})
{
    auto& answers = State().answers;
    for (auto it = answers.begin(); it != answers.end(); ++it) {
        const bool fileKind = kind == ModalRecord::Kind::OpenFile || kind == ModalRecord::Kind::SaveFile;
        const bool kindMatches = it->kind == kind || (fileKind && it->anyFileDialog);
        if (kindMatches && (kind != ModalRecord::Kind::Window || it->name == name)) {
            ScriptedAnswer answer = std::move(*it);
            answers.erase(it);
            return answer;
        }
    }
    return std::nullopt;
}

QString ToQString(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), qsizetype(text.size()));
}
std::u16string ToU16(const QString& text)
{
    return text.toStdU16String();
}

std::optional<std::u16string> RunFileDialog(const FileDialogRequest& request, bool save)
{
    const auto kind = save ? ModalRecord::Kind::SaveFile : ModalRecord::Kind::OpenFile;
    ModalRecord record;
    record.kind = kind;
    record.fileRequest = request;

    if (auto answer = TakeAnswer(kind)) {
        record.scripted = true;
        record.path = answer->path;
        record.result = answer->path ? IDOK : IDCANCEL;
        State().records.push_back(record);
        return answer->path;
    }
    if (State().strict) {
        State().records.push_back(record);
        return std::nullopt;
    }

    QFileDialog dialog(QApplication::activeWindow(), ToQString(request.title), ToQString(request.initialDirectory));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QString filter = ToQString(QtFilterFromPairs(request.filter));
    if (!filter.isEmpty())
        dialog.setNameFilter(filter);
    QString suffix = ToQString(request.defaultExtension);
    while (suffix.startsWith(u'.'))
        suffix.remove(0, 1);
    if (!suffix.isEmpty())
        dialog.setDefaultSuffix(suffix);
    if (!request.initialFileName.empty())
        dialog.selectFile(ToQString(request.initialFileName));

    std::optional<std::u16string> chosen;
    OpenRunScope open({nullptr, &dialog});
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        chosen = ToU16(dialog.selectedFiles().first());
    record.path = chosen;
    record.result = chosen ? IDOK : IDCANCEL;
    State().records.push_back(record);
    return chosen;
}

} // namespace

int RunModal(CSkinWindow& window, std::string_view name)
{
    auto& state = State();
    ModalRecord record;
    record.kind = ModalRecord::Kind::Window;
    record.name = std::string(name);
    if (window.IsInModalRun()) {
        // One window cannot run two modal loops at once; the inner one would take
        // over the outer one's result.
        state.records.push_back(record);
        return IDCANCEL;
    }
    std::optional<ScriptedAnswer> answer = TakeAnswer(ModalRecord::Kind::Window, name);
    record.scripted = answer.has_value();
    if (!answer && state.strict) {
        state.records.push_back(record);
        return IDCANCEL;
    }
    // Recorded when the run starts, so that nested runs appear in the order they began.
    const size_t recordIndex = state.records.size();
    state.records.push_back(record);

    QPointer<CSkinWindow> guard(&window);
    window.modalEnded_ = false;
    window.modalResult_ = IDCANCEL;
    if (window.isWindow())
        window.setWindowModality(Qt::ApplicationModal);
    window.show();

    if (guard && !window.modalEnded_) {
        OpenRunScope open({&window, nullptr});
        QEventLoop loop;
        window.modalLoop_ = &loop;
        if (answer) {
            QTimer::singleShot(0, &window, [&window, answer = std::move(*answer)]() {
                QPointer<CSkinWindow> alive(&window);
                if (answer.action)
                    answer.action(window);
                if (alive && alive->IsInModalRun() && !alive->modalEnded_)
                    alive->EndModal(answer.result);
            });
        }
        loop.exec(QEventLoop::DialogExec);
        if (guard)
            window.modalLoop_ = nullptr;
    }

    int result = IDCANCEL;
    if (guard) {
        result = window.modalResult_;
        window.hide();
    }
    state.records[recordIndex].result = result;
    return result;
}

size_t CancelModalRunsAbove(const CSkinWindow* base)
{
    const std::vector<OpenRun> runs = State().openRuns; // ending one may change the list
    size_t first = 0;
    for (size_t i = 0; base && i < runs.size(); ++i) {
        if (runs[i].window == base)
            first = i + 1;
    }
    size_t running = 0;
    // Innermost first, as a person closing them would.
    for (size_t i = runs.size(); i-- > first;) {
        const OpenRun& run = runs[i];
        if (run.window) {
            ++running;
            if (!run.window->modalEnded_)
                run.window->EndModal(IDCANCEL);
        } else if (run.dialog) {
            ++running;
            run.dialog->reject();
        }
    }
    return running;
}

std::optional<std::u16string> GetOpenFileName(const FileDialogRequest& request)
{
    return RunFileDialog(request, false);
}

std::optional<std::u16string> GetSaveFileName(const FileDialogRequest& request)
{
    return RunFileDialog(request, true);
}

std::optional<COLORREF> ChooseColor(COLORREF initial)
{
    ModalRecord record;
    record.kind = ModalRecord::Kind::Colour;
    if (auto answer = TakeAnswer(ModalRecord::Kind::Colour)) {
        record.scripted = true;
        record.colour = answer->colour;
        record.result = answer->colour ? IDOK : IDCANCEL;
        State().records.push_back(record);
        return answer->colour;
    }
    if (State().strict) {
        State().records.push_back(record);
        return std::nullopt;
    }
    const QColor start(GetRValue(initial), GetGValue(initial), GetBValue(initial));
    QColorDialog dialog(start, QApplication::activeWindow());
    std::optional<COLORREF> result;
    {
        OpenRunScope open({nullptr, &dialog});
        if (dialog.exec() == QDialog::Accepted) {
            const QColor chosen = dialog.selectedColor();
            if (chosen.isValid())
                result = RGB(uint8_t(chosen.red()), uint8_t(chosen.green()), uint8_t(chosen.blue()));
        }
    }
    record.colour = result;
    record.result = result ? IDOK : IDCANCEL;
    State().records.push_back(record);
    return result;
}

std::u16string QtFilterFromPairs(std::u16string_view filter)
{
    std::vector<std::u16string_view> parts;
    size_t start = 0;
    while (start <= filter.size()) {
        const size_t bar = filter.find(u'|', start);
        const size_t end = bar == std::u16string_view::npos ? filter.size() : bar;
        parts.push_back(filter.substr(start, end - start));
        if (bar == std::u16string_view::npos)
            break;
        start = bar + 1;
    }
    std::u16string result;
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        const std::u16string_view description = parts[i];
        std::u16string pattern(parts[i + 1]);
        if (description.empty() && pattern.empty())
            break; // the "||" that ends the list
        for (char16_t& c : pattern) {
            if (c == u';')
                c = u' ';
        }
        if (!result.empty())
            result += u";;";
        const std::u16string bracketed = u"(" + pattern + u")";
        if (description.find(bracketed) != std::u16string_view::npos || pattern.empty())
            result += description;
        else
            result += std::u16string(description) + u" " + bracketed;
    }
    return result;
}

void ModalScript::EndNextRun(std::string name, int result, std::function<void(CSkinWindow&)> action)
{
    ScriptedAnswer answer{ModalRecord::Kind::Window, false, std::move(name), result, std::move(action), {}, {}};
    State().answers.push_back(std::move(answer));
}

void ModalScript::AnswerNextOpenFile(std::optional<std::u16string> path)
{
    State().answers.push_back({ModalRecord::Kind::OpenFile, false, {}, IDCANCEL, {}, std::move(path), {}});
}

void ModalScript::AnswerNextSaveFile(std::optional<std::u16string> path)
{
    State().answers.push_back({ModalRecord::Kind::SaveFile, false, {}, IDCANCEL, {}, std::move(path), {}});
}

void ModalScript::AnswerNextFileDialog(std::optional<std::u16string> path)
{
    State().answers.push_back({ModalRecord::Kind::OpenFile, true, {}, IDCANCEL, {}, std::move(path), {}});
}

void ModalScript::AnswerNextColour(std::optional<COLORREF> colour)
{
    State().answers.push_back({ModalRecord::Kind::Colour, false, {}, IDCANCEL, {}, {}, colour});
}

void ModalScript::SetStrict(bool strict)
{
    State().strict = strict;
}

const std::vector<ModalRecord>& ModalScript::Records()
{
    return State().records;
}

size_t ModalScript::PendingAnswers()
{
    return State().answers.size();
}

void ModalScript::Reset()
{
    State().answers.clear();
    State().records.clear();
    State().strict = false;
}
