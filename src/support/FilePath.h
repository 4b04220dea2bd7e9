// Files by path name. Paths inside the program are UTF-8, so that any file
// name of the system can be named; on Windows a path that is not valid UTF-8
// is read in the system's ANSI code page instead (what older callers pass).
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

// std::fopen for a path as above; null when the file cannot be opened.
std::FILE* File_Open(const char* path, const char* mode);

// Removes a file: 0 on success, -1 on failure.
int File_Remove(const char* path);

// Moves the file at from to the path to, replacing a file that is there, so
// that to holds either its old or its new content at every moment. 0 on
// success, -1 on failure (nothing changed then).
int File_Replace(const char* from, const char* to);

// A file name as UTF-8. On Windows a name that is not valid UTF-8 is taken
// to be in the ANSI code page (tactic names of older results files) and
// converted; elsewhere, and for valid UTF-8, the name as it is.
std::string File_NameAsUtf8(const char* name);

// The path as the standard library's path type, for listing folders.
std::filesystem::path File_PathOf(const char* path);
