#include "engine/DirectoryNames.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

DirectoryNames Listed() {
    DirectoryNames names;
    names.Add("ReadMe.txt");
    names.Add("A Long Name.document", "ALONGN~1.DOC");
    names.Add("setuplog.txt");
    return names;
}

} // namespace

TEST(DirectoryNames, PlainNamesAreAnsweredFromTheListingIgnoringCase) {
    const DirectoryNames names = Listed();
    EXPECT_TRUE(names.MayHold("README.TXT"));
    EXPECT_TRUE(names.MayHold("readme.txt"));
    EXPECT_TRUE(names.MayHold("a long name.DOCUMENT"));
    // A short name reaches its file as the long one does.
    EXPECT_TRUE(names.MayHold("alongn~1.doc"));
    EXPECT_FALSE(names.MayHold("README.TX"));
    EXPECT_FALSE(names.MayHold("F0001.DAT"));
    EXPECT_FALSE(names.MayHold("ALONGN~2.DOC"));
}

TEST(DirectoryNames, OtherNamesAreLeftToTheFileSystem) {
    const DirectoryNames names = Listed();
    // Case beyond ASCII, wildcards, separators, a dot or space the system drops, no name.
    for (const std::string name :
         {"\xC4RGER.TXT", "F*.DAT", "F?.DAT", "SUB\\F.DAT", "SUB/F.DAT", "C:F.DAT", "README.TXT.",
          "README.TXT ", "", ".", "..", "TAB\tNAME"}) {
        EXPECT_TRUE(names.MayHold(name)) << name;
        EXPECT_FALSE(IsPlainFileName(name)) << name;
    }
    EXPECT_TRUE(IsPlainFileName("A Long Name.document"));
    EXPECT_TRUE(IsPlainFileName("~$tilde.tmp"));
}

TEST(DirectoryNames, ExactNamesAreTheListedAndAddedOnesAsWritten) {
    DirectoryNames names = Listed();
    EXPECT_TRUE(names.HoldsExactly("ReadMe.txt"));
    EXPECT_FALSE(names.HoldsExactly("README.TXT"));
    // Short names count only for the case-blind question.
    EXPECT_FALSE(names.HoldsExactly("ALONGN~1.DOC"));
    EXPECT_FALSE(names.HoldsExactly("VER1A2B.TMP"));
    names.Add("VER1A2B.TMP");
    EXPECT_TRUE(names.HoldsExactly("VER1A2B.TMP"));
    EXPECT_TRUE(names.MayHold("ver1a2b.tmp"));
}

TEST(DestinationListings, AListingHoldsWhileItsDirectoryKeepsItsTime) {
    DestinationListings listings;
    EXPECT_EQ(listings.Find("C:\\APP", 100), nullptr);
    DirectoryNames names;
    names.Add("ONE.DLL");
    listings.Store("C:\\APP", 100, std::move(names));

    // The same directory however its letters and trailing backslash are written.
    for (const char* spelling : {"C:\\APP", "c:\\app", "C:\\App\\"}) {
        const DirectoryNames* found = listings.Find(spelling, 100);
        ASSERT_NE(found, nullptr) << spelling;
        EXPECT_TRUE(found->MayHold("one.dll"));
    }
    EXPECT_EQ(listings.Find("C:\\APP\\SUB", 100), nullptr);

    // Changed by someone else: the listing no longer counts.
    EXPECT_EQ(listings.Find("C:\\APP", 101), nullptr);
    // Changed by the pass, which recorded the new time.
    listings.Restamp("c:\\app\\", 102);
    EXPECT_NE(listings.Find("C:\\APP", 102), nullptr);
    EXPECT_EQ(listings.Find("C:\\APP", 100), nullptr);
    // Restamping a directory never listed lists nothing.
    listings.Restamp("D:\\OTHER", 5);
    EXPECT_EQ(listings.Find("D:\\OTHER", 5), nullptr);
}

TEST(DestinationListings, UnknownTimesStoringAnewAndClearing) {
    DestinationListings listings;
    listings.Store("C:\\APP", 0, DirectoryNames{});
    // A time that could not be read proves nothing.
    EXPECT_EQ(listings.Find("C:\\APP", 0), nullptr);

    DirectoryNames first;
    first.Add("OLD.TXT");
    listings.Store("C:\\APP", 7, std::move(first));
    DirectoryNames second;
    second.Add("NEW.TXT");
    listings.Store("C:\\APP", 8, std::move(second));
    const DirectoryNames* found = listings.Find("C:\\APP", 8);
    ASSERT_NE(found, nullptr);
    EXPECT_TRUE(found->MayHold("NEW.TXT"));
    EXPECT_FALSE(found->MayHold("OLD.TXT"));

    listings.Clear();
    EXPECT_EQ(listings.Find("C:\\APP", 8), nullptr);
}

TEST(DestinationListings, NamesAddedAfterStoringAreFoundAndListingsStayPut) {
    DestinationListings listings;
    DirectoryNames names;
    for (const char* name : {"M.TXT", "B.TXT", "M.TXT", "Y.TXT"}) {
        names.Add(name);
    }
    DirectoryNames& kept = listings.Store("C:\\APP", 1, std::move(names));
    // Before, between and after the listed names, and one listed already.
    for (const char* name : {"A.TXT", "N.TXT", "Z.TXT", "B.TXT"}) {
        kept.Add(name);
    }
    // More directories do not move the first one's listing.
    for (int i = 0; i < 20; ++i) {
        listings.Store("C:\\DIR" + std::to_string(i), 1, DirectoryNames{});
    }
    ASSERT_EQ(listings.Find("C:\\APP", 1), &kept);
    for (const char* name : {"A.TXT", "B.TXT", "M.TXT", "N.TXT", "Y.TXT", "Z.TXT"}) {
        EXPECT_TRUE(kept.HoldsExactly(name)) << name;
        EXPECT_TRUE(kept.MayHold(name)) << name;
    }
    EXPECT_FALSE(kept.MayHold("C.TXT"));
    EXPECT_FALSE(kept.HoldsExactly("a.txt"));
}
