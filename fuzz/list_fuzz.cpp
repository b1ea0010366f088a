// Reads arbitrary bytes as a list file image (tag, size, body) and as a bare body for both list
// kinds, then checks: the lists' invariants, that serializing never leaves its buffer (ASan sees
// the exact-size buffers), and that what was read comes back unchanged, oldest entries aside.
#include "document/RecentFileList.h"
#include "document/StringHistory.h"

#include <cstdint>
#include <cstdlib>
#include <span>
#include <type_traits>
#include <vector>

namespace {

using document::RecentFileList;
using document::SharedListStore;
using document::StringHistory;

constexpr auto kMemoryOnly = SharedListStore::Sharing::MemoryOnly;

template <typename List>
void roundTrip(List& list, std::span<const std::byte> body, std::size_t room) {
    list.deserialize(body);
    list.checkInvariants();
    std::vector<std::byte> out(room);
    const std::size_t written = list.serialize(out);
    if (written > room || (room >= 2 && written < 2))
        std::abort();
    List back("fuzz.mru", kMemoryOnly);
    back.deserialize(std::span<const std::byte>(out).first(written));
    back.checkInvariants();
    if (back.count() > list.count())
        std::abort();
    for (std::size_t i = 0; i < back.count(); ++i) {
        if constexpr (std::is_same_v<List, RecentFileList>) {
            if (back.entry(i)->path != list.entry(i)->path ||
                !(back.entry(i)->record == list.entry(i)->record))
                std::abort();
        } else {
            if (back.entry(i) != list.entry(i))
                std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::byte> bytes(reinterpret_cast<const std::byte*>(data), size);
    static StringHistory history("fuzz.mru", kMemoryOnly);
    static RecentFileList recent("fuzz.mru", kMemoryOnly);
    const std::size_t room = size == 0 ? 0 : data[0] * 257u % (SharedListStore::kBlockSize - 8);

    const auto historyBody = SharedListStore::bodyOf(bytes, StringHistory::kTag);
    roundTrip(history, historyBody.value_or(bytes), SharedListStore::kBlockSize - 8);
    roundTrip(history, bytes, room);
    const auto recentBody = SharedListStore::bodyOf(bytes, RecentFileList::kTag);
    roundTrip(recent, recentBody.value_or(bytes), SharedListStore::kBlockSize - 8);
    roundTrip(recent, bytes, room);
    return 0;
}
