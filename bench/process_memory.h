#pragma once

#include <cstdint>

namespace mv::bench {

// This process's resident memory as the kernel reports it, in bytes.
struct TMemoryStatus {
    std::int64_t Peak = 0;     // VmHWM: the high-water mark since the process started
    std::int64_t Resident = 0; // VmRSS: resident now
};

// Reads /proc/self/status; throws std::runtime_error when it cannot.
[[nodiscard]] TMemoryStatus ReadMemoryStatus();

} // namespace mv::bench
