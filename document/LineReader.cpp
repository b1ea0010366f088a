#include "document/LineReader.h"

#include "document/TextEncoding.h"

#include <cstring>

namespace document {

bool LineReader::open(std::u16string_view path, std::int32_t encoding) {
    close();
    if (!file_.open(path)) {
        return false;
    }
    attach(file_.data(), encoding);
    return true;
}

void LineReader::attach(std::span<const std::uint8_t> data, std::int32_t encoding) {
    data_ = data;
    encoding_ = encoding;
    position_ = 0;
    nextLf_ = 0;
    nextCr_ = 0;
    breaksScanned_ = false;
    moreLines_ = true;
    replacements_ = 0;
    markChecked_ = false;
    lastLine_ = {};
    decoder_.reset();
}

void LineReader::close() {
    file_.close();
    data_ = {};
    position_ = 0;
    moreLines_ = false;
}

LineReader::LineExtent LineReader::findLine8() {
    // The next LF and CR at or after the position are remembered, so memchr scans every byte
    // once even in a file that uses only one of the two.
    const std::size_t size = data_.size();
    auto next = [&](std::size_t& cached, int byte) {
        if (!breaksScanned_ || cached < position_) {
            const auto* found = static_cast<const std::uint8_t*>(
                std::memchr(data_.data() + position_, byte, size - position_));
            cached = found != nullptr ? static_cast<std::size_t>(found - data_.data()) : size;
        }
        return cached;
    };
    const std::size_t lf = next(nextLf_, 0x0A);
    const std::size_t cr = next(nextCr_, 0x0D);
    breaksScanned_ = true;
    if (cr < lf) {
        const bool crlf = cr + 1 == lf && lf < size; // lf is the size when there is none
        return {cr - position_, crlf ? 2u : 1u, crlf ? LB_CRLF : LB_CR};
    }
    if (lf < size) {
        return {lf - position_, 1, LB_LF};
    }
    return {size - position_, 0, 0};
}

LineReader::LineExtent LineReader::findLine16() const {
    const std::uint8_t* start = data_.data() + position_;
    const std::size_t rest = data_.size() - position_;
    const unsigned low = isBigEndianUtf16(encoding_) ? 1 : 0;
    for (std::size_t i = 0; i + 1 < rest; i += 2) {
        if (start[i + 1 - low] != 0) {
            continue;
        }
        const std::uint8_t b = start[i + low];
        if (b == 0x0A) {
            return {i, 2, LB_LF};
        }
        if (b == 0x0D) {
            const bool crlf = i + 3 < rest && start[i + 2 + low] == 0x0A && start[i + 3 - low] == 0;
            return {i, crlf ? 4u : 2u, crlf ? LB_CRLF : LB_CR};
        }
    }
    return {rest, 0, 0};
}

std::u16string_view LineReader::readLine() {
    moreLines_ = true;
    if (!markChecked_) {
        // The mark is not text. Only bytes that really are the mark are skipped, so a file
        // read with a marked encoding that it does not carry loses nothing.
        markChecked_ = true;
        const std::span<const std::uint8_t> mark = byteOrderMark(encoding_);
        if (!mark.empty() && data_.size() >= mark.size() &&
            std::memcmp(data_.data(), mark.data(), mark.size()) == 0) {
            position_ = mark.size();
        }
    }
    if (!isValidEncoding(encoding_) || position_ >= data_.size()) {
        moreLines_ = false;
        lastLine_ = {};
        if (output_.empty()) {
            output_.resize(1);
        }
        output_[0] = 0;
        return std::u16string_view(output_.data()); // empty, NUL-terminated
    }
    const LineExtent line = isUtf16(encoding_) ? findLine16() : findLine8();
    const std::span<const std::uint8_t> bytes = data_.subspan(position_, line.length);
    position_ += line.length + line.breakLength;
    if (line.breakLength == 0) {
        moreLines_ = false;
    }
    const std::size_t needed = LineDecoder::maxUnits(bytes.size()) + 1;
    if (output_.size() < needed) {
        output_.resize(needed + 4097);
    }
    lastLine_.bytes = bytes;
    lastLine_.lineBreak = line.lineBreak;
    lastLine_.decoded = decoder_.decode(encoding_, bytes, output_.data(), spelling_);
    replacements_ += lastLine_.decoded.replacements;
    const std::size_t units = lastLine_.decoded.units;
    output_[units] = 0;
    return {output_.data(), units};
}

} // namespace document
