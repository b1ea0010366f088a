#include "PathArgument.h"

#include "platform/CodePage.h"

#include <span>

namespace kivtool {

std::u16string pathArgument(std::string_view argument) {
    std::u16string path(argument.size(), u'\0');
    const auto bytes =
        std::span(reinterpret_cast<const std::uint8_t*>(argument.data()), argument.size());
    path.resize(platform::decodeToUtf16(platform::CodePage::Utf8, bytes, path.data()));
    return path;
}

} // namespace kivtool
