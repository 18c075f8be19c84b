#include "core/shell/command_line.h"

#include "support/temp_folder.h"

#include <cstdio>
#include <filesystem>
#include <unistd.h>

namespace mv {
namespace {

using TRequest = TCommandLine::TRequest;

TEST(CommandLine, FileNamesAreHandedOnAsGivenAndOptionsAreSortedOut) {
    const struct {
        std::vector<const char*> Arguments;
        TRequest Request;
        std::vector<std::string> FileNames;
        std::vector<std::string> UnknownOptions;
    } cases[] = {
        {{}, TRequest::Run, {}, {}},
        {{"-x", "/tmp/a.bin", "", "-", "rel/\x93\xfa.bin", "--", "-named-like-an-option", "--", "/b"},
         TRequest::Run,
         {"/tmp/a.bin", "rel/\x93\xfa.bin", "-named-like-an-option", "--", "/b"},
         {"-x", "-"}},
        {{"a.bin", "--help", "b.bin"}, TRequest::Help, {"a.bin", "b.bin"}, {}},
        {{"--version", "--help"}, TRequest::Version, {}, {}},
        {{"--", "--help", "--version"}, TRequest::Run, {"--help", "--version"}, {}},
        {{"--helpme", "-h"}, TRequest::Run, {}, {"--helpme", "-h"}},
    };
    for (const auto& c : cases) {
        const TCommandLine line = ParseCommandLine(c.Arguments);
        const std::string what = ::testing::PrintToString(c.Arguments);
        EXPECT_EQ(line.Request, c.Request) << what;
        EXPECT_EQ(line.FileNames, c.FileNames) << what;
        EXPECT_EQ(line.UnknownOptions, c.UnknownOptions) << what;
    }
}

// A later start runs in a folder of its own: its names must reach the running instance, which
// runs elsewhere, as the same files.
TEST(CommandLine, NamesBecomeAbsoluteAndResolvedAsFarAsTheyExist) {
    test::TTempFolder folder;
    std::filesystem::create_directory(folder / "dir");
    std::filesystem::create_directory_symlink(folder / "dir", folder / "link");
    folder.Write("dir/file.bin", {1});
    const std::filesystem::path saved = std::filesystem::current_path();
    std::filesystem::current_path(folder / "link");
    const struct {
        std::string Given;
        std::string Expected;
    } cases[] = {
        {"file.bin", folder / "dir/file.bin"},
        {"./missing.bin", folder / "dir/missing.bin"},
        {"../link/file.bin", folder / "dir/file.bin"},
        {"../gone/../dir/x", folder / "dir/x"},
        {".", folder / "dir"},
        {folder / "link/file.bin", folder / "dir/file.bin"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AbsoluteFileName(c.Given), c.Expected) << c.Given;

    // Without a current folder a relative name means nothing; an absolute one still does.
    std::filesystem::create_directory(folder / "removed");
    std::filesystem::current_path(folder / "removed");
    std::filesystem::remove(folder / "removed");
    std::string problem;
    EXPECT_EQ(AbsoluteFileName("file.bin", &problem), std::nullopt);
    EXPECT_FALSE(problem.empty());
    EXPECT_EQ(AbsoluteFileName(folder / "dir/file.bin"), folder / "dir/file.bin");
    std::filesystem::current_path(saved);
}

// The installed manual page renders without a single warning.
TEST(CommandLine, ManualPageRendersCleanly) {
    const std::string page = MV_SOURCE_DIR "/resources/morvane.1";
    const auto run = [](const std::string& command) {
        std::string output;
        if (FILE* pipe = popen(command.c_str(), "r")) {
            char buffer[4096];
            for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
                output.append(buffer, n);
            pclose(pipe);
        }
        return output;
    };
    if (run("command -v man && command -v groff").empty())
        GTEST_SKIP() << "man and groff are not installed";
    // Warnings go to standard error; the rendered page is dropped.
    EXPECT_EQ(run("MANWIDTH=80 LC_ALL=C.UTF-8 man --warnings -l '" + page + "' 2>&1 >/dev/null"), "");
    EXPECT_EQ(run("groff -man -ww -z '" + page + "' 2>&1"), "");
    const std::string text = run("MANWIDTH=80 LC_ALL=C.UTF-8 man -l '" + page + "' 2>/dev/null");
    for (const char* heading : {"SYNOPSIS", "OPTIONS", "EXIT STATUS", "ENVIRONMENT", "FILES"})
        EXPECT_NE(text.find(heading), std::string::npos) << heading;
}

} // namespace
} // namespace mv
