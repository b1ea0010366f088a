#include "document/LineWriter.h"

#include "document/TextEncoding.h"

namespace document {

bool LineWriter::open(std::u16string_view path, std::int32_t encoding, std::int32_t lineBreak,
                      const platform::Cp932Spelling* spelling) {
    encoding_ = encoding;
    lineBreak_ = lineBreak;
    encoder_.setSpelling(spelling);
    return writer_.open(path);
}

void LineWriter::writeLine(std::u16string_view text, bool writeMark, bool omitBreak) {
    if (writeMark) {
        writer_.write(byteOrderMark(encoding_));
    }
    if (!text.empty()) {
        writer_.write(encoder_.encode(encoding_, text));
    }
    if (!omitBreak) {
        writer_.write(lineBreakBytes(encoding_, lineBreak_));
    }
}

bool LineWriter::close() {
    return writer_.close();
}

} // namespace document
