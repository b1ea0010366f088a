#include "document/DiskChange.h"

#include "document/RecentFileList.h"

namespace document {

void DiskChange::remember(std::u16string_view path) {
    path_ = path;
    stamp_ = platform::fileStamp(path);
}

void DiskChange::forget() {
    path_.clear();
    stamp_.reset();
}

DiskChange::State DiskChange::check(std::u16string_view path) const {
    if (!stamp_ || !RecentFileList::samePath(path, path_))
        return State::Unchanged;
    const std::optional<platform::FileStamp> now = platform::fileStamp(path);
    if (!now)
        return State::Removed;
    return *now == *stamp_ ? State::Unchanged : State::Changed;
}

} // namespace document
