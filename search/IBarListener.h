#pragma once
// The owner of a bottom bar: it hears the bar's commands with the bar's current texts.

#include "platform/WinTypes.h"

#include <string_view>

namespace search {

class IBarListener {
public:
    // The user ran command `id` of the bar; `replacement` matters only for the Replace bar.
    // For Cancel (and any other id it does not run) the owner closes and deletes the bar
    // during this call.
    virtual void OnBarCommand(UINT id, std::u16string_view text,
                              std::u16string_view replacement) = 0;

protected:
    IBarListener() = default;
    ~IBarListener() = default;
    IBarListener(const IBarListener&) = default;
    IBarListener& operator=(const IBarListener&) = default;
};

} // namespace search
