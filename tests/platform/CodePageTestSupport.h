#pragma once
// Helpers shared by the code-page tests: fixtures from tests/data/codepage and one-call
// decode and encode into owned strings.

#include "platform/CodePage.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace codepage_test {

using Bytes = std::vector<std::uint8_t>;

inline Bytes readFixture(const std::string& name) {
    std::ifstream in(std::string(KIV_TEST_DATA_DIR) + "/codepage/" + name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::u16string utf16le(const Bytes& bytes) {
    std::u16string s;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        s.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)));
    return s;
}

struct Decoded {
    std::u16string text;
    std::size_t replacements = 0;
};

inline Decoded decode(platform::CodePage page, const Bytes& bytes) {
    // Guard units after the promised room catch a converter that writes past it.
    std::u16string out(bytes.size() + 4, u'\xABCD');
    const auto r = platform::decodeToUtf16Counted(page, bytes, out.data());
    for (std::size_t i = bytes.size(); i < out.size(); ++i)
        if (out[i] != u'\xABCD')
            return {u"<wrote past the room>", 0};
    out.resize(r.units);
    return {out, r.replacements};
}

inline Bytes encode(platform::CodePage page, std::u16string_view text) {
    const std::size_t room = platform::maxEncodedSize(page, text.size());
    Bytes out(room + 4, 0xEE);
    const std::size_t n = platform::encodeFromUtf16(page, text, out.data());
    for (std::size_t i = room; i < out.size(); ++i)
        if (out[i] != 0xEE)
            return {'<', 'o', 'v', 'e', 'r', 'r', 'u', 'n', '>'};
    out.resize(n);
    return out;
}

} // namespace codepage_test
