#pragma once
// Whether a file's bytes decode without a single replaced sequence in an encoding, the test
// detection puts every candidate to. Faster than decoding: nothing is written.

#include <cstdint>
#include <span>

namespace document {

// True when reading `file` (a whole file, with its mark if it has one) in `encoding` (1-10)
// replaces no byte sequence, exactly as LineReader would count; false for an invalid id.
bool decodesCleanly(std::span<const std::uint8_t> file, std::int32_t encoding);

} // namespace document
