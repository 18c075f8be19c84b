// mv_huge_bench: figures of files read on demand: a page-cached file of pseudo-random bytes
// (8 GiB by default) with its copy, and a sparse 64 GiB file, each figure next to its target
// or reference tool. A missed target is a finding, not a failure.
#include "bench_data.h"
#include "bench_options.h"
#include "figure_report.h"
#include "process_memory.h"

#include "core/datastore/edit_history.h"
#include "core/datastore/memory_module.h"
#include "core/datastore/save_journal.h"
#include "core/host/host_services.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <stdexcept>
#include <vector>

namespace mv::bench {
namespace {

constexpr int kRuns = 5;
constexpr std::int64_t kSparseSize = std::int64_t{64} << 30;
constexpr std::int64_t kPage = 16 * 64; // a full window's lines of 16 bytes
constexpr double kOpenTargetMs = 50;
constexpr double kJumpTargetMs = 16;
constexpr double kEditTargetMs = 1;
constexpr double kJournaledSaveTargetMs = 100;
constexpr std::int64_t kMaxRssMiB = 100;

// Edits through the history never ask anything here.
class TSilentHost final : public THostServices {
public:
    TModalResult MessageDlgBeep(std::string_view, TMsgDlgType, TMsgDlgButtons) override {
        throw std::runtime_error("unexpected message");
    }
    void Beep() override {}
    void MessageBox(std::string_view, std::string_view) override {}
};

void Load(TMemoryModule& store, const std::string& path) {
    if (store.LoadFromFile(path, 0) != 0) throw std::runtime_error("cannot open " + path);
}

void PrintMs(const std::string& name, Seconds measured, double targetMs) {
    PrintFigure({name, Ms(measured), "ms", 3, VerdictOf(Ms(measured) <= targetMs),
                 "(target <= " + Fixed(targetMs, 0) + " ms)"});
}

// Open, then read the first window's bytes; jump to the end, then read the last window's.
void MeasureOpenAndJump(const std::string& label, const std::string& path) {
    std::vector<Byte> page(kPage);
    const Seconds open = BestOf(kRuns, [&] {
        return TimeOnce([&] {
            TMemoryModule store;
            Load(store, path);
            store.ReadBytes(page.data(), 0, kPage);
        });
    });
    PrintMs(label + ": open, first page", open, kOpenTargetMs);
    const std::int64_t before = ReadMemoryStatus().Resident;
    TMemoryModule store;
    Load(store, path);
    store.ReadBytes(page.data(), 0, kPage);
    const Seconds jump = BestOf(kRuns, [&] {
        TMemoryModule fresh;
        Load(fresh, path);
        return TimeOnce([&] { fresh.ReadBytes(page.data(), fresh.Size() - kPage, kPage); });
    });
    PrintMs(label + ": jump to end", jump, kJumpTargetMs);
    const double grownMiB =
        static_cast<double>(ReadMemoryStatus().Resident - before) / static_cast<double>(kBytesPerMiB);
    PrintFigure({label + ": RSS of open file", grownMiB, "MiB", 1, VerdictOf(grownMiB <= kMaxRssMiB),
                 "(resident growth, target <= " + std::to_string(kMaxRssMiB) + " MiB)"});
}

void MeasureInsertAndUndo(const std::string& path) {
    TMemoryModule store;
    Load(store, path);
    TSilentHost host;
    TEditHistory history(store, host);
    const Byte inserted = 0x5A;
    std::vector<Seconds> inserts;
    std::vector<Seconds> undos;
    for (int run = 0; run < 50; ++run) {
        TEditRequest request;
        request.Kind = TEditKind::Insert;
        request.Address = store.Size() / 2 + run * 4099;
        request.Data = &inserted;
        request.Length = 1;
        inserts.push_back(TimeOnce([&] { history.Apply(request, false); }));
        history.AdvanceGroup();
        undos.push_back(TimeOnce([&] { history.Undo(); }));
    }
    PrintMs("insert 1 byte mid", Median(inserts), kEditTargetMs);
    PrintMs("undo of it", Median(undos), kEditTargetMs);
}

void MeasureSearchAndDifference(const TBenchFiles& files) {
    TMemoryModule store;
    Load(store, files.Original);
    const std::string pattern = "\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0a\x0b\x0c\x0d\x0e\x0f\x10";
    TSearchRecord record;
    record.Pattern = reinterpret_cast<const Byte*>(pattern.data());
    record.Length = static_cast<ByteCount>(pattern.size());
    Address hit = 0;
    const Seconds search = BestOf(3, [&] { return TimeOnce([&] { hit = store.SearchPattern(record); }); });
    if (hit >= 0) std::printf("  (the pattern was found at %lld: the figure is short)\n", static_cast<long long>(hit));
    const Seconds grep = BestOf(3, [&] {
        return TimeShellCommand("grep -c -F -a " + ShellQuote(pattern) + " " + ShellQuote(files.Original) + " > /dev/null", {0, 1});
    });
    PrintAgainstTool("search absent", search, "grep -c -F", grep, 1.0);

    TMemoryModule copy;
    Load(copy, files.Copy);
    ByteCount run = 0;
    const Seconds difference = BestOf(3, [&] {
        return TimeOnce([&] { (void)store.FindDifference({.Target = &copy}, run); });
    });
    const Seconds cmp = BestOf(3, [&] {
        return TimeShellCommand("cmp " + ShellQuote(files.Original) + " " + ShellQuote(files.Copy), {0});
    });
    PrintAgainstTool("find difference", difference, "cmp", cmp, 1.0);
}

void MeasureJournaledSave(const TBenchFiles& files) {
    TMemoryModule store;
    Load(store, files.Copy);
    Byte byte = 0;
    const Address middle = store.Size() / 2 + 12345;
    store.ReadBytes(&byte, middle, 1);
    const std::string journal = files.Copy + ".mvjournal";
    std::vector<Seconds> saves;
    for (int run = 0; run < kRuns; ++run) {
        const Byte flipped = static_cast<Byte>(byte ^ (run % 2 == 0 ? 0xFF : 0x00));
        store.OverwriteBytes(&flipped, middle, 1);
        saves.push_back(TimeOnce([&] {
            if (store.SaveChangedRanges(journal) != 0) throw std::runtime_error("save failed");
        }));
    }
    store.OverwriteBytes(&byte, middle, 1); // the copy stays equal to the original
    if (store.SaveChangedRanges(journal) != 0) throw std::runtime_error("save failed");
    PrintMs("journaled 1-byte save", Median(saves), kJournaledSaveTargetMs);
}

void MakeSparse(const std::string& path, std::int64_t size) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0 || ::ftruncate(fd, size) != 0) throw std::runtime_error("cannot make " + path);
    ::close(fd);
}

void Run(const TDataOptions& options) {
    const TBenchFiles files = BenchFilesIn(options.Dir, options.SizeBytes());
    const bool generated = PrepareFiles(files);
    WarmPageCache(files.Original);
    WarmPageCache(files.Copy);
    const std::string sparse = options.Dir + "/sparse-64g.bin";
    MakeSparse(sparse, kSparseSize);
    std::printf("mv_huge_bench: %lld MiB of pseudo-random bytes in %s (%s), page-cached; "
                "a sparse 64 GiB file\n",
                static_cast<long long>(options.SizeMiB), files.Original.c_str(),
                generated ? "generated" : "reused");
    MeasureOpenAndJump(Fixed(static_cast<double>(options.SizeMiB) / 1024, 0) + " GiB", files.Original);
    MeasureOpenAndJump("64 GiB sparse", sparse);
    MeasureInsertAndUndo(files.Original);
    MeasureSearchAndDifference(files);
    MeasureJournaledSave(files);
    ::unlink(sparse.c_str());
}

} // namespace
} // namespace mv::bench

int main(int argc, char** argv) {
    mv::bench::TDataOptions options;
    options.SizeMiB = 8192;
    return mv::bench::RunBench({"mv_huge_bench", mv::bench::DataOptionTable(options)}, argc, argv,
                               [&] { mv::bench::Run(options); });
}
