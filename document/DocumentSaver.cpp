#include "document/DocumentSaver.h"

#include "document/DocumentEncoder.h"
#include "document/Utf8Text.h"
#include "platform/ReplacingFile.h"

#include <vector>

namespace document {

namespace {

// Bytes gather here and reach the file in large writes.
constexpr std::size_t kWriteChunk = 1 << 20;

SaveResult failure(const platform::WriteError& error) {
    return SaveResult{false, error.path, utf8ToUtf16(error.systemReason())};
}

} // namespace

SaveResult saveDocumentFile(std::u16string_view path, std::u16string_view text,
                            std::int32_t encoding, std::int32_t lineBreak,
                            const platform::Cp932Spelling& spelling) {
    platform::ReplacingFile file;
    if (!file.begin(path))
        return failure(file.error());
    std::vector<std::uint8_t> chunk;
    chunk.reserve(kWriteChunk);
    auto flush = [&] {
        const bool written = file.write(chunk);
        chunk.clear();
        return written;
    };
    const bool encoded = encodeDocumentTo(text, encoding, lineBreak, spelling,
                                          [&](std::span<const std::uint8_t> part) {
                                              chunk.insert(chunk.end(), part.begin(), part.end());
                                              return chunk.size() < kWriteChunk || flush();
                                          });
    if (!encoded || !flush() || !file.commit()) {
        file.abandon();
        return failure(file.error());
    }
    return SaveResult{true, {}, {}};
}

} // namespace document
