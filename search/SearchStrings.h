#pragma once
// The texts the search commands show.

#include <string>
#include <string_view>

namespace search {

inline constexpr const char16_t* kConfirmCaption = u"Confirm";
inline constexpr const char16_t* kTotalMadesFormat = u"%d total mades.";
inline constexpr const char16_t* kNeedTimeText = u"Need time to process.\nContinue?";

// `format` with its "%d" replaced by the decimal `count`.
std::u16string formatCount(std::u16string_view format, int count);

} // namespace search
