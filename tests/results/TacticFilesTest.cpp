// Which tactic names the listing of a tactics folder rules out.
#include "common/TempDir.h"
#include "results/TacticFiles.h"

#include <gtest/gtest.h>

namespace {

struct Listed {
    const char* name;
    bool may_exist;
};

void ExpectListing(const TempDir& folder, std::initializer_list<Listed> cases)
{
    TacticFileListing* listing = TacticFileListing_Read(folder.Path().string().c_str());
    ASSERT_NE(listing, nullptr);
    for (const Listed& c : cases)
        EXPECT_EQ(TacticFileListing_MayExist(listing, c.name), c.may_exist) << "name " << c.name;
    TacticFileListing_Destroy(listing);
}

TEST(TacticFiles, ListingRulesOutOnlyNamesSurelyAbsent)
{
    TempDir folder;
    folder.Write("Alpha.TCT", "x");
    folder.Write("beta.tct", "x");
    folder.Write("gamma.txt", "x");
    const std::string long_name(200, 'L'); // longer than a name checked without allocating
    folder.Write(long_name + ".tct", "x");
    ExpectListing(folder, {{"alpha", true}, {"BETA", true}, {"gamma", false}, {"Alph", false},
                           {"D\xc3\xa9" "fense", false}, {"D\xe9" "fense", false}, {long_name.c_str(), true},
                           {long_name.substr(1).c_str(), false}});
    // Once some tactic file has a name beyond ASCII, the file system decides.
    folder.Write("Z\xc3\xbcrich.tct", "x");
    ExpectListing(folder, {{"D\xc3\xa9" "fense", true}, {"D\xe9" "fense", true}, {"gamma", false}});
    EXPECT_EQ(TacticFileListing_MayExist(nullptr, "gamma"), true) << "without a listing every name is tried";
    EXPECT_EQ(TacticFileListing_Read(folder.File("missing").c_str()), nullptr) << "a folder that is not there";
}

} // namespace
