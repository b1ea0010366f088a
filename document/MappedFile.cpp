#include "document/MappedFile.h"

namespace document {

bool MappedFile::open(std::u16string_view path) {
    close();
    if (!file_.open(path) || !mapping_.map(file_)) {
        close();
        return false;
    }
    return true;
}

void MappedFile::close() {
    mapping_.unmap();
    file_.close();
}

} // namespace document
