#pragma once
// The geometry the bars share: a label's extent grown by half gives the height of an input
// line.

namespace search {

// The height of one input line for a label h pixels tall.
constexpr int InputLineHeight(int labelHeight) {
    return labelHeight * 15 / 10;
}

// A combo box's window height covers its dropped list: five lines and the frame.
constexpr int ComboWindowHeight(int lineHeight) {
    return lineHeight * 5 + 4;
}

} // namespace search
