#include "support/Str.h"

#include "support/Memory.h"

#include <cerrno>
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

constexpr char kFormFeed = 12;
#if !defined(_WIN32)
constexpr char kCtrlZ = 26;
#endif

constexpr std::size_t kInitialLineCapacity = 128;

#if defined(_WIN32)

// Grows a line buffer so that it holds at least needed characters.
void Reserve(char** buffer, std::size_t* capacity, std::size_t needed)
{
    if (needed <= *capacity)
        return;
    std::size_t grown = *capacity;
    while (grown < needed) {
        if (grown > SIZE_MAX / 2 - 1)
            Mem_OutOfMemory();
        grown *= 2;
    }
    *buffer = static_cast<char*>(Mem_Realloc(*buffer, grown + 1));
    *capacity = grown;
}

// The C runtime's text stream has already turned CR LF into LF and ends the
// input at Ctrl-Z; what remains is dropping form feeds.
std::size_t ReadLineChars(std::FILE* file, char** buffer, std::size_t* capacity)
{
    std::size_t length = 0;
    for (int c; (c = _getc_nolock(file)) != EOF && c != '\n';) {
        if (c == kFormFeed)
            continue;
        Reserve(buffer, capacity, length + 1);
        (*buffer)[length++] = static_cast<char>(c);
    }
    return length;
}

#else

// Reads up to and including the next line feed with getline (whole buffers
// at a time), then does what a Windows text stream does by itself: CR LF
// reads as LF and Ctrl-Z ends the input. Form feeds are dropped.
std::size_t ReadLineChars(std::FILE* file, char** buffer, std::size_t* capacity)
{
    // getline wants a malloc'd block with its size; ours has the terminator's byte too.
    std::size_t size = *capacity + 1;
    errno = 0;
    ssize_t got = getline(buffer, &size, file);
    if (size > *capacity + 1)
        *capacity = size - 1;
    if (got <= 0) {
        if (got < 0 && errno == ENOMEM)
            Mem_OutOfMemory();
        return 0;
    }
    char* line = *buffer;
    auto length = static_cast<std::size_t>(got);
    if (line[length - 1] == '\n') {
        --length;
        if (length > 0 && line[length - 1] == '\r')
            --length;
    }
    if (void* ctrl_z = std::memchr(line, kCtrlZ, length)) {
        length = static_cast<std::size_t>(static_cast<char*>(ctrl_z) - line);
        while (getc_unlocked(file) != EOF) {
        }
    }
    if (char* feed = static_cast<char*>(std::memchr(line, kFormFeed, length))) {
        char* out = feed;
        for (const char* in = feed; in < line + length; ++in) {
            if (*in != kFormFeed)
                *out++ = *in;
        }
        length = static_cast<std::size_t>(out - line);
    }
    return length;
}

#endif

} // namespace

std::size_t File_ReadLineInto(std::FILE* file, char** buffer, std::size_t* capacity)
{
    // Once the end-of-file or error indicator is set it stays set: nothing
    // more is read.
    bool ended = std::feof(file) || std::ferror(file);
    std::size_t length = ended ? 0 : ReadLineChars(file, buffer, capacity);
    (*buffer)[length] = '\0';
    return length;
}

char* File_ReadLine(std::FILE* file)
{
    std::size_t capacity = kInitialLineCapacity;
    char* line = Str_Alloc(capacity);
    File_ReadLineInto(file, &line, &capacity);
    return line;
}

int File_Close(std::FILE* file)
{
    if (!file)
        return -1;
    std::fflush(file);
    return std::fclose(file);
}
