#include "platform/RuntimeDirectory.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace platform {

namespace {

bool isPrivateDirectory(const std::string& path) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0)
        return false;
    return S_ISDIR(info.st_mode) && info.st_uid == geteuid() && (info.st_mode & 077) == 0;
}

std::uint64_t fnv1a(std::string_view text, std::uint64_t basis) {
    std::uint64_t hash = basis;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 0x100000001b3ULL;
    }
    return hash;
}

} // namespace

std::string runtimeDirectory() {
    std::string dir;
    if (const char* own = std::getenv("KIV_RUNTIME_DIR"); own != nullptr && *own != '\0') {
        dir = own;
    } else if (const char* xdg = std::getenv("XDG_RUNTIME_DIR"); xdg != nullptr && *xdg == '/') {
        dir = std::string(xdg) + "/kiv";
    } else {
        dir = "/tmp/kiv-" + std::to_string(geteuid());
    }
    while (dir.size() > 1 && dir.back() == '/')
        dir.pop_back();
    if (mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST)
        return {};
    if (!isPrivateDirectory(dir))
        return {};
    return dir + '/';
}

std::string namedObjectFileName(std::string_view scope, std::string_view name) {
    // Two independent 64-bit hashes of scope and name keep accidental collisions out of reach;
    // a readable tail of the name helps a person looking at the folder.
    std::string whole;
    whole.reserve(scope.size() + name.size() + 1);
    whole.append(scope).push_back('\n');
    whole.append(name);
    const std::uint64_t first = fnv1a(whole, 0xcbf29ce484222325ULL);
    const std::uint64_t second = fnv1a(whole, 0x84222325cbf29ce4ULL ^ whole.size());
    char hex[40];
    std::snprintf(hex, sizeof hex, "%016llx%016llx", static_cast<unsigned long long>(first),
                  static_cast<unsigned long long>(second));
    std::string tail;
    for (auto it = name.rbegin(); it != name.rend() && tail.size() < 32; ++it) {
        const unsigned char c = static_cast<unsigned char>(*it);
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '_';
        tail.insert(tail.begin(), plain ? static_cast<char>(c) : '_');
    }
    return "kiv-" + std::string(hex) + "-" + tail;
}

} // namespace platform
