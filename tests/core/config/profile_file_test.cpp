#include "core/config/profile_file.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

namespace mv {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// A file assembled field by field, independently of the serialiser.
struct FileBuilder {
    FileBuilder& Text(std::string_view text) {
        Out.insert(Out.end(), text.begin(), text.end());
        return *this;
    }
    FileBuilder& Int32(std::int64_t value) {
        for (int i = 0; i < 4; ++i)
            Out.push_back(static_cast<std::uint8_t>(static_cast<std::uint64_t>(value) >> (8 * i)));
        return *this;
    }
    Bytes Out;
};

WindowProfile SampleProfile(std::int32_t seed) {
    return {.Left = -seed,
            .Top = seed * 2,
            .ClientWidth = 640 + seed,
            .TopLine = 0x01020304,
            .CaretColumn = 15,
            .InputArea = static_cast<std::uint8_t>(seed & 1)};
}

std::vector<TProfileEntry> SampleEntries(int count) {
    std::vector<TProfileEntry> entries;
    for (int i = 0; i < count; ++i)
        entries.push_back({"/data/file" + std::to_string(i) + ".bin", SampleProfile(i)});
    return entries;
}

TEST(WindowProfile, StoresEachFieldLittleEndianAtItsOffsetAndTheLastTwoBytesZero) {
    const WindowProfile p{-2, 0x01020304, 0x7FFFFFFF, 0x10, 0x00ABCDEF, 1, 15, 1, 1};
    WindowProfile::Bytes expected = {
        0xFE, 0xFF, 0xFF, 0xFF, 0x04, 0x03, 0x02, 0x01, 0xFF, 0xFF, 0xFF,
        0x7F, 0x10, 0x00, 0x00, 0x00, 0xEF, 0xCD, 0xAB, 0x00, 0x01, 0x00,
        0x00, 0x00, 0x0F, 0x00, 0x00, 0x00, 0x01, 0x01, 0x00, 0x00,
    };
    EXPECT_EQ(p.Serialize(), expected);
    expected[30] = expected[31] = 0x5A; // whatever another writer left there
    EXPECT_EQ(WindowProfile::Parse(expected), p);
}

TEST(ProfileFile, SerializesTheDocumentedLayout) {
    const WindowProfile profile = SampleProfile(5);
    const WindowProfile::Bytes profileBytes = profile.Serialize();
    Bytes expected =
        FileBuilder().Text("MvPr_Profile").Int32(2).Int32(20 + 38 + 36).Int32(2).Text("/a").Out;
    expected.insert(expected.end(), profileBytes.begin(), profileBytes.end());
    expected.insert(expected.end(), 4, 0); // an empty name
    expected.insert(expected.end(), profileBytes.begin(), profileBytes.end());
    const std::vector<TProfileEntry> entries{{"/a", profile}, {"", profile}};
    EXPECT_EQ(SerializeProfileFile(entries), expected);
    EXPECT_EQ(SerializeProfileFile({}), FileBuilder().Text("MvPr_Profile").Int32(0).Int32(20).Out);
}

// The header and the size field decide whether a file is read at all; then every entry that
// is whole is taken, up to the count, and nothing past the end is read.
TEST(ProfileFile, TakesTheWholeEntriesOfAFileWithAValidHeader) {
    const auto entries = SampleEntries(2);
    const Bytes valid = SerializeProfileFile(entries);
    const std::size_t firstEntry = 20;
    const std::size_t secondEntry = firstEntry + 4 + entries[0].Name.size() + 32;
    const auto patched = [&](std::size_t offset, std::int64_t value) {
        Bytes bytes = valid;
        std::ranges::copy(FileBuilder().Int32(value).Out, bytes.begin() + offset);
        return bytes;
    };
    Bytes trailing = patched(16, static_cast<std::int64_t>(valid.size()) + 1);
    trailing.push_back(0); // the size field agrees
    Bytes wrongCase = valid;
    wrongCase[5] = 'p';

    const std::tuple<const char*, Bytes, std::size_t> cases[] = {
        {"well formed", valid, 2},
        {"shorter than the header", Bytes(valid.begin(), valid.begin() + 19), 0},
        {"wrong signature", wrongCase, 0},
        {"size field one less", patched(16, static_cast<std::int64_t>(valid.size()) - 1), 0},
        {"size field one more", patched(16, static_cast<std::int64_t>(valid.size()) + 1), 0},
        {"cut short by one byte", Bytes(valid.begin(), valid.end() - 1), 0},
        {"negative count", patched(12, -1), 0},
        {"count one less", patched(12, 1), 1},
        {"count one more", patched(12, 3), 2},
        {"huge count", patched(12, 0x7FFFFFFF), 2},
        {"trailing byte, size field agreeing", trailing, 2},
        {"negative name length", patched(firstEntry, -1), 0},
        {"name length beyond the file", patched(secondEntry, 0x7FFFFFFF), 1},
        {"name fits but the profile does not",
         patched(secondEntry, static_cast<std::int64_t>(entries[1].Name.size()) + 2), 1},
    };
    for (const auto& [what, bytes, taken] : cases)
        EXPECT_EQ(
            ParseProfileFile(bytes),
            std::vector(entries.begin(), entries.begin() + static_cast<std::ptrdiff_t>(taken)))
            << what;
}

TEST(ProfileFileOnDisk, SaveReplacesTheFileAndAFailedSaveLeavesWhatWasThere) {
    test::TTempFolder folder;
    EXPECT_TRUE(LoadProfileFile(folder.Path()).empty()); // no file yet
    ASSERT_EQ(SaveProfileFile(folder.Path(), SampleEntries(3)), 0);
    ASSERT_EQ(SaveProfileFile(folder.Path(), SampleEntries(1)), 0);
    EXPECT_EQ(LoadProfileFile(folder.Path()), SampleEntries(1));
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"_profile"});
    folder.Write("_profile", {'M', 'v', 'P', 'r'});
    EXPECT_TRUE(LoadProfileFile(folder.Path()).empty());

    EXPECT_EQ(SaveProfileFile(folder / "missing", SampleEntries(1)), ENOENT);
    // A folder in the file's place cannot be renamed over.
    fs::remove(folder / "_profile");
    fs::create_directory(folder / "_profile");
    folder.Write("_profile/kept", {1});
    EXPECT_NE(SaveProfileFile(folder.Path(), SampleEntries(1)), 0);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"_profile"});
    EXPECT_TRUE(fs::exists(folder / "_profile/kept"));
}

} // namespace
} // namespace mv
