#include "platform/Registry.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class Registry : public ::testing::Test {
protected:
    void TearDown() override { platform::test::clearRegistry(); }

    static HKEY create(HKEY root, const char16_t* path) {
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyEx(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        return key;
    }
};

} // namespace

TEST_F(Registry, KeysHoldValuesAndAreFoundInAnyLetterCase) {
    HKEY key = create(HKEY_CURRENT_USER, u"Software\\Maker\\Status");
    const DWORD value = 42;
    ASSERT_EQ(RegSetValueEx(key, u"Count", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                            sizeof(value)),
              ERROR_SUCCESS);
    RegCloseKey(key);

    HKEY again = nullptr;
    ASSERT_EQ(
        RegOpenKeyEx(HKEY_CURRENT_USER, u"software\\MAKER\\status", 0, KEY_ALL_ACCESS, &again),
        ERROR_SUCCESS);
    DWORD type = 0;
    DWORD read = 0;
    DWORD size = 2;
    EXPECT_EQ(
        RegQueryValueEx(again, u"count", nullptr, &type, reinterpret_cast<BYTE*>(&read), &size),
        ERROR_MORE_DATA);
    EXPECT_EQ(size, sizeof(DWORD));
    EXPECT_EQ(
        RegQueryValueEx(again, u"Count", nullptr, &type, reinterpret_cast<BYTE*>(&read), &size),
        ERROR_SUCCESS);
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(read, 42u);
    EXPECT_EQ(RegQueryValueEx(again, u"Other", nullptr, &type, nullptr, &size),
              ERROR_FILE_NOT_FOUND);
    RegCloseKey(again);
    // The keys on the way exist; another root does not share them.
    HKEY parent = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, u"Software\\Maker", 0, KEY_ALL_ACCESS, &parent),
              ERROR_SUCCESS);
    RegCloseKey(parent);
    EXPECT_EQ(RegOpenKeyEx(HKEY_CLASSES_ROOT, u"Software\\Maker", 0, KEY_ALL_ACCESS, &parent),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(parent, nullptr);
}

TEST_F(Registry, DeletingAKeyTakesEverythingBelowItAndClosedHandlesAreRefused) {
    HKEY key = create(HKEY_CLASSES_ROOT, u".txt\\shell\\open");
    const std::u16string text = u"kivtxt";
    HKEY ext = create(HKEY_CLASSES_ROOT, u".txt");
    ASSERT_EQ(RegSetValueEx(ext, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.data()),
                            static_cast<DWORD>(text.size() * 2)),
              ERROR_SUCCESS);
    RegCloseKey(ext);
    EXPECT_EQ(RegDeleteKey(HKEY_CLASSES_ROOT, u".TXT"), ERROR_SUCCESS);
    HKEY gone = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_CLASSES_ROOT, u".txt\\shell", 0, KEY_ALL_ACCESS, &gone),
              ERROR_FILE_NOT_FOUND);
    // A handle kept to a deleted key can no longer take values.
    const DWORD one = 1;
    EXPECT_EQ(RegSetValueEx(key, u"x", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegSetValueEx(key, u"x", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4),
              ERROR_INVALID_HANDLE);
}
