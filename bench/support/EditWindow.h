// An "nEdit" control as the editor shows it, for benchmarks: a top-level window of 480 x 640
// pixels on the deterministic test font, word wrap on.
#pragma once

#include "platform/Window.h"

#include <string_view>

namespace bench {

class EditWindow {
public:
    EditWindow();
    ~EditWindow();
    EditWindow(const EditWindow&) = delete;
    EditWindow& operator=(const EditWindow&) = delete;

    // Replaces the text as opening a document does.
    void load(std::u16string_view text);

    HWND edit = nullptr;
};

} // namespace bench
