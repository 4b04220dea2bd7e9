// A folder of test files that is removed again with everything in it.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // The path of a file in the folder, as a narrow string for fopen.
    std::string File(const std::string& name) const;
    // Writes bytes exactly as given (binary) and returns the file's path.
    std::string Write(const std::string& name, const std::string& bytes) const;

private:
    std::filesystem::path path_;
};

// The whole content of a file, read in binary mode.
std::string ReadBytes(const std::string& path);

// A file opened for reading as text ("r"), closed on scope exit.
class TextFile {
public:
    explicit TextFile(const std::string& path, const char* mode = "r");
    ~TextFile();
    TextFile(const TextFile&) = delete;
    TextFile& operator=(const TextFile&) = delete;
    std::FILE* get() const { return file_; }

private:
    std::FILE* file_;
};
