#include "document/StringHistory.h"

#include "document/ListBody.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace document {

StringHistory::StringHistory(std::string fileName, Sharing sharing)
    : SharedListStore(std::move(fileName), kTag, sharing) {
    load();
}

void StringHistory::add(std::u16string_view text) {
    text = text.substr(0, text.find(u'\0'));
    if (text.empty())
        return;
    if (const auto same = std::find(entries_.begin(), entries_.end(), text); same != entries_.end())
        entries_.erase(same);
    while (entries_.size() >= kCapacity)
        entries_.pop_back();
    entries_.insert(entries_.begin(), std::u16string(text));
}

std::u16string_view StringHistory::entry(std::size_t index) const {
    if (index >= entries_.size())
        return {};
    return entries_[index];
}

std::size_t StringHistory::serialize(std::span<std::byte> destination) const {
    return writeListBody(destination, [this](ListBodyWriter& writer) {
        // An entry without room is left out alone: the others still fit around it.
        for (const std::u16string& text : entries_)
            writer.writeString(text);
    });
}

void StringHistory::deserialize(std::span<const std::byte> body) {
    entries_.clear();
    ListBodyReader reader(body);
    while (auto text = reader.readString()) {
        if (text->empty())
            break;
        entries_.push_back(std::move(*text));
    }
}

void StringHistory::checkInvariants() const {
    for (const std::u16string& text : entries_) {
        if (text.empty() || text.find(u'\0') != std::u16string::npos) {
            std::fprintf(stderr, "StringHistory invariant broken: empty or NUL entry\n");
            std::abort();
        }
    }
}

} // namespace document
