#pragma once
// Writes a document line by line: the byte order mark once, each line's encoded text, and the
// document's line break after every line but the last.

#include "document/BufferedFileWriter.h"
#include "document/LineEncoder.h"

#include <cstdint>
#include <string_view>

namespace document {

class LineWriter {
public:
    // Creates (or replaces) the file for writing in `encoding` with line breaks `lineBreak`,
    // writing code page 932 characters with the codes `spelling` kept when one is given (it
    // must outlive the writing); false when it cannot be created.
    bool open(std::u16string_view path, std::int32_t encoding, std::int32_t lineBreak,
              const platform::Cp932Spelling* spelling = nullptr);
    // Writes, in this order: the encoding's byte order mark when `writeMark` is set (only the
    // marked encodings have one), the encoded text unless it is empty, and one line break
    // unless `omitBreak` is set.
    void writeLine(std::u16string_view text, bool writeMark, bool omitBreak);
    // Writes out and closes the file; false when any write failed. Safe to call twice.
    bool close();

private:
    BufferedFileWriter writer_;
    LineEncoder encoder_;
    std::int32_t encoding_ = 0;
    std::int32_t lineBreak_ = 0;
};

} // namespace document
