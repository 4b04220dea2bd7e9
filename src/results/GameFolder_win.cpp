// The game's folder from the registry.
//
// The game is a 32-bit program whose installer writes to the 32-bit view of
// the registry, so the keys are opened in that view (KEY_WOW64_32KEY) from
// this 64-bit program.
#include "results/GameFolder.h"
#include "results/TacticBook.h"
#include "support/Memory.h"
#include "support/Str.h"

#include <windows.h>

#include <initializer_list>

namespace {

constexpr DWORD kMaxValueBytes = 512;

// The folder stored under root, or null when the key or a usable value is
// missing: a value that is empty, not a string or longer than 512 bytes.
char* ReadLocation(HKEY root)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, kGameRegistryKey, 0, KEY_QUERY_VALUE | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS)
        return nullptr;
    char* buffer = Str_Alloc(kMaxValueBytes); // room for a terminator behind the data
    DWORD type = REG_NONE;
    DWORD size = kMaxValueBytes;
    LONG status = RegQueryValueExA(key, kGameRegistryValue, nullptr, &type,
                                   reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    bool is_string = type == REG_SZ || type == REG_EXPAND_SZ;
    if (status != ERROR_SUCCESS || !is_string || size == 0 || size > kMaxValueBytes) {
        Str_Free(buffer);
        return nullptr;
    }
    // The data normally ends with its own terminator; a value stored without
    // one keeps its last character.
    buffer[size] = '\0';
    if (buffer[0] == '\0') {
        Str_Free(buffer);
        return nullptr;
    }
    if (type == REG_EXPAND_SZ) {
        DWORD needed = ExpandEnvironmentStringsA(buffer, nullptr, 0);
        if (needed > 0) {
            char* expanded = Str_Alloc(needed);
            if (ExpandEnvironmentStringsA(buffer, expanded, needed) > 0 && expanded[0] != '\0') {
                Str_Free(buffer);
                return expanded;
            }
            Str_Free(expanded);
        }
    }
    return buffer;
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
