#include "core/shell/command_line.h"

#include <gtest/gtest.h>

namespace mv {
namespace {

TEST(CommandLine, OnlyFileNamesAreHandedOnAsGiven) {
    const char* arguments[] = {
        "-x", "/tmp/a.bin", "", "-", "rel/\x93\xfa.bin", "--", "-named-like-an-option", "--", "/b"};
    EXPECT_EQ(FileArguments(arguments),
              (std::vector<std::string>{"/tmp/a.bin", "rel/\x93\xfa.bin", "-named-like-an-option",
                                        "--", "/b"}));
    EXPECT_TRUE(FileArguments({}).empty());
}

} // namespace
} // namespace mv
