// mv_bench: throughput and latency figures of the block store and the editor on page-cached
// files, each next to a reference tool or a target. A missed target is a finding, not a
// failure: the exit status is non-zero only when the run itself fails.
#include "bench_data.h"
#include "editor_figures.h"
#include "store_figures.h"

#include "core/datastore/memory_module.h"

#include <cstdint>
#include <cstdio>
#include <exception>
#include <optional>
#include <string>
#include <string_view>

namespace {

constexpr std::int64_t kBytesPerMiB = std::int64_t{1} << 20;
// Addresses are signed 32-bit, so a store holds less than 2048 MiB.
constexpr std::int64_t kMaxSizeMiB = mv::TMemoryModule::MaxSize / kBytesPerMiB;
constexpr int kUsageError = 2;

struct TOptions {
    std::int64_t SizeMiB = 1024;
    std::string Dir = "build/bench-data";
};

void PrintUsage(std::FILE* out) {
    std::fprintf(out,
                 "usage: mv_bench [--size-mib N] [--dir DIR]\n"
                 "  --size-mib N  size of the generated file, 1..%lld (default 1024)\n"
                 "  --dir DIR     where the data files live (default build/bench-data)\n",
                 static_cast<long long>(kMaxSizeMiB));
}

std::optional<std::int64_t> ParseSizeMiB(const std::string& text) {
    std::size_t used = 0;
    long long value = 0;
    try {
        value = std::stoll(text, &used);
    } catch (const std::exception&) {
        return std::nullopt;
    }
    if (used != text.size() || value < 1 || value > kMaxSizeMiB) return std::nullopt;
    return value;
}

// The options, or nothing after a usage message for a malformed command line.
std::optional<TOptions> ParseOptions(int argc, char** argv) {
    TOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view name = argv[i];
        if (i + 1 == argc || (name != "--size-mib" && name != "--dir")) return std::nullopt;
        const std::string value = argv[++i];
        if (name == "--dir") {
            options.Dir = value;
            continue;
        }
        const auto size = ParseSizeMiB(value);
        if (!size) return std::nullopt;
        options.SizeMiB = *size;
    }
    return options;
}

void Run(const TOptions& options) {
    const mv::bench::TBenchFiles files =
        mv::bench::BenchFilesIn(options.Dir, options.SizeMiB * kBytesPerMiB);
    const bool generated = mv::bench::PrepareFiles(files);
    mv::bench::WarmPageCache(files.Original);
    mv::bench::WarmPageCache(files.Copy);
    std::printf("mv_bench: %lld MiB of pseudo-random bytes in %s (%s), page-cached\n",
                static_cast<long long>(options.SizeMiB), files.Original.c_str(),
                generated ? "generated" : "reused");
    {
        const auto store = mv::bench::MeasureLoad(files);
        mv::bench::MeasureSave(*store, files);
        mv::bench::MeasureSearch(*store, files);
        mv::bench::MeasureEdits(*store);
    }
    // Each of these loads its own stores once the one above is gone, so that at most two
    // are held at once.
    mv::bench::MeasureDifference(files);
    mv::bench::MeasureCompact(files);
    mv::bench::MeasureTyping(files);
    mv::bench::MeasureReplaceAll(files.Size);
    mv::bench::MeasureTextOutput(options.Dir, files.Size);
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string_view(argv[1]) == "--help") {
        PrintUsage(stdout);
        return 0;
    }
    const auto options = ParseOptions(argc, argv);
    if (!options) {
        PrintUsage(stderr);
        return kUsageError;
    }
    try {
        Run(*options);
    } catch (const std::exception& error) {
        std::fflush(stdout);
        std::fprintf(stderr, "mv_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
