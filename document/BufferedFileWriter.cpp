#include "document/BufferedFileWriter.h"

#include <cstring>

namespace document {

BufferedFileWriter::~BufferedFileWriter() {
    close();
}

bool BufferedFileWriter::open(std::u16string_view path) {
    close();
    fill_ = 0;
    failed_ = false;
    return file_.create(path);
}

void BufferedFileWriter::write(std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const std::size_t room = kBufferSize - fill_;
        const std::size_t take = bytes.size() < room ? bytes.size() : room;
        std::memcpy(buffer_.data() + fill_, bytes.data(), take);
        fill_ += take;
        bytes = bytes.subspan(take);
        if (fill_ == kBufferSize) {
            flush();
        }
    }
}

void BufferedFileWriter::flush() {
    if (fill_ != 0 && file_.isOpen() && !file_.write(std::span(buffer_.data(), fill_))) {
        failed_ = true;
    }
    fill_ = 0;
}

bool BufferedFileWriter::close() {
    if (!file_.isOpen()) {
        fill_ = 0;
        return !failed_;
    }
    flush();
    if (!file_.close()) {
        failed_ = true;
    }
    return !failed_;
}

} // namespace document
