// The game's folder from the registry of the test prefix: steps of one test, since they share keys.
#include "results/GameFolder.h"
#include "results/TacticBook.h"
#include "support/Str.h"

#include <gtest/gtest.h>

#include <windows.h>

static void DeleteKeys()
{
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
        for (const char* key : {kGameRegistryKey, "Software\\Brightfold Ltd"})
            RegDeleteKeyExA(root, key, KEY_WOW64_32KEY, 0);
}

TEST(GameFolder, RegistryLookup)
{
    const HKEY machine = HKEY_LOCAL_MACHINE, user = HKEY_CURRENT_USER;
    const std::string none = kDefaultGameFolder, x511(511, 'x'), y512(512, 'y');
    SetEnvironmentVariableA("KX_GAMES", "D");
    // Delete the keys?, where to store (or not), type, data, bytes stored (-1: with the terminator), folder.
    const std::tuple<bool, HKEY, DWORD, std::string, int, std::string> steps[] = {
        {true, nullptr, REG_SZ, "", -1, none},
        {false, user, REG_SZ, "C:\\User", -1, "C:\\User"},
        {false, machine, REG_SZ, "D:\\Gafferline", -1, "D:\\Gafferline"}, // the machine's value first
        {true, machine, REG_SZ, x511, -1, x511},
        {false, machine, REG_SZ, y512, -1, none}, // too long
        {false, user, REG_SZ, "C:\\User", -1, "C:\\User"}, // then the user's value is taken
        {true, machine, REG_SZ, "", 0, none},
        {false, machine, REG_DWORD, "1234", 4, none},
        {false, machine, REG_SZ, "D", -1, "D"},
        {false, machine, REG_SZ, "C:\\NoEnd", 8, "C:\\NoEnd"}, // stored without terminator
        {false, machine, REG_EXPAND_SZ, "%KX_GAMES%", -1, "D"},
        {false, machine, REG_EXPAND_SZ, "%KX_GAMES%:\\Games", -1, "D:\\Games"},
    };
    for (const auto& [delete_first, root, type, data, size, expected] : steps) {
        if (delete_first)
            DeleteKeys();
        HKEY key = nullptr;
        if (root) {
            ASSERT_EQ(RegCreateKeyExA(root, kGameRegistryKey, 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr,
                                      &key, nullptr), ERROR_SUCCESS);
            RegSetValueExA(key, kGameRegistryValue, 0, type, reinterpret_cast<const BYTE*>(data.c_str()),
                           size < 0 ? static_cast<DWORD>(data.size() + 1) : size);
            RegCloseKey(key);
        }
        char* folder = FindGameFolder();
        EXPECT_EQ(std::string(folder), expected) << "after storing " << testing::PrintToString(data.substr(0, 20));
        Str_Free(folder);
    }
    TacticBook* book = TacticBook_Create();
    EXPECT_STREQ(book->tactics_folder, "D:\\Games\\tactics");
    TacticBook_Destroy(book);
    DeleteKeys();
}
