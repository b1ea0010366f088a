#pragma once
// The state record of an "nImeComp" window: the composition as last read from the input
// context, where it starts and how it is drawn. One per window, kept in its user-data slot
// from WM_CREATE to WM_DESTROY.

#include "platform/Window.h"

#include <array>

namespace editctl {

struct ImeCompState {
    static constexpr int kMaxChars = 64;
    static constexpr int kMaxAttributes = kMaxChars + 1;
    static constexpr int kMaxClauses = kMaxChars + 1;
    // The parts of the composition the window reads, in bytes.
    static constexpr DWORD kTextBytes = kMaxChars * sizeof(char16_t);
    static constexpr DWORD kAttributeBytes = kMaxAttributes;
    static constexpr DWORD kClauseBytes = kMaxClauses * sizeof(DWORD);

    // Characters of the composition string that are kept (0 = nothing to draw).
    int charCount() const noexcept { return textBytes / static_cast<int>(sizeof(char16_t)); }

    std::array<char16_t, kMaxChars + 1> text{}; // terminated after charCount()
    int textBytes = 0;                          // as the input context returned it
    std::array<BYTE, kMaxAttributes> attributes{};
    int attributeCount = 0;
    std::array<DWORD, kMaxClauses> clauses{};
    int clauseCount = 0;
    int cursor = 0;
    POINT target; // bottom-left of the clause being converted, as last laid out
    bool thickTarget = false;
    POINT start;                      // where the composition starts: the editor's caret
    std::array<COLORREF, 4> colors{}; // window, window text, highlight, highlight text
    int lineSpacing = 0;
    HFONT font = nullptr; // the editor's font, not owned
};

} // namespace editctl
