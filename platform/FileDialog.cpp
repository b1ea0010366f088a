#include "platform/FileDialog.h"

#include "platform/FrameWidget.h"
#include "platform/MessageBox.h"
#include "platform/ModalAnswers.h"
#include "platform/TestHooks.h"
#include "platform/WindowInternal.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <deque>

namespace {

struct DialogHooks {
    std::deque<std::optional<std::u16string>> answers;
    std::vector<platform::test::FileDialogCall> calls;
};

DialogHooks& hooks() {
    static DialogHooks h;
    return h;
}

DWORD& lastError() {
    static DWORD error = 0;
    return error;
}

// "description\0pattern\0...\0\0" as its strings, in order.
std::vector<std::u16string> filterStrings(const WCHAR* filter) {
    std::vector<std::u16string> strings;
    if (filter == nullptr)
        return strings;
    for (const WCHAR* s = filter; *s != u'\0'; s += strings.back().size() + 1)
        strings.emplace_back(s);
    return strings;
}

// The toolkit's filter texts: "Text File(*.txt) (*.txt)", patterns separated by blanks.
QStringList nameFilters(const std::vector<std::u16string>& strings) {
    QStringList filters;
    for (std::size_t i = 0; i + 1 < strings.size(); i += 2) {
        QString patterns = QString::fromStdU16String(strings[i + 1]);
        patterns.replace(u';', u' ');
        filters << QString::fromStdU16String(strings[i]) + QStringLiteral(" (") + patterns +
                       QStringLiteral(")");
    }
    return filters;
}

std::optional<std::u16string> runChooser(const OPENFILENAME& request, bool save,
                                         const platform::test::FileDialogCall& call) {
    PlatformWindow* owner = platform::liveWindow(request.hwndOwner);
    QFileDialog chooser(owner != nullptr ? owner->frame->window() : nullptr,
                        QString::fromStdU16String(call.title),
                        QString::fromStdU16String(call.initialFolder));
    chooser.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    chooser.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    chooser.setOption(QFileDialog::DontConfirmOverwrite,
                      (request.Flags & OFN_OVERWRITEPROMPT) == 0);
    const QStringList filters = nameFilters(call.filter);
    if (!filters.isEmpty()) {
        chooser.setNameFilters(filters);
        const auto index =
            static_cast<qsizetype>(request.nFilterIndex == 0 ? 0 : request.nFilterIndex - 1);
        chooser.selectNameFilter(filters.value(index, filters.front()));
    }
    if (!call.initialName.empty())
        chooser.selectFile(QString::fromStdU16String(call.initialName));
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty())
        return std::nullopt;
    return chooser.selectedFiles().front().toStdU16String();
}

// An answer given without the chooser still asks before an existing file is replaced; No
// goes back to the chooser, which for a given answer means giving up.
bool mayReplace(const OPENFILENAME& request, const std::u16string& path,
                const std::u16string& title) {
    const QFileInfo file(QString::fromStdU16String(path));
    if ((request.Flags & OFN_OVERWRITEPROMPT) == 0 || !file.exists())
        return true;
    const std::u16string question =
        file.fileName().toStdU16String() + u" already exists.\r\nDo you want to replace it?";
    return MessageBox(request.hwndOwner, question.c_str(), title.c_str(),
                      MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
}

void fillResult(OPENFILENAME& request, const std::u16string& path) {
    std::copy(path.begin(), path.end(), request.lpstrFile);
    request.lpstrFile[path.size()] = u'\0';
    const std::size_t slash = path.rfind(u'/');
    const std::size_t nameStart = slash == std::u16string::npos ? 0 : slash + 1;
    const std::size_t dot = path.rfind(u'.');
    request.nFileOffset = static_cast<WORD>(nameStart);
    request.nFileExtension =
        dot != std::u16string::npos && dot > nameStart ? static_cast<WORD>(dot + 1) : 0;
    if (request.lpstrFileTitle != nullptr && request.nMaxFileTitle > 0) {
        const std::u16string name = path.substr(nameStart, request.nMaxFileTitle - 1);
        std::copy(name.begin(), name.end(), request.lpstrFileTitle);
        request.lpstrFileTitle[name.size()] = u'\0';
    }
}

BOOL runDialog(OPENFILENAME* request, bool save) {
    if (request == nullptr || request->lStructSize != sizeof(OPENFILENAME) ||
        request->lpstrFile == nullptr || request->nMaxFile == 0) {
        lastError() = CDERR_STRUCTSIZE;
        return FALSE;
    }
    platform::test::FileDialogCall call{
        save,
        request->hwndOwner,
        request->lpstrTitle != nullptr ? request->lpstrTitle : (save ? u"Save As" : u"Open"),
        filterStrings(request->lpstrFilter),
        request->lpstrInitialDir != nullptr ? request->lpstrInitialDir : u"",
        request->lpstrFile,
        request->Flags,
        std::nullopt};
    std::optional<std::u16string> answer;
    if (!hooks().answers.empty()) {
        answer = hooks().answers.front();
        hooks().answers.pop_front();
        if (save && answer && !mayReplace(*request, *answer, call.title))
            answer.reset();
    } else if (!platform::modalLoopsUnattended()) {
        answer = runChooser(*request, save, call);
    }
    call.answer = answer;
    hooks().calls.push_back(call);
    lastError() = 0;
    if (!answer)
        return FALSE;
    if (answer->size() + 1 > request->nMaxFile) {
        lastError() = FNERR_BUFFERTOOSMALL;
        return FALSE;
    }
    fillResult(*request, *answer);
    return TRUE;
}

} // namespace

BOOL GetOpenFileName(OPENFILENAME* request) {
    return runDialog(request, false);
}

BOOL GetSaveFileName(OPENFILENAME* request) {
    return runDialog(request, true);
}

DWORD CommDlgExtendedError() {
    return lastError();
}

namespace platform::test {

void queueFileDialogAnswer(std::optional<std::u16string> path) {
    hooks().answers.push_back(std::move(path));
}

std::vector<FileDialogCall> takeFileDialogCalls() {
    return std::exchange(hooks().calls, {});
}

} // namespace platform::test

void platform::clearFileDialogAnswers() {
    hooks() = DialogHooks{};
}
