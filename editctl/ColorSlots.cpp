#include "editctl/ColorSlots.h"

#include "editctl/EditState.h"
#include "platform/Gdi.h"

#include <array>
#include <cstddef>

namespace editctl {

namespace {

constexpr COLORREF kSystemDefault = static_cast<COLORREF>(-1);

// The underline follows the highlight colour unless it is given its own.
constexpr std::array<int, NEC_COUNT> kSystemIndex = {
    COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT, COLOR_HIGHLIGHT};

bool validSlot(int slot) {
    return slot >= 0 && slot < NEC_COUNT;
}

} // namespace

COLORREF resolvedColor(const EditState& state, int slot) {
    if (!validSlot(slot)) {
        slot = NEC_WINDOWTEXT;
    }
    const auto index = static_cast<std::size_t>(slot);
    const COLORREF stored = state.colors[index];
    return stored == kSystemDefault ? GetSysColor(kSystemIndex[index]) : stored;
}

bool storeColor(EditState& state, int slot, COLORREF color) {
    if (!validSlot(slot)) {
        return false;
    }
    state.colors[static_cast<std::size_t>(slot)] = color;
    return true;
}

} // namespace editctl
