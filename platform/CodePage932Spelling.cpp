#include "platform/CodePage932Spelling.h"

#include "platform/CodePage932Table.h"
#include "platform/CodePageConverters.h"

namespace platform {
namespace {

constexpr std::size_t kPairCount = cp932::kLeadCount * cp932::kTrailCount;

// The index of a pair in kDoubleByte; kPairCount for a code that is no pair.
std::size_t pairIndex(std::uint16_t code) {
    const auto lead = static_cast<std::uint8_t>(code >> 8);
    const auto trail = static_cast<std::uint8_t>(code & 0xFF);
    if (!cp932::isLeadByte(lead) || trail < cp932::kTrailFirst)
        return kPairCount;
    return cp932::leadIndex(lead) * cp932::kTrailCount + (trail - cp932::kTrailFirst);
}

std::uint16_t pairCode(std::size_t index) {
    const std::size_t row = index / cp932::kTrailCount;
    const unsigned lead = row < 31 ? 0x81 + row : 0xE0 + (row - 31);
    return static_cast<std::uint16_t>((lead << 8) |
                                      (cp932::kTrailFirst + index % cp932::kTrailCount));
}

// The characters that have several pair codes, found once from the decoding table.
struct Variants {
    std::vector<std::uint16_t> groupOfPair; // group + 1 per pair index; 0 for a single code
    std::vector<char16_t> unitOfGroup;
    std::vector<std::uint64_t> bits; // one per pair index: part of a group
};

const Variants& variants() {
    static const Variants v = [] {
        Variants made;
        made.groupOfPair.assign(kPairCount, 0);
        made.bits.assign((kPairCount + 63) / 64, 0);
        std::vector<std::uint16_t> codesOfUnit(0x10000, 0); // the first pair index + 1
        for (std::size_t i = 0; i < kPairCount; ++i) {
            const char16_t u = cp932::kDoubleByte[i];
            if (u == 0)
                continue;
            if (codesOfUnit[u] == 0) {
                codesOfUnit[u] = static_cast<std::uint16_t>(i + 1);
                continue;
            }
            const std::size_t first = codesOfUnit[u] - 1u;
            if (made.groupOfPair[first] == 0) {
                made.unitOfGroup.push_back(u);
                made.groupOfPair[first] = static_cast<std::uint16_t>(made.unitOfGroup.size());
                made.bits[first / 64] |= std::uint64_t{1} << (first % 64);
            }
            made.groupOfPair[i] = made.groupOfPair[first];
            made.bits[i / 64] |= std::uint64_t{1} << (i % 64);
        }
        return made;
    }();
    return v;
}

constexpr char16_t kReplacement = 0xFFFD;

} // namespace

namespace detail {

const std::uint64_t* cp932VariantBits() {
    return variants().bits.data();
}

} // namespace detail

const Cp932Spelling::EncodeTable& cp932DefaultEncodeTable() {
    // Every code in code order, the lowest code of a character first, then the generated
    // preferences among duplicates and the one-way mappings.
    static const auto table = [] {
        auto t = std::make_unique<Cp932Spelling::EncodeTable>();
        t->fill(0);
        for (unsigned b = 0x80; b < 0x100; ++b) {
            const char16_t u = cp932::kSingleByte[b];
            if (u != 0 && u != kReplacement && (*t)[u] == 0)
                (*t)[u] = static_cast<std::uint16_t>(b);
        }
        for (std::size_t i = 0; i < kPairCount; ++i) {
            const char16_t u = cp932::kDoubleByte[i];
            if (u != 0 && (*t)[u] == 0)
                (*t)[u] = pairCode(i);
        }
        for (const auto& o : cp932::kEncodeOverrides)
            (*t)[o.unit] = o.code;
        return t;
    }();
    return *table;
}

bool isCp932VariantCode(std::uint16_t code) {
    const std::size_t i = pairIndex(code);
    return i < kPairCount && (variants().bits[i / 64] >> (i % 64) & 1) != 0;
}

bool cp932RoundTrips(char16_t unit, std::uint16_t code) {
    if (code == 0)
        return false;
    if (code < 0x100)
        return cp932::kSingleByte[code] == unit;
    const std::size_t i = pairIndex(code);
    return i < kPairCount && cp932::kDoubleByte[i] == unit;
}

bool Cp932Spelling::note(std::uint16_t code) {
    const std::size_t i = pairIndex(code);
    if (i == kPairCount)
        return true;
    const Variants& v = variants();
    const std::uint16_t group = v.groupOfPair[i];
    if (group == 0)
        return true;
    if (kept_.empty())
        kept_.assign(v.unitOfGroup.size(), 0);
    std::uint16_t& kept = kept_[group - 1u];
    if (kept == 0) {
        kept = code;
        tableReady_ = false;
        return true;
    }
    return kept == code;
}

bool Cp932Spelling::differsFromDefault() const {
    const EncodeTable& standard = cp932DefaultEncodeTable();
    const Variants& v = variants();
    for (std::size_t g = 0; g < kept_.size(); ++g) {
        if (kept_[g] != 0 && standard[v.unitOfGroup[g]] != kept_[g])
            return true;
    }
    return false;
}

const Cp932Spelling::EncodeTable& Cp932Spelling::encodeTable() const {
    if (!tableReady_) {
        table_.reset();
        if (differsFromDefault()) {
            auto t = std::make_shared<EncodeTable>(cp932DefaultEncodeTable());
            const Variants& v = variants();
            for (std::size_t g = 0; g < kept_.size(); ++g) {
                if (kept_[g] != 0)
                    (*t)[v.unitOfGroup[g]] = kept_[g];
            }
            table_ = std::move(t);
        }
        tableReady_ = true;
    }
    return table_ ? *table_ : cp932DefaultEncodeTable();
}

} // namespace platform
