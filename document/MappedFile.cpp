#include "document/MappedFile.h"

namespace document {

bool MappedFile::open(std::u16string_view path, std::uint64_t maxBytes) {
    close();
    platform::InputFile file;
    if (!file.open(path)) {
        error_ = file.error();
        return false;
    }
    if (!contents_.read(file, maxBytes)) {
        error_ = contents_.error();
        return false;
    }
    error_ = {};
    return true;
}

void MappedFile::close() {
    contents_.release();
}

} // namespace document
