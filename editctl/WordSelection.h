#pragma once
// Words for double taps: runs of characters delimited by space, tab and CR, where a space or a
// tab is a word of its own.

namespace editctl {

class LineTable;
class TextStore;

struct WordRange {
    int start = 0;
    int end = 0;
    bool found = false; // false when the index stands on or after the last word of its line
};

// The word holding `index`: the first word of its logical line that ends after it. None when a
// CR or the end of the text comes first.
WordRange wordAround(const TextStore& text, const LineTable& lines, int index);

} // namespace editctl
