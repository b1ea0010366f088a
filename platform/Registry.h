#pragma once
// A small registry: keys under a few roots, each holding named values. A desktop has no
// registry of the handheld's kind, so this one lives in memory for the run and starts empty:
// keys a device maker would have installed do not exist, and the code that reads them takes
// its "key missing" path. Tests create keys to exercise the other path.

#include "platform/WinTypes.h"

struct PlatformRegistryKey;
using HKEY = PlatformRegistryKey*;
using REGSAM = DWORD;

// The roots (predefined handles; never closed).
// NOLINTBEGIN(performance-no-int-to-ptr)
inline HKEY const HKEY_CLASSES_ROOT =
    reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000000));
inline HKEY const HKEY_CURRENT_USER =
    reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000001));
inline HKEY const HKEY_LOCAL_MACHINE =
    reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000002));
// NOLINTEND(performance-no-int-to-ptr)

constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
constexpr REGSAM KEY_SET_VALUE = 0x0002;
constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;

constexpr DWORD REG_CREATED_NEW_KEY = 1;
constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

constexpr LONG ERROR_SUCCESS = 0;
constexpr LONG ERROR_FILE_NOT_FOUND = 2;
constexpr LONG ERROR_INVALID_HANDLE = 6;
constexpr LONG ERROR_INVALID_PARAMETER = 87;
constexpr LONG ERROR_MORE_DATA = 234;

// Opens an existing key (subKey may be empty: the key itself); ERROR_FILE_NOT_FOUND when
// it does not exist. Key names compare without regard to ASCII case.
LONG RegOpenKeyEx(HKEY key, const char16_t* subKey, DWORD options, REGSAM access, HKEY* result);
// Opens a key, creating it (and the keys above it) when missing.
LONG RegCreateKeyEx(HKEY key, const char16_t* subKey, DWORD reserved, char16_t* keyClass,
                    DWORD options, REGSAM access, void* security, HKEY* result, DWORD* disposition);
// Reads a value (name null or empty: the key's default value). With data null only the type
// and size are reported; a buffer too small gives ERROR_MORE_DATA and the size needed.
LONG RegQueryValueEx(HKEY key, const char16_t* name, DWORD* reserved, DWORD* type, BYTE* data,
                     DWORD* size);
// Writes a value of size bytes.
LONG RegSetValueEx(HKEY key, const char16_t* name, DWORD reserved, DWORD type, const BYTE* data,
                   DWORD size);
// Deletes a key and everything below it.
LONG RegDeleteKey(HKEY key, const char16_t* subKey);
// Closes an opened key.
LONG RegCloseKey(HKEY key);

namespace platform::test {

// Forgets every key and value.
void clearRegistry();

} // namespace platform::test
