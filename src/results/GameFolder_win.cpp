// The game's folder from the registry.
//
// The game is a 32-bit program whose installer writes to the 32-bit view of
// the registry, so the keys are opened in that view (KEY_WOW64_32KEY) from
// this 64-bit program.
#include "results/GameFolder.h"
#include "results/TacticBook.h"
#include "support/Memory.h"
#include "support/Str.h"
#include "support/WideText.h"

#include <windows.h>

#include <cwchar>
#include <initializer_list>
#include <string>

namespace {

constexpr DWORD kMaxValueChars = 512;

// The folder (UTF-8) stored under root, or null when the key or a usable
// value is missing: a value that is empty, not a string or longer than 512
// characters. The value is read wide, so that any folder name arrives whole.
char* ReadLocation(HKEY root)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, WideText_FromUtf8(kGameRegistryKey).c_str(), 0, KEY_QUERY_VALUE | KEY_WOW64_32KEY,
                      &key) != ERROR_SUCCESS)
        return nullptr;
    std::wstring value(kMaxValueChars + 1, L'\0'); // room for a terminator behind the data
    DWORD type = REG_NONE;
    DWORD size = kMaxValueChars * sizeof(wchar_t);
    LONG status = RegQueryValueExW(key, WideText_FromUtf8(kGameRegistryValue).c_str(), nullptr, &type,
                                   reinterpret_cast<BYTE*>(value.data()), &size);
    RegCloseKey(key);
    bool is_string = type == REG_SZ || type == REG_EXPAND_SZ;
    if (status != ERROR_SUCCESS || !is_string)
        return nullptr;
    // The data normally ends with its own terminator; a value stored without
    // one keeps its last character.
    value.resize(size / sizeof(wchar_t));
    value.resize(std::wcslen(value.c_str()));
    if (value.empty())
        return nullptr;
    if (type == REG_EXPAND_SZ) {
        DWORD needed = ExpandEnvironmentStringsW(value.c_str(), nullptr, 0);
        std::wstring expanded(needed, L'\0');
        if (needed > 0 && ExpandEnvironmentStringsW(value.c_str(), expanded.data(), needed) > 0 &&
            expanded[0] != L'\0')
            value = expanded.c_str();
    }
    return Str_Dup(WideText_ToUtf8(value.c_str()).c_str());
}

} // namespace

char* FindGameFolder()
{
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        if (char* folder = ReadLocation(root))
            return folder;
    }
    return Str_Dup(kDefaultGameFolder);
}

char PathSeparator()
{
    return '\\';
}
