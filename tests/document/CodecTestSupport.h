#pragma once
// Helpers for the codec tests: byte literals, fixture files and a scratch folder.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace codectest {

using Bytes = std::vector<std::uint8_t>;

// The bytes of a string literal, for writing byte sequences as "\x82\xA0".
inline Bytes bytes(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

// The contents of a file; empty when it cannot be read.
Bytes readFile(const std::filesystem::path& path);
// Replaces the file's contents.
void writeFile(const std::filesystem::path& path, const Bytes& data);
// A fixture from tests/data/codec.
Bytes fixture(std::string_view name);
// A fixture holding UTF-16LE bytes, as UTF-16 text (no decoder involved).
std::u16string fixtureText(std::string_view name);
// A path as the UTF-16 form the document classes take.
std::u16string u16path(const std::filesystem::path& path);

// A fresh folder removed at the end of the test.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    std::filesystem::path path(std::string_view name) const { return root_ / name; }

private:
    std::filesystem::path root_;
};

} // namespace codectest
