#include "results/TacticFiles.h"

#include "support/FilePath.h"

#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <system_error>
#include <unordered_set>

namespace fs = std::filesystem;

struct TacticFileListing {
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>()(s); }
    };
    // The names of the ".tct" files without the extension, in ASCII lower case.
    std::unordered_set<std::string, Hash, std::equal_to<>> lower_names;
    bool other_names = false; // some ".tct" name holds characters beyond ASCII
};

namespace {

constexpr std::string_view kExtension = ".tct";

char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The entry's file name in ASCII lower case, or empty when it holds other
// characters.
template <typename Char>
std::string LowerAsciiName(const std::basic_string<Char>& name)
{
    std::string out;
    for (Char c : name) {
        auto code = static_cast<unsigned long>(c);
        if (code == 0 || code >= 0x80)
            return {};
        out.push_back(LowerAscii(static_cast<char>(code)));
    }
    return out;
}

bool EndsWithExtension(const std::string& lower)
{
    return lower.size() > kExtension.size() && lower.compare(lower.size() - kExtension.size(), kExtension.size(),
                                                             kExtension.data()) == 0;
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
        const fs::path file = entry->path().filename();
        std::string lower = LowerAsciiName(file.native());
        if (EndsWithExtension(lower))
            listing->lower_names.insert(lower.substr(0, lower.size() - kExtension.size()));
        else if (lower.empty() && LowerAsciiName(file.extension().native()) == kExtension)
            listing->other_names = true;
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
    // Names are checked for every new tactic of a load: no allocation for
    // the usual short ones.
    char buffer[128];
    std::string long_name;
    std::size_t length = std::strlen(name);
    char* lower = buffer;
    if (length > sizeof buffer) {
        long_name.resize(length);
        lower = long_name.data();
    }
    for (std::size_t i = 0; i < length; ++i) {
        if (static_cast<unsigned char>(name[i]) >= 0x80)
            return listing->other_names; // compared by the file system itself
        lower[i] = LowerAscii(name[i]);
    }
    return listing->lower_names.count(std::string_view(lower, length)) != 0;
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
