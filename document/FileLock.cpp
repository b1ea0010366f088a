#include "document/FileLock.h"

#include "document/Utf8Text.h"
#include "platform/FrontRequest.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace document {

std::string FileLock::lockName(std::u16string_view path) {
    std::string text = utf16ToUtf8(path);
    std::replace(text.begin(), text.end(), '\\', '/');
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(text, error);
    if (!error) {
        const std::filesystem::path resolved = std::filesystem::weakly_canonical(absolute, error);
        text = error ? absolute.lexically_normal().string() : resolved.string();
    }
    return "//kiv/lock/" + text;
}

FileLock::Outcome FileLock::claim(std::u16string_view path, std::uint64_t window) {
    release();
    Outcome outcome;
    switch (claim_.claim(lockName(path), platform::currentProcessHolder(window), &outcome.holder)) {
    case platform::FileClaim::Outcome::Claimed:
        outcome.result = Result::Claimed;
        path_ = path;
        break;
    case platform::FileClaim::Outcome::HeldElsewhere:
        outcome.result = Result::HeldElsewhere;
        break;
    case platform::FileClaim::Outcome::Unavailable:
        outcome.result = Result::Unavailable;
        break;
    }
    return outcome;
}

void FileLock::release() {
    claim_.release();
    path_.clear();
}

std::optional<platform::ClaimHolder> FileLock::holderOf(std::u16string_view path) {
    return platform::FileClaim::holderOf(lockName(path));
}

bool FileLock::bringToFront(const platform::ClaimHolder& holder) {
    return platform::requestBringToFront(holder);
}

} // namespace document
