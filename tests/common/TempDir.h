// A folder of test files that is removed again with everything in it.
#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::string File(const std::string& name) const { return (path_ / name).string(); } // narrow, for fopen
    std::string Write(const std::string& name, const std::string& bytes) const; // exactly these bytes; the path

private:
    std::filesystem::path path_;
};

std::string ReadBytes(const std::string& path); // the whole file, in binary mode

// A file opened with fopen (by default for reading as text), closed on scope exit.
struct TextFile : std::unique_ptr<std::FILE, int (*)(std::FILE*)> {
    explicit TextFile(const std::string& path, const char* mode = "r")
        : unique_ptr(std::fopen(path.c_str(), mode), std::fclose)
    {
        if (!get())
            throw std::runtime_error("cannot open " + path);
    }
};

// The files this process holds open (Linux; elsewhere always 0): a file left open counts one more.
inline long OpenFileCount()
{
#ifdef __linux__
    return static_cast<long>(std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {}));
#else
    return 0;
#endif
}
