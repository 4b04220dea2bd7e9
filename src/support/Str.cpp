#include "support/Str.h"

#include "support/Memory.h"

#include <cstdint>
#include <cstring>

char* Str_Alloc(std::size_t n)
{
    if (n == SIZE_MAX)
        Mem_OutOfMemory();
    return static_cast<char*>(Mem_Alloc(n + 1));
}

char* Str_Dup(const char* s)
{
    std::size_t n = std::strlen(s);
    char* copy = Str_Alloc(n);
    std::memcpy(copy, s, n + 1);
    return copy;
}

char* Str_Concat(char* a, const char* b)
{
    std::size_t na = std::strlen(a);
    std::size_t nb = std::strlen(b);
    if (nb >= SIZE_MAX - na)
        Mem_OutOfMemory();
    char* joined = static_cast<char*>(Mem_Realloc(a, na + nb + 1));
    std::memcpy(joined + na, b, nb + 1);
    return joined;
}

int Str_Equal(const char* a, const char* b)
{
    return std::strcmp(a, b) == 0 ? 1 : 0;
}

void Str_Free(char* s)
{
    Mem_Free(s);
}

namespace {

constexpr int kFormFeed = 12;
#if !defined(_WIN32)
constexpr int kCtrlZ = 26;
#endif

#if defined(_WIN32)
inline int NextChar(std::FILE* file) { return std::getc(file); }
#else
inline int NextChar(std::FILE* file) { return getc_unlocked(file); }
#endif

} // namespace

char* File_ReadLine(std::FILE* file)
{
    std::size_t capacity = 128;
    std::size_t length = 0;
    char* line = Str_Alloc(capacity);

    while (!std::feof(file)) {
        int c = NextChar(file);
        if (c == EOF || c == '\n')
            break;
        if (c == kFormFeed)
            continue;
#if !defined(_WIN32)
        // What a Windows text stream does by itself: CR LF reads as LF, and
        // Ctrl-Z ends the input.
        if (c == '\r') {
            int next = NextChar(file);
            if (next == '\n')
                break;
            if (next != EOF)
                std::ungetc(next, file);
        }
        if (c == kCtrlZ) {
            while (NextChar(file) != EOF) {
            }
            break;
        }
#endif
        if (length == capacity) {
            if (capacity > SIZE_MAX / 2 - 1)
                Mem_OutOfMemory();
            capacity *= 2;
            line = static_cast<char*>(Mem_Realloc(line, capacity + 1));
        }
        line[length++] = static_cast<char>(c);
    }
    line[length] = '\0';
    return line;
}

int File_Close(std::FILE* file)
{
    if (!file)
        return -1;
    std::fflush(file);
    return std::fclose(file);
}
