#include "bench_options.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <exception>

namespace mv::bench {
namespace {

// A generated file of a terabyte is already far beyond what a bench run should write.
constexpr std::int64_t kMaxSizeMiB = std::int64_t{1} << 20;
constexpr int kUsageError = 2;

std::string Synopsis(const TOption& option) {
    return std::string(option.Name) + " " + std::string(option.Value);
}

void Print(std::string_view text, std::FILE* out) {
    std::fwrite(text.data(), 1, text.size(), out);
}

} // namespace

TParseOutcome ParseOptions(std::span<const char* const> args, std::span<const TOption> options) {
    if (std::find(args.begin(), args.end(), std::string_view("--help")) != args.end())
        return TParseOutcome::Help;
    for (std::size_t i = 0; i < args.size(); i += 2) {
        const auto option = std::find_if(options.begin(), options.end(), [&](const TOption& known) {
            return known.Name == args[i];
        });
        if (option == options.end() || i + 1 == args.size() || !option->Set(args[i + 1]))
            return TParseOutcome::Mistake;
    }
    return TParseOutcome::Run;
}

std::string UsageText(const TBenchCommand& command) {
    std::string text = "usage: " + std::string(command.Program);
    std::size_t width = 0;
    for (const TOption& option : command.Options) {
        text += " [" + Synopsis(option) + "]";
        width = std::max(width, Synopsis(option).size());
    }
    text += "\n";
    for (const TOption& option : command.Options) {
        std::string synopsis = Synopsis(option);
        synopsis.resize(width, ' ');
        text += "  " + synopsis + "  " + option.Help + "\n";
    }
    return text;
}

int RunBench(const TBenchCommand& command, int argc, const char* const* argv,
             const std::function<void()>& run) {
    const std::span<const char* const> args(argv + 1, static_cast<std::size_t>(argc - 1));
    switch (ParseOptions(args, command.Options)) {
    case TParseOutcome::Help:
        Print(UsageText(command), stdout);
        return 0;
    case TParseOutcome::Mistake:
        Print(UsageText(command), stderr);
        return kUsageError;
    case TParseOutcome::Run:
        break;
    }
    try {
        run();
        return 0;
    } catch (const std::exception& error) {
        // The figures printed so far come first, the message after them.
        std::fflush(stdout);
        Print(std::string(command.Program) + ": " + error.what() + "\n", stderr);
        return 1;
    }
}

std::optional<std::int64_t> ParseWholeNumber(std::string_view text, std::int64_t least,
                                             std::int64_t most) {
    std::int64_t value = 0;
    const char* const end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end || value < least || value > most) return std::nullopt;
    return value;
}

TOptionSetter TextInto(std::string& target) {
    return [&target](std::string_view value) {
        if (value.empty()) return false;
        target = value;
        return true;
    };
}

std::vector<TOption> DataOptionTable(TDataOptions& options) {
    return {{"--size-mib", "N",
             "size of the generated file, 1.." + std::to_string(kMaxSizeMiB) + " (default " +
                 std::to_string(options.SizeMiB) + ")",
             NumberInto(options.SizeMiB, 1, kMaxSizeMiB)},
            {"--dir", "DIR", "where the data files live (default build/bench-data)",
             TextInto(options.Dir)}};
}

} // namespace mv::bench
