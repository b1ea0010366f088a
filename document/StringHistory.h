#pragma once
// A find or replace history: strings, most recent first, shared by the running copies.

#include "document/SharedListStore.h"

#include <string>
#include <string_view>
#include <vector>

namespace document {

class StringHistory : public SharedListStore {
public:
    static constexpr std::size_t kCapacity = 5;
    static constexpr Tag kTag{'M', 'R', 'U', 'S'};

    // The history kept in `fileName` ("find.mru", "repl.mru"); loads it (see SharedListStore).
    explicit StringHistory(std::string fileName, Sharing sharing = Sharing::Shared);

    // Moves `text` to the front (an equal entry, compared exactly, is removed first), dropping
    // the oldest entries so that at most kCapacity remain. Text from a NUL on is ignored; empty
    // text changes nothing.
    void add(std::u16string_view text);
    // The number of entries.
    std::size_t count() const { return entries_.size(); }
    // Entry `index`, 0 being the most recent; empty past the end.
    std::u16string_view entry(std::size_t index) const;

    std::size_t serialize(std::span<std::byte> destination) const override;
    void deserialize(std::span<const std::byte> body) override;
    // Aborts when an entry is empty or holds a NUL (either would end the list when stored).
    void checkInvariants() const;

private:
    std::vector<std::u16string> entries_;
};

} // namespace document
