// mv_bench: throughput and latency figures of the block store and the editor on page-cached
// files, each next to a reference tool or a target. A missed target is a finding, not a
// failure: the exit status is non-zero only when the run itself fails.
#include "bench_data.h"
#include "bench_options.h"
#include "editor_figures.h"
#include "store_figures.h"

#include <cstdio>

namespace {

void Run(const mv::bench::TDataOptions& options) {
    const mv::bench::TBenchFiles files = mv::bench::BenchFilesIn(options.Dir, options.SizeBytes());
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
    mv::bench::TDataOptions options;
    return mv::bench::RunBench({"mv_bench", mv::bench::DataOptionTable(options)}, argc, argv,
                               [&] { Run(options); });
}
