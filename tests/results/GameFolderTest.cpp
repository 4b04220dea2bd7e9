// The registry lookup of the game's folder, against the registry of the test
// prefix. All cases run in one test, one after the other, since they share
// the keys.
#include "results/GameFolder.h"
#include "results/TacticBook.h"
#include "support/Str.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

constexpr const char* kCompany = "Software\\Brightfold Ltd";

enum class View { Wow32, Native64 };

REGSAM ViewFlag(View view)
{
    return view == View::Wow32 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
}

void DeleteKeys(HKEY root, View view)
{
    RegDeleteKeyExA(root, kGameRegistryKey, ViewFlag(view), 0);
    RegDeleteKeyExA(root, kCompany, ViewFlag(view), 0);
}

void ClearAll()
{
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        DeleteKeys(root, View::Wow32);
        DeleteKeys(root, View::Native64);
    }
}

void SetValue(HKEY root, View view, DWORD type, const void* data, DWORD size)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(root, kGameRegistryKey, 0, nullptr, 0, KEY_SET_VALUE | ViewFlag(view), nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, kGameRegistryValue, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    RegCloseKey(key);
}

void SetString(HKEY root, const std::string& text, View view = View::Wow32)
{
    SetValue(root, view, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

std::string Found()
{
    char* folder = FindGameFolder();
    std::string result = folder;
    Str_Free(folder);
    return result;
}

struct Cleanup {
    Cleanup() { ClearAll(); }
    ~Cleanup() { ClearAll(); }
};

} // namespace

TEST(GameFolder, RegistryLookup)
{
    Cleanup cleanup;
    const std::string fallback = kDefaultGameFolder;

    EXPECT_EQ(Found(), fallback) << "no key";

    SetString(HKEY_CURRENT_USER, "C:\\Games\\User");
    EXPECT_EQ(Found(), "C:\\Games\\User") << "the user's value";

    SetString(HKEY_LOCAL_MACHINE, "D:\\Gafferline");
    EXPECT_EQ(Found(), "D:\\Gafferline") << "the machine's value comes first";

    ClearAll();
    SetString(HKEY_LOCAL_MACHINE, "E:\\SixtyFourBitView", View::Native64);
    EXPECT_EQ(Found(), fallback) << "the 32-bit game's installer writes the 32-bit view only";

    ClearAll();
    SetString(HKEY_LOCAL_MACHINE, std::string(511, 'x'));
    EXPECT_EQ(Found(), std::string(511, 'x')) << "511 characters and the terminator fit";

    SetString(HKEY_LOCAL_MACHINE, std::string(512, 'y'));
    EXPECT_EQ(Found(), fallback) << "a value longer than 512 bytes counts as missing";
    SetString(HKEY_CURRENT_USER, "C:\\Games\\User");
    EXPECT_EQ(Found(), "C:\\Games\\User") << "then the user's value is used";

    ClearAll();
    SetValue(HKEY_LOCAL_MACHINE, View::Wow32, REG_SZ, "", 0);
    EXPECT_EQ(Found(), fallback) << "a zero-length value counts as missing";
    SetValue(HKEY_LOCAL_MACHINE, View::Wow32, REG_SZ, "", 1);
    EXPECT_EQ(Found(), fallback) << "an empty string counts as missing";

    DWORD number = 42;
    SetValue(HKEY_LOCAL_MACHINE, View::Wow32, REG_DWORD, &number, sizeof number);
    EXPECT_EQ(Found(), fallback) << "a value that is not a string counts as missing";

    SetValue(HKEY_LOCAL_MACHINE, View::Wow32, REG_SZ, "C:\\NoEnd", 8);
    EXPECT_EQ(Found(), "C:\\NoEnd") << "a string stored without terminator keeps its last character";

    std::string expand = "%SystemRoot%\\Games";
    SetValue(HKEY_LOCAL_MACHINE, View::Wow32, REG_EXPAND_SZ, expand.c_str(), static_cast<DWORD>(expand.size() + 1));
    std::string found = Found();
    EXPECT_EQ(found.find('%'), std::string::npos) << "expanded, got " << found;
    EXPECT_GE(found.size(), std::string("\\Games").size() + 3);
    EXPECT_EQ(found.substr(found.size() - 6), "\\Games");

    SetString(HKEY_LOCAL_MACHINE, "C:\\Gafferline");
    TacticBook* book = TacticBook_Create();
    EXPECT_STREQ(book->game_folder, "C:\\Gafferline");
    EXPECT_STREQ(book->tactics_folder, "C:\\Gafferline\\tactics");
    TacticBook_Destroy(book);
}
