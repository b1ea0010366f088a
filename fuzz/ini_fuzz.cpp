// Parses arbitrary bytes as an INI file and checks what must hold: the store's invariants after
// the load and after writes, a saved image that loads back to itself, and reads that never fail.
#include "document/IniFile.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    document::IniFile ini;
    ini.loadText(bytes);
    ini.checkInvariants();
    const std::string image = ini.text();
    document::IniFile again;
    again.loadText(image);
    if (again.text() != image || again.sectionCount() != ini.sectionCount())
        std::abort();

    // Use pieces of the input as section, key and value, as a user editing the file would.
    const std::size_t third = size / 3;
    std::u16string section(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(third));
    std::u16string key(bytes.begin() + static_cast<std::ptrdiff_t>(third),
                       bytes.begin() + static_cast<std::ptrdiff_t>(2 * third));
    std::u16string value(bytes.begin() + static_cast<std::ptrdiff_t>(2 * third), bytes.end());
    (void)ini.readInt(section, key, 7);
    (void)ini.readColor(section, key);
    ini.writeString(section, key, value);
    ini.writeInt(u"init", key, static_cast<int>(size));
    ini.checkInvariants();
    if (ini.sectionCount() > again.sectionCount() + 2)
        std::abort();
    document::IniFile written;
    written.loadText(ini.text());
    written.checkInvariants();
    return 0;
}
