#include "document/DocumentEncoder.h"

#include "document/LineEncoder.h"
#include "document/LineWriter.h"
#include "document/TextEncoding.h"

namespace document {

namespace {

// Calls write(line, first, last) for every CR-separated line of a non-empty text. A text that
// ends with CR ends with a line break: its empty last line writes nothing.
template <class WriteLine> void forEachLine(std::u16string_view text, WriteLine write) {
    bool first = true;
    while (!text.empty()) {
        const std::size_t cr = text.find(u'\r');
        const bool last = cr == std::u16string_view::npos;
        write(text.substr(0, cr), first, last);
        first = false;
        text = last ? std::u16string_view{} : text.substr(cr + 1);
    }
}

} // namespace

bool encodeDocumentFile(std::u16string_view path, std::u16string_view text, std::int32_t encoding,
                        std::int32_t lineBreak, const platform::Cp932Spelling& spelling) {
    LineWriter writer;
    if (!writer.open(path, encoding, lineBreak, &spelling)) {
        return false;
    }
    forEachLine(text, [&](std::u16string_view line, bool first, bool last) {
        writer.writeLine(line, first, last);
    });
    return writer.close();
}

bool encodeDocumentTo(std::u16string_view text, std::int32_t encoding, std::int32_t lineBreak,
                      const platform::Cp932Spelling& spelling,
                      const std::function<bool(std::span<const std::uint8_t>)>& sink) {
    LineEncoder encoder;
    encoder.setSpelling(&spelling);
    bool accepted = true;
    forEachLine(text, [&](std::u16string_view line, bool first, bool last) {
        if (accepted && first) {
            accepted = sink(byteOrderMark(encoding));
        }
        if (accepted && !line.empty()) {
            accepted = sink(encoder.encode(encoding, line));
        }
        if (accepted && !last) {
            accepted = sink(lineBreakBytes(encoding, lineBreak));
        }
    });
    return accepted;
}

std::vector<std::uint8_t> encodeDocumentBytes(std::u16string_view text, std::int32_t encoding,
                                              std::int32_t lineBreak,
                                              const platform::Cp932Spelling& spelling) {
    std::vector<std::uint8_t> bytes;
    encodeDocumentTo(text, encoding, lineBreak, spelling, [&](std::span<const std::uint8_t> part) {
        bytes.insert(bytes.end(), part.begin(), part.end());
        return true;
    });
    return bytes;
}

} // namespace document
