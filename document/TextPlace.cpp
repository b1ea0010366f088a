#include "document/TextPlace.h"

#include <algorithm>

namespace document {

TextPlace placeOf(std::u16string_view text, std::size_t index) {
    const std::u16string_view before = text.substr(0, index);
    const std::size_t lastBreak = before.rfind(u'\r');
    const auto breaks = static_cast<std::size_t>(std::count(before.begin(), before.end(), u'\r'));
    const std::size_t lineStart = lastBreak == std::u16string_view::npos ? 0 : lastBreak + 1;
    return {breaks + 1, index - lineStart + 1};
}

} // namespace document
