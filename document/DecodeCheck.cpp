#include "document/DecodeCheck.h"

#include "document/EucSjisConverter.h"
#include "document/JisSjisConverter.h"
#include "document/TextEncoding.h"
#include "platform/CodePage.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace document {

namespace {

constexpr std::size_t kChunk = 65536;

// Where a chunk of at least kChunk bytes from `start` may end without splitting what the pivot
// reads as one unit: after a byte `isCut` accepts, or at the end of the data.
template <class CutTest>
std::size_t chunkEnd(std::span<const std::uint8_t> data, std::size_t start, CutTest isCut) {
    std::size_t end = std::min(data.size(), start + kChunk);
    while (end < data.size() && !isCut(data[end - 1])) {
        ++end;
    }
    return end;
}

// EUC-JP and ISO-2022-JP through their Shift_JIS form, a chunk at a time. An EUC-JP unit never
// goes on over a byte below 80; an ISO-2022-JP one never over a control or space other than
// ESC, and the shift state goes on from chunk to chunk as it does from line to line.
bool pivotDecodesCleanly(std::span<const std::uint8_t> data, bool euc) {
    std::vector<std::uint8_t> pivot;
    JisShiftState state = JisShiftState::Ascii;
    auto isCut = [euc](std::uint8_t b) { return euc ? b < 0x80 : b <= 0x20 && b != 0x1B; };
    for (std::size_t start = 0; start < data.size();) {
        const std::size_t end = chunkEnd(data, start, isCut);
        const std::span<const std::uint8_t> chunk = data.subspan(start, end - start);
        pivot.resize(chunk.size());
        const std::size_t n =
            euc ? eucToSjis(chunk, pivot.data()) : jisToSjis(chunk, pivot.data(), state);
        if (!platform::decodesCleanly(platform::CodePage::ShiftJis, std::span(pivot.data(), n))) {
            return false;
        }
        start = end;
    }
    return true;
}

} // namespace

bool decodesCleanly(std::span<const std::uint8_t> file, std::int32_t encoding) {
    const std::span<const std::uint8_t> mark = byteOrderMark(encoding);
    if (!mark.empty() && file.size() >= mark.size() &&
        std::memcmp(file.data(), mark.data(), mark.size()) == 0) {
        file = file.subspan(mark.size());
    }
    switch (encoding) {
    case ENC_SJIS:
        return platform::decodesCleanly(platform::CodePage::ShiftJis, file);
    case ENC_EUC:
        return pivotDecodesCleanly(file, true);
    case ENC_JIS:
        return pivotDecodesCleanly(file, false);
    case ENC_UTF8_BOM:
    case ENC_UTF8:
        return platform::decodesCleanly(platform::CodePage::Utf8, file);
    case ENC_LATIN:
        return true;
    default:
        // UTF-16 copies every unit; only half a unit at the end is replaced.
        return isUtf16(encoding) && file.size() % 2 == 0;
    }
}

} // namespace document
