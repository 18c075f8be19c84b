#include "core/config/history_list.h"
#include "core/config/profile_list.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace mv {
namespace {

WindowProfile At(std::int32_t left) {
    WindowProfile profile;
    profile.Left = left;
    return profile;
}

// Names that do not exist: LongPathName leaves them as they are.
std::string Name(int i) {
    return "/nonexistent/mv/file" + std::to_string(i);
}

std::vector<std::string> Names(const TProfileList& list) {
    std::vector<std::string> names;
    for (const TProfileEntry& entry : list.Entries())
        names.push_back(entry.Name);
    return names;
}

std::vector<std::string> Names(const THistoryList& list) {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < list.HistoryCount(); ++i)
        names.push_back(list.HistoryAt(static_cast<std::ptrdiff_t>(i)));
    return names;
}

TEST(ProfileList, KeepsTheMostRecentlyUsedFirst) {
    TProfileList list;
    for (int i = 1; i <= 3; ++i)
        list.StoreProfile(Name(i), At(i), 100);
    EXPECT_EQ(Names(list), (std::vector<std::string>{Name(3), Name(2), Name(1)}));

    EXPECT_EQ(list.FetchProfile(Name(1)), At(1));
    EXPECT_EQ(Names(list), (std::vector<std::string>{Name(1), Name(3), Name(2)}));

    EXPECT_EQ(list.FetchProfile(Name(9)), std::nullopt);

    list.StoreProfile(Name(2), At(20), 100); // overwrites and moves, never duplicates
    EXPECT_EQ(Names(list), (std::vector<std::string>{Name(2), Name(1), Name(3)}));
    EXPECT_EQ(list.FetchProfile(Name(2)), At(20));
}

TEST(ProfileList, DropsTheLeastRecentlyUsedBeyondTheLimit) {
    TProfileList list;
    for (int i = 0; i < 100; ++i)
        list.StoreProfile(Name(i), At(i), 100);
    ASSERT_TRUE(list.FetchProfile(Name(0))); // the oldest, used again, survives
    list.StoreProfile(Name(100), At(100), 100);

    ASSERT_EQ(list.Entries().size(), 100u);
    EXPECT_EQ(list.Entries()[1].Name, Name(0));
    EXPECT_EQ(list.FetchProfile(Name(1)), std::nullopt);

    list.StoreProfile(Name(200), At(200), 10); // a lowered limit applies at the next store
    EXPECT_EQ(list.Entries().size(), 10u);
    list.StoreProfile(Name(201), At(201), 0);
    EXPECT_EQ(Names(list), std::vector<std::string>{Name(201)});
}

// On Linux two names differing only in case are two files; spellings of one path are one.
class NamesOnDisk : public testing::Test {
protected:
    void SetUp() override {
        std::ofstream(folder / "Data.bin") << "A";
        std::ofstream(folder / "data.bin") << "a";
        std::filesystem::create_symlink(folder / "Data.bin", folder / "link.bin");
    }

    test::TTempFolder folder;
};

TEST_F(NamesOnDisk, ProfilesAreFoundByNormalisedExactName) {
    TProfileList list;
    list.StoreProfile(folder / "Data.bin", At(1), 100);
    list.StoreProfile(folder / "data.bin", At(2), 100);
    EXPECT_EQ(list.FetchProfile(folder / "./Data.bin"), At(1));
    EXPECT_EQ(list.FetchProfile(folder / "link.bin"), At(1));
    EXPECT_EQ(list.FetchProfile(folder / "data.bin"), At(2));
    EXPECT_EQ(list.FetchProfile(folder / "DATA.BIN"), std::nullopt);
}

TEST_F(NamesOnDisk, HistoryMovesAnEqualEntryToTheHead) {
    THistoryList history;
    history.AddHistory(folder / "Data.bin");
    history.AddHistory(folder / "data.bin");
    history.AddHistory(Name(1));
    EXPECT_EQ(Names(history),
              (std::vector<std::string>{Name(1), folder / "data.bin", folder / "Data.bin"}));

    history.AddHistory(folder / "./link.bin");
    EXPECT_EQ(Names(history),
              (std::vector<std::string>{folder / "Data.bin", Name(1), folder / "data.bin"}));
    history.AddHistory(folder / "Data.bin"); // already at the head
    EXPECT_EQ(history.HistoryCount(), 3u);

    EXPECT_EQ(history.HistoryAt(-1), "");
    EXPECT_EQ(history.HistoryAt(3), "");
}

} // namespace
} // namespace mv
