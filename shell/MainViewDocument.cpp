#include "shell/CMainView.h"

#include "document/DecodeReportText.h"
#include "document/DocumentSaver.h"
#include "document/EncodeCheck.h"
#include "document/LineBreakKind.h"
#include "document/MappedFile.h"
#include "document/OpenFailure.h"
#include "document/TextEncoding.h"
#include "document/Utf8Text.h"
#include "platform/Device.h"
#include "resources/ResourceIds.h"
#include "resources/Resources.h"
#include "resources/UserMessages.h"
#include "shell/DocumentTexts.h"
#include "shell/LoadBuffer.h"
#include "shell/WaitCursor.h"

#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace shell {

namespace {

std::u16string bulleted(const std::vector<std::string>& lines) {
    std::u16string text;
    for (const std::string& line : lines)
        text += u"\r\n- " + document::utf8ToUtf16(line);
    return text;
}

std::uint64_t windowId(HWND window) {
    return reinterpret_cast<std::uintptr_t>(window);
}

} // namespace

HWND CMainView::Frame() const {
    return GetParent(hwnd());
}

int CMainView::Ask(const std::u16string& text, const char16_t* caption, UINT type) const {
    return MessageBox(hwnd(), text.c_str(), caption, type);
}

void CMainView::ListenForFrontRequests() {
    frontRequests_ = std::make_unique<platform::FrontRequestListener>([this](std::uint64_t window) {
        const HWND frame = Frame();
        if (window != windowId(frame))
            return;
        ShowWindow(frame, SW_SHOW);
        SetForegroundWindow(frame);
    });
}

void CMainView::NewDocument() {
    encoding_ = document::encodingForSettingsRow(settings_.newFileCharCode);
    lineBreak_ = document::lineBreakForSettingsRow(settings_.newFileLineBreak);
    path_.clear();
    hasFile_ = 0;
    disk_.forget();
    loadReport_ = {};
    spelling_ = {};
    editor_.MarkUnmodified();
    editor_.SetText(u"");
    SendMessage(editor_.hwnd(), EM_SETSEL, 0, 0);
    SendMessage(editor_.hwnd(), EM_SCROLLCARET, 0, 0);
    UpdateTitle(0);
}

bool CMainView::Open(std::u16string_view path, OpenMode mode) {
    const std::u16string target(path);
    const document::FileLock::Outcome claim = lock_.claim(target, windowId(Frame()));
    if (claim.result == document::FileLock::Result::HeldElsewhere) {
        // One file, one editing copy: that copy comes up and this one ends.
        document::FileLock::bringToFront(claim.holder);
        PostMessage(Frame(), WM_CLOSE, 0, 0);
        return false;
    }
    recentFiles_.pull();
    record_ = recentFiles_.lookup(target);

    std::optional<WaitCursor> wait(std::in_place);
    document::MappedFile file;
    if (!file.open(target)) {
        wait.reset();
        recentFiles_.remove(target);
        recentFiles_.push();
        const std::u16string message = document::openFailureMessage(target, file.error());
        if (mode == OpenMode::Startup)
            MessageBox(nullptr, message.c_str(), resources::loadString(IDS_APPNAME).data(), MB_OK);
        else
            Ask(message, texts::kError, MB_OK);
        return false;
    }
    LoadBuffer buffer;
    document::DecodeOutcome decoded = document::decodeDocumentInto(
        file.data(), autoDetect_ != 0 ? document::ENC_NONE : encoding_, lineBreak_, buffer);
    file.close();
    if (autoDetect_ != 0) {
        encoding_ = decoded.encoding;
        lineBreak_ = decoded.lineBreak;
    }
    if (!decoded.complete || buffer.failed()) {
        wait.reset();
        const platform::FileError outOfMemory{platform::FileError::Kind::OutOfMemory, 0, 0};
        Ask(document::openFailureMessage(target, outOfMemory), texts::kError, MB_OK);
        return false;
    }

    editor_.MarkUnmodified();
    editor_.SetText(buffer.text());
    const auto caret = static_cast<WPARAM>(record_.caretPosition());
    SendMessage(editor_.hwnd(), EM_SETSEL, caret, static_cast<LPARAM>(caret));
    SendMessage(editor_.hwnd(), EM_SCROLLCARET, 0, 0);
    wait.reset();

    recentFiles_.add(target, record_);
    recentFiles_.push();
    PostMessage(Frame(), UM_REBUILDMENU, 0, 0);

    path_ = target;
    hasFile_ = 1;
    disk_.remember(target);
    loadReport_ = decoded.report;
    spelling_ = std::move(decoded.spelling);
    UpdateTitle(0);
    ReportOpenLosses();
    return true;
}

void CMainView::ReportOpenLosses() const {
    const std::vector<std::string> losses = document::describeLosses(loadReport_);
    if (losses.empty())
        return;
    const std::u16string text = texts::kOpenLosses + bulleted(losses);
    Ask(text, resources::loadString(IDS_APPNAME).data(), MB_OK | MB_ICONWARNING);
}

bool CMainView::ConfirmLossySave(std::u16string_view text, const std::u16string& target) const {
    std::vector<std::string> changes = document::describeUnencodable(
        document::findUnencodable(text, encoding_, spelling_), encoding_);
    // What reading the file left out is lost from that file only when it is written over.
    if (hasFile_ != 0 && document::RecentFileList::samePath(target, path_)) {
        for (std::string& loss : document::describeLosses(loadReport_))
            changes.push_back(std::move(loss));
        if (loadReport_.mixedBreaks()) {
            document::DecodeReport breaks;
            breaks.breakKinds = loadReport_.breakKinds;
            for (const std::string& change : document::describeChanges(breaks, lineBreak_))
                changes.push_back(change + ", each written as " +
                                  std::string(document::lineBreakName(lineBreak_)) +
                                  document::firstPlace(loadReport_.otherBreaks));
        }
    }
    if (changes.empty())
        return true;
    const std::u16string question =
        texts::kSaveChanges + bulleted(changes) + u"\r\n" + texts::kSaveAnyway;
    return Ask(question, texts::kSaveConfirm, MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
}

void CMainView::RememberDocument(const std::u16string& path) {
    DWORD start = 0;
    DWORD end = 0;
    SendMessage(editor_.hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                reinterpret_cast<LPARAM>(&end));
    recentFiles_.pull();
    record_ = recentFiles_.lookup(path);
    record_.setCaretPosition(static_cast<std::int32_t>(start));
    recentFiles_.add(path, record_);
    recentFiles_.push();
    PostMessage(Frame(), UM_REBUILDMENU, 0, 0);
}

// Another program's change to the file is not overwritten without asking.
bool CMainView::ConfirmOverwrite(const std::u16string& target) const {
    const document::DiskChange::State state = disk_.check(target);
    if (state == document::DiskChange::State::Unchanged)
        return true;
    const char16_t* what = state == document::DiskChange::State::Removed ? texts::kRemovedElsewhere
                                                                         : texts::kChangedElsewhere;
    const std::u16string question = what + (u"\r\n" + target) + u"\r\n" + texts::kOverwrite;
    return Ask(question, texts::kSaveConfirm, MB_YESNO | MB_ICONWARNING) == IDYES;
}

bool CMainView::Save(const std::u16string& path) {
    const char16_t* buffer = editor_.GetBuffer();
    const std::u16string_view text = buffer != nullptr ? std::u16string_view(buffer) : u"";
    if (!ConfirmOverwrite(path) || !ConfirmLossySave(text, path))
        return false;
    document::SaveResult saved;
    {
        const WaitCursor wait;
        saved = document::saveDocumentFile(path, text, encoding_, lineBreak_, spelling_);
    }
    if (!saved) {
        // The old file is whole and the document stays modified.
        const std::u16string& failed = saved.failedPath.empty() ? path : saved.failedPath;
        Ask(texts::kCannotSave + (u"\r\n" + failed) + u"\r\n" + saved.reason, texts::kError,
            MB_OK | MB_ICONSTOP);
        return false;
    }
    editor_.MarkUnmodified();
    RememberDocument(path);
    path_ = path;
    hasFile_ = 1;
    disk_.remember(path);
    // The file now holds the text as it stands.
    loadReport_ = {};
    UpdateTitle(0);
    return true;
}

bool CMainView::SaveAs() {
    const std::optional<std::u16string> chosen = AskSavePath();
    if (!chosen)
        return false;
    const auto holder = document::FileLock::holderOf(*chosen);
    if (holder && *holder != platform::currentProcessHolder(windowId(Frame()))) {
        Ask(texts::kEditedElsewhere, texts::kError, MB_OK);
        return false;
    }
    const std::u16string previous = lock_.path();
    lock_.claim(*chosen, windowId(Frame()));
    if (Save(*chosen))
        return true;
    // Nothing was saved: the document is still the file it was, and keeps that file's lock.
    if (!previous.empty())
        lock_.claim(previous, windowId(Frame()));
    else
        lock_.release();
    return false;
}

bool CMainView::QueryClose() {
    if (SendMessage(editor_.hwnd(), EM_GETMODIFY, 0, 0) != 0) {
        const auto save = [this] { return hasFile_ != 0 ? Save(path_) : SaveAs(); };
        if (record_.autoSave() != 0) {
            if (!save())
                return false;
        } else {
            const HWND frame = Frame();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            SetWindowPos(frame, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
            ShowWindow(frame, SW_SHOW);
            SetForegroundWindow(frame);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            if (platform::platformKind() == platform::PlatformKind::Smartphone) {
                if (Ask(texts::kFileModified, texts::kSaveConfirm, MB_YESNO | MB_ICONQUESTION) ==
                    IDYES) {
                    if (!save())
                        return false;
                } else if (Ask(texts::kCloseThisFile, resources::loadString(IDS_CONFIRM).data(),
                               MB_OKCANCEL | MB_ICONQUESTION) == IDCANCEL) {
                    return false;
                }
            } else {
                const int answer = Ask(texts::kFileModified, texts::kSaveConfirm,
                                       MB_YESNOCANCEL | MB_ICONQUESTION);
                if (answer == IDCANCEL || (answer == IDYES && !save()))
                    return false;
            }
        }
    }
    if (!path_.empty())
        RememberDocument(path_);
    else
        PostMessage(Frame(), UM_REBUILDMENU, 0, 0);
    return true;
}

} // namespace shell
