#include "platform/ProgramDirectory.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

namespace platform {

namespace {

bool isDirectory(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Creates every missing folder along `path` (mode 0700 for new ones).
bool makeDirectories(const std::string& path) {
    if (path.empty() || isDirectory(path))
        return !path.empty();
    for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        const std::string part = path.substr(0, slash);
        if (!part.empty() && mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
        if (slash == std::string::npos)
            break;
    }
    return isDirectory(path);
}

std::string withSlash(std::string dir) {
    if (dir.empty() || dir.back() != '/')
        dir.push_back('/');
    return dir;
}

} // namespace

std::string programDirectory() {
    std::string dir;
    if (const char* own = std::getenv("KIV_PROGRAM_DIR"); own != nullptr && *own != '\0') {
        dir = own;
    } else if (const char* config = std::getenv("XDG_CONFIG_HOME");
               config != nullptr && *config == '/') {
        dir = std::string(config) + "/kiv";
    } else if (const char* home = std::getenv("HOME"); home != nullptr && *home == '/') {
        dir = std::string(home) + "/.config/kiv";
    } else {
        return {};
    }
    while (dir.size() > 1 && dir.back() == '/')
        dir.pop_back();
    if (!makeDirectories(dir))
        return {};
    return withSlash(dir);
}

std::string executablePath() {
    std::vector<char> buffer(4096);
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= buffer.size())
        return {};
    return std::string(buffer.data(), static_cast<std::size_t>(length));
}

std::string defaultFilesDirectory() {
    const std::string exe = executablePath();
    if (const auto slash = exe.rfind('/'); slash != std::string::npos) {
        const std::string installed = exe.substr(0, slash) + "/../share/kiv";
        if (isDirectory(installed))
            return withSlash(installed);
    }
#ifdef KIV_DEFAULTS_SOURCE_DIR
    if (isDirectory(KIV_DEFAULTS_SOURCE_DIR))
        return withSlash(KIV_DEFAULTS_SOURCE_DIR);
#endif
    return {};
}

} // namespace platform
