#include "HostText.h"

#include "platform/CodePage.h"

#include <cstdint>
#include <span>
#include <vector>

namespace nedithost {

std::u16string fromUtf8File(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        bytes.remove_prefix(3);
    }
    std::u16string decoded(bytes.size(), u'\0');
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    decoded.resize(platform::decodeToUtf16(platform::CodePage::Utf8, std::span(data, bytes.size()),
                                           decoded.data()));
    std::u16string text;
    text.reserve(decoded.size());
    for (std::size_t i = 0; i < decoded.size(); ++i) {
        const char16_t ch = decoded[i];
        if (ch == u'\r' && i + 1 < decoded.size() && decoded[i + 1] == u'\n') {
            continue; // the LF that follows stands for both
        }
        text += ch == u'\n' ? u'\r' : ch;
    }
    return text;
}

std::string toUtf8WithLf(std::u16string_view text) {
    std::u16string lf(text);
    for (char16_t& ch : lf) {
        if (ch == u'\r') {
            ch = u'\n';
        }
    }
    std::vector<std::uint8_t> bytes(platform::maxEncodedSize(platform::CodePage::Utf8, lf.size()));
    const std::size_t written =
        platform::encodeFromUtf16(platform::CodePage::Utf8, lf, bytes.data());
    return std::string(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(written));
}

} // namespace nedithost
