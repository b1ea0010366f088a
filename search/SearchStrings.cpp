#include "search/SearchStrings.h"

namespace search {

std::u16string formatCount(std::u16string_view format, int count) {
    const std::string digits = std::to_string(count);
    const std::u16string number(digits.begin(), digits.end());
    std::u16string text(format);
    if (const std::size_t at = text.find(u"%d"); at != std::u16string::npos) {
        text.replace(at, 2, number);
    }
    return text;
}

} // namespace search
