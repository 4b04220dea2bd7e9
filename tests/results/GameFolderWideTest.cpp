// The game's folder when its name holds characters outside the ANSI code page.
#include "results/TacticBook.h"
#include "support/Str.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

TEST(GameFolderWide, ReadInUtf8)
{
    const wchar_t key_name[] = L"Software\\Brightfold Ltd\\Gafferline Gold";
    RegDeleteKeyExW(HKEY_LOCAL_MACHINE, key_name, KEY_WOW64_32KEY, 0);
    auto found_for = [&](DWORD type, const std::wstring& value) {
        HKEY key = nullptr;
        RegCreateKeyExW(HKEY_CURRENT_USER, key_name, 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr, &key,
                        nullptr);
        RegSetValueExW(key, L"Location", 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
        char* folder = FindGameFolder();
        std::string found = folder;
        Str_Free(folder);
        return found;
    };
    EXPECT_EQ(found_for(REG_SZ, L"C:\\Игры 日本"), "C:\\Игры 日本");
    SetEnvironmentVariableW(L"KX_GAMES", L"D:\\Игры");
    EXPECT_EQ(found_for(REG_EXPAND_SZ, L"%KX_GAMES%\\日本"), "D:\\Игры\\日本") << "expanded";
    RegDeleteKeyExW(HKEY_CURRENT_USER, key_name, KEY_WOW64_32KEY, 0);
}
