#include "ByteFile.h"

#include <cstdlib>
#include <filesystem>

ByteFile::ByteFile(const uint8_t* data, std::size_t size)
{
#if defined(_WIN32)
    // A real file, so the C runtime's text mode applies as it does to users' files.
    path_ = (std::filesystem::temp_directory_path() / "kx-fuzz-input.txt").string();
    if (std::FILE* out = std::fopen(path_.c_str(), "wb")) {
        if (size)
            std::fwrite(data, 1, size, out);
        std::fclose(out);
    }
    file_ = std::fopen(path_.c_str(), "r");
#else
    bytes_.assign(reinterpret_cast<const char*>(data), size);
    if (bytes_.empty())
        file_ = std::fopen("/dev/null", "r");
    else
        file_ = fmemopen(bytes_.data(), bytes_.size(), "r");
#endif
    if (!file_)
        std::abort();
}

ByteFile::~ByteFile()
{
    std::fclose(file_);
    if (!path_.empty())
        std::remove(path_.c_str());
}
