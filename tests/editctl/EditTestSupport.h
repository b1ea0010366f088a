#pragma once
// Shared helpers for the edit control's tests: exact character widths and ready-made states.

#include "editctl/CharMetrics.h"
#include "editctl/EditOperations.h"
#include "editctl/EditState.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace editctl::test {

// Widths like the deterministic test font: 8 px below U+0100, 16 px above, 16 px high;
// single characters can be given other widths.
class FixedMetrics : public CharMetrics {
public:
    int charWidth(char16_t ch) override {
        ++measured;
        const auto special = overrides.find(ch);
        if (special != overrides.end()) {
            return special->second;
        }
        return ch < 0x100 ? 8 : 16;
    }
    int fontHeight() override { return 16; }
    int averageCharWidth() override { return 8; }
    int measured = 0;
    std::map<char16_t, int> overrides;
};

// A state measuring with FixedMetrics whose available width is `textWidth` pixels at the
// window edge (margins of 1 on both sides), word wrap as given, holding `text`.
inline std::unique_ptr<EditState> makeState(const std::u16string& text, int textWidth,
                                            bool wordWrap = true) {
    auto state = std::make_unique<EditState>();
    state->metrics = std::make_unique<FixedMetrics>();
    state->widths.setMetrics(state->metrics.get());
    state->layout.wordWrap = wordWrap;
    state->layout.clientWidth = textWidth + 2;
    state->layout.clientHeight = 160;
    replaceAllText(*state, text);
    return state;
}

// Every display-line start and the sentinel, read through the pending shift.
inline std::vector<long long> lineStarts(const EditState& state) {
    std::vector<long long> starts;
    for (int i = 0; i <= state.lines.count(); ++i) {
        starts.push_back(state.lines.start(i));
    }
    return starts;
}

// The whole logical text.
inline std::u16string logicalText(const EditState& state) {
    return state.text.substr(0, state.text.length());
}

// Records of minified data: one word without spaces, cut wherever the width runs out.
inline std::u16string records(std::size_t length) {
    std::u16string s;
    for (int id = 0; s.size() < length; ++id) {
        const std::string record = "{\"id\":" + std::to_string(id * 7919 % 100000) + ",\"ok\":1},";
        s.append(record.begin(), record.end());
    }
    s.resize(length);
    return s;
}

} // namespace editctl::test
