#include "support/IconvReference.h"

#include <cstdlib>

namespace bench {

std::size_t runIconv(iconv_t cd, const void* in, std::size_t inBytes, void* out,
                     std::size_t outBytes) {
    char* src = const_cast<char*>(static_cast<const char*>(in));
    char* dst = static_cast<char*>(out);
    std::size_t left = outBytes;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &src, &inBytes, &dst, &left) == static_cast<std::size_t>(-1))
        std::abort();
    return outBytes - left;
}

} // namespace bench
