#include "shell/CMainView.h"

#include "platform/FileDialog.h"
#include "resources/ResourceIds.h"
#include "resources/Resources.h"

#include <vector>

namespace shell {

namespace {

// Room for any path the desktop's file systems take.
constexpr std::size_t kPathRoom = 4096;

// The folder part of a path, its last "/" included ("/" itself for a file at the root).
std::u16string folderOf(const std::u16string& path) {
    const std::size_t slash = path.rfind(u'/');
    return slash == std::u16string::npos ? std::u16string() : path.substr(0, slash + 1);
}

std::optional<std::u16string> runDialog(OPENFILENAME& request, bool save) {
    const BOOL chosen = save ? GetSaveFileName(&request) : GetOpenFileName(&request);
    if (chosen == FALSE || request.lpstrFile[0] == u'\0')
        return std::nullopt;
    return std::u16string(request.lpstrFile);
}

} // namespace

std::optional<std::u16string> CMainView::AskOpenPath() {
    // The chooser starts where the most recent file is.
    recentFiles_.pull();
    std::u16string folder(u"/");
    if (const document::RecentFile* latest = recentFiles_.entry(0); latest != nullptr) {
        if (std::u16string own = folderOf(latest->path); !own.empty())
            folder = std::move(own);
    }
    std::vector<WCHAR> file(kPathRoom, u'\0');
    const std::u16string title(resources::loadString(IDS_OPEN_TITLE));
    OPENFILENAME request;
    request.hwndOwner = hwnd();
    request.lpstrFilter = fileFilter_.c_str();
    request.lpstrFile = file.data();
    request.nMaxFile = static_cast<DWORD>(file.size());
    request.lpstrInitialDir = folder.c_str();
    request.lpstrTitle = title.c_str();
    request.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST;
    return runDialog(request, false);
}

std::optional<std::u16string> CMainView::AskSavePath() {
    std::vector<WCHAR> file(kPathRoom, u'\0');
    if (hasFile_ != 0)
        path_.copy(file.data(), std::min(path_.size(), file.size() - 1));
    const std::u16string title(resources::loadString(IDS_SAVEAS_TITLE));
    OPENFILENAME request;
    request.hwndOwner = hwnd();
    request.lpstrFilter = fileFilter_.c_str();
    request.lpstrFile = file.data();
    request.nMaxFile = static_cast<DWORD>(file.size());
    request.lpstrTitle = title.c_str();
    request.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT;
    return runDialog(request, true);
}

} // namespace shell
