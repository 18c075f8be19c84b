#include "process_memory.h"

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

namespace mv::bench {

namespace {

constexpr std::int64_t kBytesPerKiB = 1024;

// The value of a "Name:   123 kB" line, in bytes, or -1 when the line does not start with it.
std::int64_t KiBField(const std::string& line, const std::string& name) {
    if (line.rfind(name + ":", 0) != 0) return -1;
    std::istringstream fields(line.substr(name.size() + 1));
    std::int64_t kib = -1;
    fields >> kib;
    return kib < 0 ? -1 : kib * kBytesPerKiB;
}

} // namespace

TMemoryStatus ReadMemoryStatus() {
    std::ifstream status("/proc/self/status");
    TMemoryStatus memory{-1, -1};
    for (std::string line; std::getline(status, line);) {
        if (const std::int64_t peak = KiBField(line, "VmHWM"); peak >= 0) memory.Peak = peak;
        if (const std::int64_t rss = KiBField(line, "VmRSS"); rss >= 0) memory.Resident = rss;
    }
    if (memory.Peak < 0 || memory.Resident < 0)
        throw std::runtime_error("cannot read VmHWM and VmRSS from /proc/self/status");
    return memory;
}

} // namespace mv::bench
