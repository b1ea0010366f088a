#include "document/RecentFileList.h"

#include "document/ListBody.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace document {

namespace {

char16_t foldCase(char16_t c) {
    if (c >= u'A' && c <= u'Z')
        return static_cast<char16_t>(c + 0x20);
    if ((c >= 0x00C0 && c <= 0x00DE && c != 0x00D7) || (c >= 0x0410 && c <= 0x042F) ||
        (c >= 0x0391 && c <= 0x03A9 && c != 0x03A2))
        return static_cast<char16_t>(c + 0x20);
    if (c >= 0x0400 && c <= 0x040F)
        return static_cast<char16_t>(c + 0x50);
    if (c >= 0xFF21 && c <= 0xFF3A) // full-width A-Z
        return static_cast<char16_t>(c + 0x20);
    return c;
}

} // namespace

RecentFileList::RecentFileList(std::string fileName, Sharing sharing)
    : SharedListStore(std::move(fileName), kTag, sharing) {
    load();
}

bool RecentFileList::samePath(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char16_t x, char16_t y) { return foldCase(x) == foldCase(y); });
}

std::vector<RecentFile>::iterator RecentFileList::find(std::u16string_view path) {
    return std::find_if(entries_.begin(), entries_.end(),
                        [&](const RecentFile& e) { return samePath(e.path, path); });
}

void RecentFileList::add(std::u16string_view path, const FileRecord& record) {
    path = path.substr(0, path.find(u'\0'));
    if (path.empty())
        return;
    if (const auto same = find(path); same != entries_.end())
        entries_.erase(same);
    while (entries_.size() >= kCapacity)
        entries_.pop_back();
    entries_.insert(entries_.begin(), RecentFile{std::u16string(path), record});
}

void RecentFileList::remove(std::u16string_view path) {
    if (const auto same = find(path); same != entries_.end())
        entries_.erase(same);
    while (entries_.size() >= kCapacity)
        entries_.pop_back();
}

FileRecord RecentFileList::lookup(std::u16string_view path) const {
    const auto same = std::find_if(entries_.begin(), entries_.end(),
                                   [&](const RecentFile& e) { return samePath(e.path, path); });
    return same == entries_.end() ? FileRecord{} : same->record;
}

const RecentFile* RecentFileList::entry(std::size_t index) const {
    return index < entries_.size() ? &entries_[index] : nullptr;
}

std::size_t RecentFileList::serialize(std::span<std::byte> destination) const {
    return writeListBody(destination, [this](ListBodyWriter& writer) {
        for (const RecentFile& file : entries_) {
            // An entry without room is left out alone: the others still fit around it.
            if (ListBodyWriter::stringSize(file.path) + FileRecord::kBytes > writer.remaining())
                continue;
            std::array<std::byte, FileRecord::kBytes> record{};
            file.record.store(record);
            writer.writeString(file.path);
            writer.writeBytes(record);
        }
    });
}

void RecentFileList::deserialize(std::span<const std::byte> body) {
    entries_.clear();
    ListBodyReader reader(body);
    while (auto path = reader.readString()) {
        std::array<std::byte, FileRecord::kBytes> record{};
        if (path->empty() || !reader.readBytes(record))
            break;
        entries_.push_back(RecentFile{std::move(*path), FileRecord::load(record)});
    }
}

void RecentFileList::checkInvariants() const {
    for (const RecentFile& file : entries_) {
        if (file.path.empty() || file.path.find(u'\0') != std::u16string::npos) {
            std::fprintf(stderr, "RecentFileList invariant broken: empty or NUL path\n");
            std::abort();
        }
    }
}

} // namespace document
