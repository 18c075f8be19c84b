#include "bench_data.h"

#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace mv::bench {

namespace {

// Transfers are this large so that the buffer stays small next to the stores whose memory
// the run measures, yet large enough to keep the per-call cost low.
constexpr std::size_t kChunkBytes = 1 << 20;
constexpr std::uint64_t kDataSeed = 0x4D76'5072'696D'6531;

bool HasSize(const std::string& path, std::int64_t size) {
    std::error_code error;
    const auto actual = std::filesystem::file_size(path, error);
    return !error && static_cast<std::int64_t>(actual) == size;
}

void FillRandom(std::mt19937_64& random, std::vector<char>& chunk) {
    for (std::size_t at = 0; at < chunk.size(); at += sizeof(std::uint64_t)) {
        const std::uint64_t word = random();
        std::memcpy(chunk.data() + at, &word, std::min(sizeof word, chunk.size() - at));
    }
}

// Writing back now keeps the kernel's writeback of a fresh file from competing with the
// figures of the same run; the pages stay cached.
void FlushToDisk(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    const bool flushed = fd >= 0 && ::fsync(fd) == 0;
    if (fd >= 0) ::close(fd);
    if (!flushed) throw std::runtime_error("cannot write back " + path);
}

// Writes beside the target and renames, so that an interrupted run never leaves a file of
// the right size with the wrong bytes.
void GenerateFile(const std::string& path, std::int64_t size) {
    const std::string partial = path + ".partial";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        std::mt19937_64 random(kDataSeed);
        std::vector<char> chunk;
        for (std::int64_t left = size; left > 0 && out;) {
            chunk.resize(static_cast<std::size_t>(std::min<std::int64_t>(left, kChunkBytes)));
            FillRandom(random, chunk);
            out.write(chunk.data(), static_cast<std::streamsize>(chunk.size()));
            left -= static_cast<std::int64_t>(chunk.size());
        }
        out.close();
        if (!out) throw std::runtime_error("cannot write " + partial);
    }
    FlushToDisk(partial);
    std::filesystem::rename(partial, path);
}

} // namespace

TBenchFiles BenchFilesIn(const std::string& dir, std::int64_t size) {
    std::filesystem::create_directories(dir);
    const std::string stem = dir + "/random-" + std::to_string(size >> 20) + "mib";
    return {stem + ".bin", stem + "-copy.bin", dir + "/saved.bin", size};
}

bool PrepareFiles(const TBenchFiles& files) {
    bool generated = false;
    for (const std::string& path : {files.Original, files.Copy}) {
        if (HasSize(path, files.Size)) continue;
        GenerateFile(path, files.Size);
        generated = true;
    }
    return generated;
}

void WarmPageCache(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::vector<char> chunk(kChunkBytes);
    do
        in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
    while (in.gcount() > 0);
    if (in.bad()) throw std::runtime_error("cannot read " + path);
}

} // namespace mv::bench
