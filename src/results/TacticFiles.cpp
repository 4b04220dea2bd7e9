#include "results/TacticFiles.h"

#include "support/FilePath.h"

#include <filesystem>
#include <string>
#include <system_error>
#include <unordered_set>

namespace fs = std::filesystem;

struct TacticFileListing {
    std::unordered_set<std::string> lower_names; // "name.tct" in lower case
};

namespace {

constexpr const char* kExtension = ".tct";

bool IsAscii(const std::string& s)
{
    for (unsigned char c : s) {
        if (c >= 0x80)
            return false;
    }
    return true;
}

std::string LowerAscii(std::string s)
{
    for (char& c : s) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return s;
}

// The entry's file name as ASCII text, or empty when it holds other characters.
template <typename Char>
std::string AsciiName(const std::basic_string<Char>& name)
{
    std::string out;
    for (Char c : name) {
        auto code = static_cast<unsigned long>(c);
        if (code == 0 || code >= 0x80)
            return {};
        out.push_back(static_cast<char>(code));
    }
    return out;
}

} // namespace

TacticFileListing* TacticFileListing_Read(const char* folder)
{
    std::error_code error;
    fs::directory_iterator entry(File_PathOf(folder), error);
    if (error)
        return nullptr;
    auto* listing = new TacticFileListing;
    for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
        std::string lower = LowerAscii(AsciiName(entry->path().filename().native()));
        if (lower.size() > 4 && lower.compare(lower.size() - 4, 4, kExtension) == 0)
            listing->lower_names.insert(lower);
    }
    if (error) {
        // A listing cut short could rule out files that are there.
        delete listing;
        return nullptr;
    }
    return listing;
}

void TacticFileListing_Destroy(TacticFileListing* listing)
{
    delete listing;
}

bool TacticFileListing_MayExist(const TacticFileListing* listing, const char* name)
{
    if (!listing)
        return true;
    std::string file = std::string(name) + kExtension;
    if (!IsAscii(file))
        return true;
    return listing->lower_names.count(LowerAscii(file)) != 0;
}

bool TacticFile_IsPlainName(const char* name)
{
    if (!*name)
        return false;
    for (const char* p = name; *p; ++p) {
        if (*p == '/' || *p == '\\' || *p == ':')
            return false;
    }
    return true;
}
