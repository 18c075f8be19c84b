#include "core/typedvalues/string_utils.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace mv {
namespace {

namespace fs = std::filesystem;

class LongPathNameTest : public testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "mv_longpath_XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root = fs::canonical(pattern).string(); // the temp folder may itself be behind a link
        fs::create_directory(root + "/Sub");
        std::ofstream(root + "/Sub/Data.bin") << "x";
        fs::create_symlink(root + "/Sub/Data.bin", root + "/link.bin");
        fs::create_symlink(root + "/gone", root + "/dangling");
    }
    void TearDown() override { fs::remove_all(root); }

    std::string root;
};

TEST_F(LongPathNameTest, ResolvesExistingPathsAndKeepsMissingOnesAsGiven) {
    const std::string file = root + "/Sub/Data.bin";
    const std::string relative = fs::relative(file).string();
    const std::pair<std::string, std::string> cases[] = {
        {file, file},
        {root + "/./Sub/../Sub/Data.bin", file},
        {root + "//Sub/", root + "/Sub"},
        {root + "/link.bin", file},
        {relative, file},
        {root + "/Sub/data.bin", root + "/Sub/data.bin"}, // names are case-sensitive
        {root + "/Missing/", root + "/Missing/"},
        {root + "/dangling", root + "/dangling"},
        {"", ""},
        {std::string(file + '\0' + "x"), std::string(file + '\0' + "x")},
    };
    for (const auto& [path, expected] : cases)
        EXPECT_EQ(LongPathName(path), expected) << path;
}

TEST(StringUtils, SplitToList) {
    struct Case {
        std::string text, delimiter;
        std::vector<std::string> parts;
    };
    const Case cases[] = {
        {"", ",", {}},    {"a,,b", ",", {"a", "", "b"}},      {"a,b,", ",", {"a", "b"}},
        {",", ",", {""}}, {"a\r\nb\r\n", "\r\n", {"a", "b"}}, {"a,b", "", {"a,b"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> list = {"stale"};
        EXPECT_EQ(SplitToList(c.text, c.delimiter, list), c.parts.size()) << c.text;
        EXPECT_EQ(list, c.parts) << c.text;
    }
}

} // namespace
} // namespace mv
