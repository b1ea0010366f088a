#pragma once
// Reads a file line by line in a document encoding, decoding each line to UTF-16.
// LF, CR and CR LF all end a line; a file that ends with a line break yields a last, empty
// line, so joining the lines with CR gives back every break.

#include "document/LineDecoder.h"
#include "document/MappedFile.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace document {

class LineReader {
public:
    // What the last readLine() read.
    struct LineFacts {
        std::span<const std::uint8_t> bytes; // the line's bytes, without its break
        std::int32_t lineBreak = 0;          // the break that ended it (LB_*), 0 at the end
        platform::DecodeResult decoded;      // how decoding went
    };

    // Reads the file and starts reading it as encoding `encoding`; false with error() set when
    // it cannot be opened or read.
    bool open(std::u16string_view path, std::int32_t encoding);
    // Starts reading bytes that the caller keeps alive until close() (no file involved).
    void attach(std::span<const std::uint8_t> data, std::int32_t encoding);
    // Makes decoding note the code page 932 codes of the text in `spelling` (which must outlive
    // the reading); nullptr stops it.
    void noteSpelling(platform::Cp932Spelling* spelling) { spelling_ = spelling; }
    // The next line without its line break; its data is followed by a NUL unit. Valid until
    // the next readLine() or close(). A NUL inside the line is part of the returned view.
    std::u16string_view readLine();
    // False once readLine() has returned the last line.
    bool moreLines() const { return moreLines_; }
    // The number of invalid byte sequences that were replaced by U+FFFD so far.
    std::size_t replacements() const { return replacements_; }
    // The bytes, break and decoding of the line the last readLine() returned.
    const LineFacts& lastLine() const { return lastLine_; }
    // Why the last open() failed.
    const platform::FileError& error() const { return file_.error(); }
    // Releases the file; safe to call twice.
    void close();

private:
    // The byte length of the line starting at position_ and of its line break.
    struct LineExtent {
        std::size_t length;
        std::size_t breakLength;
        std::int32_t lineBreak;
    };
    LineExtent findLine8();
    LineExtent findLine16() const;

    MappedFile file_;
    std::span<const std::uint8_t> data_;
    std::int32_t encoding_ = 0;
    std::size_t position_ = 0;
    // The first LF and CR at or after the position (the data size when there is none); stale
    // when below the position or before the first scan.
    std::size_t nextLf_ = 0;
    std::size_t nextCr_ = 0;
    bool breaksScanned_ = false;
    bool markChecked_ = false;
    bool moreLines_ = false;
    std::size_t replacements_ = 0;
    LineFacts lastLine_;
    platform::Cp932Spelling* spelling_ = nullptr;
    LineDecoder decoder_;
    std::vector<char16_t> output_;
};

} // namespace document
