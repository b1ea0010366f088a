#pragma once
// Places in the editor's text, for telling the user where something happened: lines are the
// CR-separated lines of the text, and both numbers count from 1 as the editor shows them.

#include <cstddef>
#include <string_view>

namespace document {

struct TextPlace {
    std::size_t line = 0;   // 1 for the first line; 0 for no place
    std::size_t column = 0; // 1 for the first UTF-16 unit of the line

    friend bool operator==(const TextPlace&, const TextPlace&) = default;
};

// How often something happened, and the first place it happened.
struct Occurrences {
    std::size_t count = 0;
    TextPlace first; // no place while count is 0

    bool any() const { return count != 0; }
    // Counts `times` more at `place`, which becomes the first place when nothing came before.
    void add(TextPlace place, std::size_t times = 1) {
        if (times != 0 && count == 0) {
            first = place;
        }
        count += times;
    }
    friend bool operator==(const Occurrences&, const Occurrences&) = default;
};

// The place of the unit at `index` of `text`, whose lines are separated by CR.
TextPlace placeOf(std::u16string_view text, std::size_t index);

} // namespace document
