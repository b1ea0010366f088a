// glibc iconv as the reference that kiv's converters are measured against in the same run.
#pragma once

#include <iconv.h>

#include <cstddef>

namespace bench {

// Runs one whole-buffer conversion from its initial state and returns the bytes written;
// aborts when iconv stops early, since benchmark text holds only characters both sides convert.
std::size_t runIconv(iconv_t cd, const void* in, std::size_t inBytes, void* out,
                     std::size_t outBytes);

} // namespace bench
