#include "core/typedvalues/string_utils.h"

#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace mv {
namespace {

namespace fs = std::filesystem;

TEST(LongPathName, ResolvesExistingPathsAndKeepsMissingOnesAsGiven) {
    const test::TTempFolder folder;
    const std::string& root = folder.Path();
    fs::create_directory(root + "/Sub");
    const std::string file = folder.Write("Sub/Data.bin", {'x'});
    fs::create_symlink(file, root + "/link.bin");
    fs::create_symlink(root + "/gone", root + "/dangling");
    const std::string relative = fs::relative(file).string();
    const std::pair<std::string, std::string> cases[] = {
        {file, file},
        {root + "/./Sub/../Sub/Data.bin", file},
        {root + "/link.bin", file},
        {relative, file},
        {root + "/Sub/data.bin", root + "/Sub/data.bin"}, // names are case-sensitive
        {root + "/Missing/", root + "/Missing/"},
        {root + "/dangling", root + "/dangling"},
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
        {"", ",", {}},
        {"a,,b", ",", {"a", "", "b"}},
        {"a\r\nb\r\n", "\r\n", {"a", "b"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> list = {"stale"};
        EXPECT_EQ(SplitToList(c.text, c.delimiter, list), c.parts.size()) << c.text;
        EXPECT_EQ(list, c.parts) << c.text;
    }
}

} // namespace
} // namespace mv
