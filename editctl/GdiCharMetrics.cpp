#include "editctl/GdiCharMetrics.h"

namespace editctl {

int GdiCharMetrics::charWidth(char16_t ch) {
    SIZE size{};
    return GetTextExtentPoint32W(dc_, &ch, 1, &size) ? size.cx : 0;
}

int GdiCharMetrics::fontHeight() {
    TEXTMETRICW metrics{};
    return GetTextMetricsW(dc_, &metrics) ? metrics.tmHeight : 0;
}

int GdiCharMetrics::averageCharWidth() {
    TEXTMETRICW metrics{};
    return GetTextMetricsW(dc_, &metrics) ? metrics.tmAveCharWidth : 0;
}

} // namespace editctl
