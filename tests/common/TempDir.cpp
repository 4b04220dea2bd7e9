#include "common/TempDir.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

TempDir::TempDir()
{
    static std::atomic<int> serial{0};
    std::string stamp = std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
    do // create_directory throws when no folder can be made; false when the name is taken
        path_ = fs::temp_directory_path() / ("kxtest-" + stamp + "-" + std::to_string(serial++));
    while (!fs::create_directory(path_));
}

TempDir::~TempDir()
{
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::string TempDir::Write(const std::string& name, const std::string& bytes) const
{
    std::string path = File(name);
    if (!std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size())))
        throw std::runtime_error("cannot write " + path);
    return path;
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}
