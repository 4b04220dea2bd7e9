// Arbitrary bytes as a file opened for reading as text ("r"), the way the
// program opens results files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

class ByteFile {
public:
    ByteFile(const uint8_t* data, std::size_t size);
    ~ByteFile();
    ByteFile(const ByteFile&) = delete;
    ByteFile& operator=(const ByteFile&) = delete;
    std::FILE* get() const { return file_; }

private:
    std::FILE* file_ = nullptr;
    std::string path_;
    std::string bytes_;
};
