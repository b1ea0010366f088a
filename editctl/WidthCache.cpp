#include "editctl/WidthCache.h"

#include "editctl/CharMetrics.h"

#include <algorithm>

namespace editctl {

int WidthCache::measure(char16_t ch) {
    const int measured = metrics_ != nullptr ? metrics_->charWidth(ch) : 0;
    const int width = std::clamp(measured, 0, kMaxWidth);
    widths_[ch] = static_cast<std::uint16_t>(width);
    return width;
}

} // namespace editctl
