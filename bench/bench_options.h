#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mv::bench {

inline constexpr std::int64_t kBytesPerMiB = std::int64_t{1} << 20;

// Takes an option's value; answers false, changing nothing, when the value is malformed.
using TOptionSetter = std::function<bool(std::string_view value)>;

// One "--name value" option of a bench program.
struct TOption {
    std::string_view Name;
    std::string_view Value; // what the value is, as the usage shows it: N, DIR
    std::string Help;
    TOptionSetter Set;
};

// A bench program's name and the options it takes.
struct TBenchCommand {
    std::string_view Program;
    std::vector<TOption> Options;
};

enum class TParseOutcome { Run, Help, Mistake };

// Reads "--name value" pairs through `options`. Answers Help for --help anywhere, otherwise
// Mistake at the first unknown option, missing value or malformed value.
[[nodiscard]] TParseOutcome ParseOptions(std::span<const char* const> args,
                                         std::span<const TOption> options);

// The synopsis line and one aligned line per option.
[[nodiscard]] std::string UsageText(const TBenchCommand& command);

// The whole of a bench's main(): reads the command line, then calls `run`. Answers 0 after
// --help (the usage on stdout), 2 after a mistake in the command line (the usage on stderr),
// 1 after "program: what went wrong" on stderr when `run` throws, otherwise 0.
int RunBench(const TBenchCommand& command, int argc, const char* const* argv,
             const std::function<void()>& run);

// `text` as a whole decimal number in [least, most], or nothing.
[[nodiscard]] std::optional<std::int64_t> ParseWholeNumber(std::string_view text,
                                                           std::int64_t least, std::int64_t most);

// A setter of a whole number in [least, most] into `target`.
template <typename T>
[[nodiscard]] TOptionSetter NumberInto(T& target, std::int64_t least, std::int64_t most) {
    return [&target, least, most](std::string_view value) {
        const auto number = ParseWholeNumber(value, least, most);
        if (number) target = static_cast<T>(*number);
        return number.has_value();
    };
}

// A setter of any text but the empty one into `target`.
[[nodiscard]] TOptionSetter TextInto(std::string& target);

// The options of a bench that measures over generated data files.
struct TDataOptions {
    std::int64_t SizeMiB = 1024;
    std::string Dir = "build/bench-data";

    [[nodiscard]] std::int64_t SizeBytes() const { return SizeMiB * kBytesPerMiB; }
};

// --size-mib and --dir, writing into `options`.
[[nodiscard]] std::vector<TOption> DataOptionTable(TDataOptions& options);

} // namespace mv::bench
