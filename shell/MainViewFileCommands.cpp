#include "shell/CMainView.h"

#include "document/LineBreakKind.h"
#include "document/TextEncoding.h"
#include "platform/DropFiles.h"
#include "resources/CommandIds.h"
#include "shell/DynamicMenus.h"

#include <algorithm>
#include <vector>

namespace shell {

namespace {

// The encoding family a menu item stands for: UTF-8 with or without a mark, UTF-16 in either
// byte order with or without one.
std::int32_t family(std::int32_t encoding) {
    if (encoding == document::ENC_UTF8_BOM)
        return document::ENC_UTF8;
    if (document::isUtf16(encoding))
        return document::ENC_UTF16LE_BOM;
    return encoding;
}

// A recent file's menu label: the text after the last "/".
std::u16string recentLabel(const std::u16string& path) {
    const std::size_t slash = path.rfind(u'/');
    return slash == std::u16string::npos ? path : path.substr(slash + 1);
}

} // namespace

void CMainView::OnFileOpen() {
    if (!QueryClose())
        return;
    const std::optional<std::u16string> chosen = AskOpenPath();
    if (!chosen)
        return;
    lock_.release();
    Open(*chosen, OpenMode::Menu);
}

// A file dropped from the desktop opens as Open would; of several, the first.
LRESULT CMainView::OnDropFiles(WPARAM wParam, LPARAM /*lParam*/) {
    // NOLINTNEXTLINE(performance-no-int-to-ptr)
    const auto drop = reinterpret_cast<HDROP>(wParam);
    std::u16string path;
    if (DragQueryFile(drop, 0xFFFFFFFF, nullptr, 0) > 0) {
        path.resize(DragQueryFile(drop, 0, nullptr, 0));
        DragQueryFile(drop, 0, path.data(), static_cast<UINT>(path.size() + 1));
    }
    DragFinish(drop);
    if (path.empty() || !QueryClose())
        return 0;
    lock_.release();
    Open(path, OpenMode::Menu);
    return 0;
}

void CMainView::OnFileNew() {
    if (!QueryClose())
        return;
    lock_.release();
    NewDocument();
}

void CMainView::OnReopen() {
    if (path_.empty() || !QueryClose())
        return;
    lock_.release();
    const std::u16string path = path_;
    Open(path, OpenMode::Menu);
}

platform::CommandState CMainView::ReopenState() const {
    return platform::CommandState::enabledIf(!path_.empty());
}

void CMainView::OnRecent(UINT id) {
    recentFiles_.pull();
    const document::RecentFile* entry = recentFiles_.entry(id - ID_RECENT_FIRST);
    if (entry == nullptr || entry->path.empty())
        return;
    // QueryClose publishes the list, which may move the entry.
    const std::u16string path = entry->path;
    if (!QueryClose())
        return;
    lock_.release();
    Open(path, OpenMode::Menu);
}

void CMainView::OnSaveAs() {
    SaveAs();
}

void CMainView::OnSave() {
    if (hasFile_ != 0)
        Save(path_);
    else
        SaveAs();
}

void CMainView::OnAutoDetect() {
    autoDetect_ = autoDetect_ != 0 ? 0 : 1;
}

platform::CommandState CMainView::AutoDetectState() const {
    return platform::CommandState::checkedIf(autoDetect_ != 0);
}

void CMainView::OnEncoding(UINT id) {
    encoding_ = document::encodingForCommand(static_cast<int>(id));
    if (settings_.disableAutoDetect != 0)
        autoDetect_ = 0;
}

platform::CommandState CMainView::EncodingState(UINT id) const {
    return platform::CommandState::checkedIf(family(encoding_) ==
                                             document::encodingForCommand(static_cast<int>(id)));
}

void CMainView::OnLineBreak(UINT id) {
    lineBreak_ = document::lineBreakForCommand(static_cast<int>(id));
}

platform::CommandState CMainView::LineBreakState(UINT id) const {
    return platform::CommandState::checkedIf(lineBreak_ ==
                                             document::lineBreakForCommand(static_cast<int>(id)));
}

// The flag follows the file: it is stored with the file's recent entry at once.
void CMainView::OnAutoSave() {
    record_.setAutoSave(record_.autoSave() != 0 ? 0 : 1);
    recentFiles_.pull();
    recentFiles_.add(path_, record_);
    recentFiles_.push();
}

platform::CommandState CMainView::AutoSaveState() const {
    if (hasFile_ == 0)
        return platform::CommandState::greyed();
    return platform::CommandState::checkedIf(record_.autoSave() != 0);
}

LRESULT CMainView::OnTimer(WPARAM wParam, LPARAM lParam) {
    if (wParam != kAutoSaveTimer)
        return defaultProc(WM_TIMER, wParam, lParam);
    KillTimer(hwnd(), kAutoSaveTimer);
    if (hasFile_ != 0 && SendMessage(editor_.hwnd(), EM_GETMODIFY, 0, 0) != 0)
        Save(path_);
    return 0;
}

void CMainView::FillRecentMenu(HMENU popup) {
    HMENU recent = SubmenuAfter(popup, ID_FILE_REOPEN);
    if (recent == nullptr)
        return;
    recentFiles_.pull();
    const std::size_t shown =
        std::min(recentFiles_.count(), static_cast<std::size_t>(std::max(settings_.mruNum, 0)));
    std::vector<std::u16string> labels;
    for (std::size_t index = 0; index < shown; ++index)
        labels.push_back(recentLabel(recentFiles_.entry(index)->path));
    FillSubmenu(recent, labels, ID_RECENT_FIRST);
}

} // namespace shell
