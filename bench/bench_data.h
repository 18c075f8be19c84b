#pragma once

#include <cstdint>
#include <string>

namespace mv::bench {

// The two data files of a run: identical pseudo-random bytes, so that the difference scan
// and cmp read them to the end.
struct TBenchFiles {
    std::string Original;
    std::string Copy;
    std::string SaveTarget; // written and deleted by the save figure
    std::int64_t Size = 0;
};

// The files of `size` bytes in `dir`, which is created when missing.
[[nodiscard]] TBenchFiles BenchFilesIn(const std::string& dir, std::int64_t size);

// Writes each file that is missing or of the wrong size from the fixed-seed stream; answers
// whether any was written. Throws std::runtime_error on an I/O error.
bool PrepareFiles(const TBenchFiles& files);

// Reads the file once, so that the figures measure page-cached data, not the disk.
void WarmPageCache(const std::string& path);

} // namespace mv::bench
