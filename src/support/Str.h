// Heap strings (single-byte, NUL-terminated) and line input from text files.
#pragma once

#include <cstddef>
#include <cstdio>

// Room for n characters and the terminator; the contents are undefined.
char* Str_Alloc(std::size_t n);

// A new heap copy of s.
char* Str_Dup(const char* s);

// Grows the heap string a by the characters of b and returns the grown block;
// a is no longer valid afterwards, so callers store the result in its place.
char* Str_Concat(char* a, const char* b);

// 1 when a and b are equal byte for byte (case-sensitive), else 0.
int Str_Equal(const char* a, const char* b);

// Releases a string from these functions; null is ignored.
void Str_Free(char* s);

// Reads the next line without its line feed into a new heap string. A form
// feed is dropped wherever it stands, and a carriage return directly before
// the line feed too, so a file gives the same lines on every platform (a
// Ctrl-Z ends the input everywhere, as in a Windows text stream). Never
// returns null: at the end of the file the line is empty. A read error ends
// the line (what was read before it is returned, and ferror tells the caller)
// and every later call reads nothing, as at the end of the file.
char* File_ReadLine(std::FILE* file);

// Reads the next line as File_ReadLine does into *buffer, a heap string with
// room for *capacity characters that is grown (and *capacity with it) as the
// line needs; returns the line's length. For readers that reuse one buffer.
std::size_t File_ReadLineInto(std::FILE* file, char** buffer, std::size_t* capacity);

// Flushes and closes file and returns the close result (0 on success);
// -1 for a null file.
int File_Close(std::FILE* file);
