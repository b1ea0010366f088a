#pragma once
// Character measures taken from a drawing context: the control's memory context with its own
// font selected.

#include "editctl/CharMetrics.h"
#include "platform/Gdi.h"

namespace editctl {

class GdiCharMetrics : public CharMetrics {
public:
    // Measures with `dc`, which must outlive this object.
    explicit GdiCharMetrics(HDC dc) : dc_(dc) {}
    int charWidth(char16_t ch) override;
    int fontHeight() override;
    int averageCharWidth() override;

private:
    HDC dc_;
};

} // namespace editctl
