#include "document/OpenFailure.h"

#include "document/MappedFile.h"
#include "platform/CodePage.h"

namespace document {

namespace {

std::u16string widen(std::string_view text) {
    std::u16string wide(text.size(), u'\0');
    const auto bytes = std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    wide.resize(platform::decodeToUtf16(platform::CodePage::Utf8, bytes, wide.data()));
    return wide;
}

// 2147418112 as "2,147,418,112 bytes".
std::string byteCount(std::uint64_t bytes) {
    std::string digits = std::to_string(bytes);
    for (std::size_t i = digits.size(); i > 3; i -= 3) {
        digits.insert(i - 3, ",");
    }
    return digits + " bytes";
}

} // namespace

std::string openFailureReason(const platform::FileError& error) {
    using Kind = platform::FileError::Kind;
    switch (error.kind) {
    case Kind::None:
        return {};
    case Kind::System:
        return error.systemReason() + ".";
    case Kind::Folder:
        return "It is a folder, not a file.";
    case Kind::Pipe:
        return "It is a named pipe, not a file: reading it would wait for another program.";
    case Kind::Device:
        return "It is a device, not a file.";
    case Kind::Socket:
        return "It is a socket, not a file.";
    case Kind::TooLarge:
        return "It is too large: " + byteCount(error.size) + ", and the editor holds at most " +
               byteCount(kMaxDocumentBytes) + ".";
    case Kind::Changing:
        return "Another program kept changing it while it was being read; try again when that "
               "program has finished.";
    case Kind::OutOfMemory:
        return "There is not enough memory for it.";
    }
    return {};
}

std::u16string openFailureMessage(std::u16string_view path, const platform::FileError& error) {
    if (error.kind == platform::FileError::Kind::OutOfMemory) {
        return u"Out of memory.\r\n" + std::u16string(path);
    }
    return u"Can't open the file.\r\n" + std::u16string(path) + u"\r\n" +
           widen(openFailureReason(error));
}

} // namespace document
