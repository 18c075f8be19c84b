#include "store_figures.h"

#include "bench_timing.h"
#include "figure_report.h"
#include "process_memory.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

namespace mv::bench {

namespace {

constexpr int kRuns = 3;
constexpr double kMiB = 1024.0 * 1024.0;
constexpr double kLoadRatioTarget = 2.5;
constexpr double kLoadOverFloorTarget = 1.2;
constexpr std::int64_t kFloorReadBytes = std::int64_t{1} << 20;
constexpr double kSearchRatioTarget = 1.5;
constexpr double kDifferenceRatioTarget = 0.5;
constexpr double kMemoryFactorTarget = 1.05;
constexpr double kMemoryAllowance = 64 * kMiB;
constexpr double kEditTargetMicroseconds = 1000;
constexpr int kEditSamples = 1000;
constexpr int kFragmentingInserts = 10000;
constexpr std::uint32_t kEditSeed = 20240601;
constexpr std::uint32_t kFragmentSeed = 20240602;
constexpr Byte kInsertedByte = 0x5A;
constexpr std::uint8_t kForward = 0;
constexpr std::uint8_t kBackward = 1;

// Printable, so that grep takes them on its command line; random data holds a given 8-byte
// string with a chance of about 2^-34 per GiB, and the next candidate covers that case.
constexpr std::array<std::string_view, 4> kPatternCandidates = {"Mv#Q9z!k", "pR7$wX2@", "Zk4&nB8%",
                                                                "q#T5vL9*"};

void Load(TMemoryModule& store, const std::string& path) {
    if (const int error = store.LoadFromFile(path); error != 0)
        throw std::runtime_error("cannot load " + path + ": " + std::strerror(error));
}

// Fresh anonymous memory aligned to the huge page size and advised for huge or small pages.
class TFreshMemory {
public:
    TFreshMemory(std::int64_t bytes, bool hugePages)
        : size_(static_cast<std::size_t>(bytes) + kHugePage) {
        mapping_ =
            ::mmap(nullptr, size_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (mapping_ == MAP_FAILED) throw std::runtime_error("cannot map fresh memory");
        const auto start = reinterpret_cast<std::uintptr_t>(mapping_);
        data_ = reinterpret_cast<Byte*>((start + kHugePage - 1) & ~(kHugePage - 1));
        ::madvise(data_, static_cast<std::size_t>(bytes),
                  hugePages ? MADV_HUGEPAGE : MADV_NOHUGEPAGE);
    }
    TFreshMemory(const TFreshMemory&) = delete;
    TFreshMemory& operator=(const TFreshMemory&) = delete;
    ~TFreshMemory() { ::munmap(mapping_, size_); }

    [[nodiscard]] Byte* Data() const { return data_; }

private:
    static constexpr std::size_t kHugePage = std::size_t{2} << 20;
    std::size_t size_;
    void* mapping_;
    Byte* data_;
};

// Faults in `bytes` of fresh memory on small pages, one touch per page.
Seconds TimeFreshPages(std::int64_t bytes) {
    const TFreshMemory memory(bytes, false);
    return TimeOnce([&] {
        auto* bytesOf = static_cast<volatile Byte*>(memory.Data());
        for (std::int64_t i = 0; i < bytes; i += TMemoryModule::BlockSize)
            bytesOf[i] = 1;
    });
}

// Reads the file into one fresh mapping advised for huge pages: the least a copy of the file
// into private memory costs when the kernel backs it with huge pages.
Seconds TimeReadIntoHugePages(const std::string& path, std::int64_t bytes) {
    const TFreshMemory memory(bytes, true);
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw std::runtime_error("cannot open " + path);
    std::int64_t total = 0;
    ssize_t got = 1;
    const Seconds elapsed = TimeOnce([&] {
        for (; got > 0 && total < bytes; total += got)
            got = ::read(fd, memory.Data() + total,
                         static_cast<std::size_t>(std::min(kFloorReadBytes, bytes - total)));
    });
    ::close(fd);
    if (got < 0 || total != bytes) throw std::runtime_error("cannot read " + path);
    return elapsed;
}

Seconds TimedLoad(TMemoryModule& store, const std::string& path) {
    return TimeOnce([&] { Load(store, path); });
}

void PrintPeakMemory(const TMemoryStatus& memory, std::int64_t fileSize) {
    const double target = kMemoryFactorTarget * static_cast<double>(fileSize) + kMemoryAllowance;
    PrintFigure({"peak RSS after load", static_cast<double>(memory.Peak) / kMiB, "MiB", 1,
                 VerdictOf(static_cast<double>(memory.Peak) <= target),
                 "(VmRSS " + Fixed(static_cast<double>(memory.Resident) / kMiB, 1) +
                     " MiB, target <= " + Fixed(target / kMiB, 1) + " MiB)"});
}

Seconds TimedSave(const TMemoryModule& store, const std::string& path) {
    const Seconds elapsed = TimeOnce([&] {
        if (const int error = store.SaveToFile(path); error != 0)
            throw std::runtime_error("cannot save " + path + ": " + std::strerror(error));
    });
    const auto written = static_cast<std::int64_t>(std::filesystem::file_size(path));
    std::filesystem::remove(path);
    if (written != store.Size())
        throw std::runtime_error("save wrote " + std::to_string(written) + " bytes, not " +
                                 std::to_string(store.Size()));
    return elapsed;
}

// The whole store in one direction: from the first byte forward or the last byte backward.
Address SearchWhole(const TMemoryModule& store, std::string_view pattern, std::uint8_t direction) {
    TSearchRecord record;
    record.Pattern = reinterpret_cast<const Byte*>(pattern.data());
    record.Length = static_cast<ByteCount>(pattern.size());
    record.Position = direction == kForward ? 0 : store.Size() - 1;
    record.Direction = direction;
    return store.SearchPattern(record);
}

std::string AbsentPattern(const TMemoryModule& store) {
    for (const std::string_view candidate : kPatternCandidates)
        if (SearchWhole(store, candidate, kForward) == -1) return std::string(candidate);
    throw std::runtime_error("every candidate pattern occurs in the data");
}

Seconds TimedAbsentSearch(const TMemoryModule& store, std::string_view pattern,
                          std::uint8_t direction) {
    Address found = -1;
    const Seconds elapsed = TimeOnce([&] { found = SearchWhole(store, pattern, direction); });
    if (found != -1)
        throw std::runtime_error("the search found the absent pattern at " + std::to_string(found));
    return elapsed;
}

// Times one edit per address drawn uniformly from the middle third of the store.
template <typename Edit>
std::vector<Seconds> TimeMiddleEdits(TMemoryModule& store, std::mt19937& random, Edit edit) {
    std::vector<Seconds> samples;
    samples.reserve(kEditSamples);
    for (int i = 0; i < kEditSamples; ++i) {
        std::uniform_int_distribution<Address> middle(store.Size() / 3, store.Size() / 3 * 2);
        const Address address = middle(random);
        samples.push_back(TimeOnce([&] { edit(address); }));
    }
    return samples;
}

void PrintEditFigure(const std::string& name, const std::vector<Seconds>& samples) {
    const double median = Median(samples).count() * 1e6;
    const double worst = std::max_element(samples.begin(), samples.end())->count() * 1e6;
    PrintFigure({name, median, "us", 1, VerdictOf(median <= kEditTargetMicroseconds),
                 "(median of " + std::to_string(samples.size()) + ", max " + Fixed(worst, 1) +
                     " us, target <= " + Fixed(kEditTargetMicroseconds, 0) + " us)"});
}

Seconds TimedDifferenceScan(const TMemoryModule& store, const TMemoryModule& target) {
    TDifferenceRecord record;
    record.Target = &target;
    record.Direction = kForward;
    Address found = -1;
    ByteCount runLength = 0;
    const Seconds elapsed = TimeOnce([&] { found = store.FindDifference(record, runLength); });
    if (found != -1)
        throw std::runtime_error("identical stores differ at " + std::to_string(found));
    return elapsed;
}

// Single-byte inserts at scattered addresses split full blocks, as typing all over a
// document does.
void Fragment(TMemoryModule& store) {
    std::mt19937 random(kFragmentSeed);
    for (int i = 0; i < kFragmentingInserts; ++i) {
        std::uniform_int_distribution<Address> anywhere(0, store.Size());
        store.InsertBytes(&kInsertedByte, anywhere(random), 1);
    }
}

} // namespace

std::unique_ptr<TMemoryModule> MeasureLoad(const TBenchFiles& files) {
    auto store = std::make_unique<TMemoryModule>();
    const Seconds first = TimedLoad(*store, files.Original);
    // Read before anything else grows the process, so that the peak is this load's.
    const TMemoryStatus memory = ReadMemoryStatus();
    // Each later run frees the previous store before loading, so that one store is held.
    const Seconds best = std::min(first, BestOf(kRuns - 1, [&] {
                                      store = std::make_unique<TMemoryModule>();
                                      return TimedLoad(*store, files.Original);
                                  }));
    const Seconds cat = BestOf(kRuns, [&] {
        return TimeShellCommand("cat " + ShellQuote(files.Original) + " > /dev/null", {0});
    });
    PrintAgainstTool("load", best, "cat", cat, kLoadRatioTarget);
    // What any copy into private memory pays the kernel before a byte is copied: it bounds
    // how close a load can come to cat, which reuses one small buffer.
    const Seconds smallPages = BestOf(kRuns, [&] { return TimeFreshPages(files.Size); });
    PrintAgainstTool("load floor: 4 KiB", smallPages, "cat", cat, std::nullopt);
    const Seconds hugePages =
        BestOf(kRuns, [&] { return TimeReadIntoHugePages(files.Original, files.Size); });
    const double overFloor = best / hugePages;
    PrintFigure({"load floor: THP", hugePages.count(), "s", 3,
                 VerdictOf(overFloor <= kLoadOverFloorTarget),
                 "(read into fresh huge pages; load ratio " + Fixed(overFloor, 2) +
                     ", target <= " + Fixed(kLoadOverFloorTarget, 1) + ")"});
    PrintPeakMemory(memory, files.Size);
    return store;
}

void MeasureSave(const TMemoryModule& store, const TBenchFiles& files) {
    const Seconds best = BestOf(kRuns, [&] { return TimedSave(store, files.SaveTarget); });
    const std::string rate = Fixed(static_cast<double>(store.Size()) / kMiB / best.count(), 0);
    PrintFigure({"save", best.count(), "s", 3, TVerdict::NoTarget,
                 "(" + rate + " MiB/s, fsync included, no target)"});
}

void MeasureSearch(const TMemoryModule& store, const TBenchFiles& files) {
    const std::string pattern = AbsentPattern(store);
    const Seconds forward =
        BestOf(kRuns, [&] { return TimedAbsentSearch(store, pattern, kForward); });
    const Seconds backward =
        BestOf(kRuns, [&] { return TimedAbsentSearch(store, pattern, kBackward); });
    // grep answers 1 when no line matches, which is the only right answer here.
    const Seconds grep = BestOf(kRuns, [&] {
        return TimeShellCommand("grep -c -F -a " + ShellQuote(pattern) + " " +
                                    ShellQuote(files.Original) + " > /dev/null",
                                {1});
    });
    PrintAgainstTool("search forward", forward, "grep", grep, kSearchRatioTarget);
    PrintAgainstTool("search backward", backward, "grep forward", grep, std::nullopt);
}

void MeasureEdits(TMemoryModule& store) {
    std::mt19937 random(kEditSeed);
    const auto inserts = TimeMiddleEdits(
        store, random, [&](Address address) { store.InsertBytes(&kInsertedByte, address, 1); });
    const auto deletes =
        TimeMiddleEdits(store, random, [&](Address address) { store.DeleteBytes(address, 1); });
    PrintEditFigure("insert 1 byte", inserts);
    PrintEditFigure("delete 1 byte", deletes);
}

void MeasureDifference(const TBenchFiles& files) {
    TMemoryModule original;
    Load(original, files.Original);
    TMemoryModule copy;
    Load(copy, files.Copy);
    const Seconds best = BestOf(kRuns, [&] { return TimedDifferenceScan(original, copy); });
    // cmp answers 0 for identical files.
    const Seconds cmp = BestOf(kRuns, [&] {
        return TimeShellCommand("cmp " + ShellQuote(files.Original) + " " + ShellQuote(files.Copy),
                                {0});
    });
    PrintAgainstTool("find difference", best, "cmp", cmp, kDifferenceRatioTarget);
}

void MeasureCompact(const TBenchFiles& files) {
    TMemoryModule store;
    Load(store, files.Original);
    Fragment(store);
    const int before = store.MemoryEfficiency();
    const Seconds elapsed = TimeOnce([&] { store.Compact(); });
    PrintFigure({"compact", elapsed.count(), "s", 3, TVerdict::NoTarget,
                 "(after " + std::to_string(kFragmentingInserts) + " 1-byte inserts, efficiency " +
                     std::to_string(before) + "% -> " + std::to_string(store.MemoryEfficiency()) +
                     "%, no target)"});
}

} // namespace mv::bench
