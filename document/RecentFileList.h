#pragma once
// The recent files, most recent first, each with its FileRecord; shared by the running copies
// through "file.mru". Paths are compared ignoring letter case.

#include "document/FileRecord.h"
#include "document/SharedListStore.h"

#include <string>
#include <string_view>
#include <vector>

namespace document {

struct RecentFile {
    std::u16string path;
    FileRecord record;
};

class RecentFileList : public SharedListStore {
public:
    static constexpr std::size_t kCapacity = 60;
    static constexpr Tag kTag{'M', 'R', 'U', 'F'};

    // The list kept in `fileName`; loads it (see SharedListStore).
    explicit RecentFileList(std::string fileName = "file.mru", Sharing sharing = Sharing::Shared);

    // Puts (path, record) at the front, replacing an entry with the same path in any letter
    // case and dropping the oldest so that at most kCapacity remain. A path from a NUL on is
    // ignored; an empty path changes nothing.
    void add(std::u16string_view path, const FileRecord& record);
    // Removes the entry with the path in any letter case, then drops the oldest entries until
    // fewer than kCapacity remain.
    void remove(std::u16string_view path);
    // The record stored for the path in any letter case; all zero when absent.
    FileRecord lookup(std::u16string_view path) const;
    // The number of entries.
    std::size_t count() const { return entries_.size(); }
    // Entry `index`, 0 being the most recent; nullptr past the end.
    const RecentFile* entry(std::size_t index) const;

    std::size_t serialize(std::span<std::byte> destination) const override;
    void deserialize(std::span<const std::byte> body) override;
    // Aborts when a path is empty or holds a NUL (either would end the list when stored).
    void checkInvariants() const;

    // Whether two paths are equal ignoring letter case: ASCII, Latin-1, Greek, Cyrillic and
    // full-width Latin letters fold; other characters compare exactly.
    static bool samePath(std::u16string_view a, std::u16string_view b);

private:
    std::vector<RecentFile>::iterator find(std::u16string_view path);
    std::vector<RecentFile> entries_;
};

} // namespace document
