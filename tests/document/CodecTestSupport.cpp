#include "CodecTestSupport.h"

#include <fstream>
#include <iterator>
#include <random>

namespace codectest {

Bytes readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void writeFile(const std::filesystem::path& path, const Bytes& data) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data.data()),
              static_cast<std::streamsize>(data.size()));
}

Bytes fixture(std::string_view name) {
    return readFile(std::filesystem::path(KIV_TEST_DATA_DIR) / "codec" / name);
}

std::u16string fixtureText(std::string_view name) {
    const Bytes raw = fixture(name);
    std::u16string text;
    for (std::size_t i = 0; i + 1 < raw.size(); i += 2) {
        text.push_back(static_cast<char16_t>(raw[i] | (raw[i + 1] << 8)));
    }
    return text;
}

std::u16string u16path(const std::filesystem::path& path) {
    const std::string narrow = path.string();
    return std::u16string(narrow.begin(), narrow.end());
}

ScratchFolder::ScratchFolder() {
    std::random_device random;
    root_ = std::filesystem::temp_directory_path() /
            ("kiv-codec-" + std::to_string(random()) + std::to_string(random()));
    std::filesystem::create_directories(root_);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

} // namespace codectest
