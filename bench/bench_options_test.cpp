#include "bench_options.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace mv::bench {
namespace {

TEST(ParseWholeNumberTest, TakesOnlyAWholeNumberWithinItsBounds) {
    EXPECT_EQ(ParseWholeNumber("16", 1, 2047), 16);
    EXPECT_EQ(ParseWholeNumber("1", 1, 2047), 1);
    EXPECT_EQ(ParseWholeNumber("2047", 1, 2047), 2047);
    for (const char* bad : {"0", "2048", "-5", "", "12x", " 12", "1e3", "99999999999999999999"})
        EXPECT_EQ(ParseWholeNumber(bad, 1, 2047), std::nullopt) << bad;
}

class TDataOptionsParse : public ::testing::Test {
protected:
    TParseOutcome Parse(std::vector<const char*> args) { return ParseOptions(args, table_); }

    TDataOptions options_;
    std::vector<TOption> table_ = DataOptionTable(options_);
};

TEST_F(TDataOptionsParse, SetsEachOptionGivenAndKeepsTheDefaultsOfTheOthers) {
    EXPECT_EQ(Parse({}), TParseOutcome::Run);
    EXPECT_EQ(options_.SizeMiB, 1024);
    EXPECT_EQ(Parse({"--size-mib", "16"}), TParseOutcome::Run);
    EXPECT_EQ(options_.SizeMiB, 16);
    EXPECT_EQ(options_.SizeBytes(), 16 << 20);
    EXPECT_EQ(options_.Dir, "build/bench-data");
    EXPECT_EQ(Parse({"--dir", "small", "--size-mib", "1048576"}), TParseOutcome::Run);
    EXPECT_EQ(options_.Dir, "small");
    EXPECT_EQ(options_.SizeMiB, 1048576);
}

TEST_F(TDataOptionsParse, RefusesUnknownOptionsMissingAndMalformedValues) {
    const std::vector<std::vector<const char*>> mistakes = {
        {"--size", "16"},    {"size-mib", "16"},     {"--size-mib"},       {"--dir", "d", "--dir"},
        {"--size-mib", "0"}, {"--size-mib", "1048577"}, {"--size-mib", "1x"}, {"--dir", ""}};
    for (const auto& args : mistakes)
        EXPECT_EQ(Parse(args), TParseOutcome::Mistake) << args[0] << " " << args.size();
    EXPECT_EQ(options_.SizeMiB, 1024) << "a malformed size leaves the default";
}

TEST_F(TDataOptionsParse, AnswersHelpWhereverItStands) {
    EXPECT_EQ(Parse({"--help"}), TParseOutcome::Help);
    EXPECT_EQ(Parse({"--size-mib", "16", "--help"}), TParseOutcome::Help);
    EXPECT_EQ(Parse({"--bogus", "--help"}), TParseOutcome::Help);
}

TEST(UsageTextTest, NamesEveryOptionAndAlignsTheirHelp) {
    int runs = 5;
    std::string program;
    const TBenchCommand command{"mv_x",
                                {{"--runs", "N", "how many", NumberInto(runs, 1, 9)},
                                 {"--program", "PATH", "what to start", TextInto(program)}}};
    EXPECT_EQ(UsageText(command), "usage: mv_x [--runs N] [--program PATH]\n"
                                  "  --runs N        how many\n"
                                  "  --program PATH  what to start\n");
}

// RunBench over a command with one option; its output goes to the test's stdout and stderr.
class TRunBench : public ::testing::Test {
protected:
    int Run(std::vector<const char*> args, const std::function<void()>& run) {
        args.insert(args.begin(), "mv_x");
        return RunBench(command_, static_cast<int>(args.size()), args.data(), run);
    }

    int runs_ = 5;
    TBenchCommand command_{"mv_x", {{"--runs", "N", "how many", NumberInto(runs_, 1, 9)}}};
    bool ran_ = false;
    std::function<void()> note_ = [this] { ran_ = true; };
};

TEST_F(TRunBench, RunsWithTheOptionsRead) {
    EXPECT_EQ(Run({"--runs", "3"}, [this] { EXPECT_EQ(runs_, 3); }), 0);
    EXPECT_EQ(Run({}, note_), 0);
    EXPECT_TRUE(ran_);
}

TEST_F(TRunBench, EndsWithoutRunningOnHelpOrAMistake) {
    EXPECT_EQ(Run({"--help"}, note_), 0);
    EXPECT_EQ(Run({"--runs", "10"}, note_), 2);
    EXPECT_EQ(Run({"--walks", "3"}, note_), 2);
    EXPECT_EQ(Run({"--runs"}, note_), 2);
    EXPECT_FALSE(ran_);
}

TEST_F(TRunBench, TurnsAFailedRunIntoStatusOne) {
    testing::internal::CaptureStderr();
    const int status = Run({}, [] { throw std::runtime_error("the disk is full"); });
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "mv_x: the disk is full\n");
    EXPECT_EQ(status, 1);
}

} // namespace
} // namespace mv::bench
