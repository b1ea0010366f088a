#include "document/DocumentEncoder.h"

#include "document/LineWriter.h"

namespace document {

bool encodeDocumentFile(std::u16string_view path, std::u16string_view text, std::int32_t encoding,
                        std::int32_t lineBreak) {
    LineWriter writer;
    if (!writer.open(path, encoding, lineBreak)) {
        return false;
    }
    bool first = true;
    while (!text.empty()) {
        const std::size_t cr = text.find(u'\r');
        const bool last = cr == std::u16string_view::npos;
        writer.writeLine(text.substr(0, cr), first, last);
        first = false;
        text = last ? std::u16string_view{} : text.substr(cr + 1);
        // A text that ends with CR ends with a line break: its empty last line writes nothing.
    }
    return writer.close();
}

} // namespace document
