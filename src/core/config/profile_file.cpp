#include "core/config/profile_file.h"

#include "core/config/little_endian.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <optional>

#include <fcntl.h>
#include <unistd.h>

namespace mv {

namespace {

constexpr std::string_view Signature = "MvPr_Profile";
constexpr std::size_t HeaderSize = 20;
constexpr std::size_t LengthSize = 4;

// Reads the bytes of a file while guarding the bounds of every field it takes.
class TReader {
public:
    explicit TReader(std::span<const std::uint8_t> bytes) : rest_(bytes) {}

    [[nodiscard]] std::size_t Remaining() const { return rest_.size(); }
    [[nodiscard]] std::span<const std::uint8_t> Take(std::size_t count) {
        const auto taken = rest_.first(count);
        rest_ = rest_.subspan(count);
        return taken;
    }
    [[nodiscard]] std::int32_t TakeInt32() {
        return static_cast<std::int32_t>(LoadLe32(Take(4).first<4>()));
    }

private:
    std::span<const std::uint8_t> rest_;
};

void AppendInt32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    std::uint8_t bytes[4];
    StoreLe32(bytes, value);
    out.insert(out.end(), std::begin(bytes), std::end(bytes));
}

// The whole file, or nothing when it cannot be opened or read to its end.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::vector<std::uint8_t> bytes;
    std::uint8_t chunk[65536];
    for (;;) {
        const ssize_t got = read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            close(fd);
            return std::nullopt;
        }
        if (got == 0) break;
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    close(fd);
    return bytes;
}

int WriteAll(int fd, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t put = write(fd, bytes.data(), bytes.size());
        if (put < 0 && errno == EINTR) continue;
        if (put < 0) return errno;
        bytes = bytes.subspan(static_cast<std::size_t>(put));
    }
    return 0;
}

} // namespace

std::vector<TProfileEntry> ParseProfileFile(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < HeaderSize) return {};
    TReader reader(bytes);
    const auto signature = reader.Take(Signature.size());
    if (!std::equal(signature.begin(), signature.end(), Signature.begin())) return {};
    const std::int32_t count = reader.TakeInt32();
    const std::int32_t size = reader.TakeInt32();
    if (size < 0 || static_cast<std::size_t>(size) != bytes.size()) return {};

    std::vector<TProfileEntry> entries;
    for (std::int32_t i = 0; i < count && reader.Remaining() >= LengthSize; ++i) {
        const std::int32_t length = reader.TakeInt32();
        if (length < 0 || reader.Remaining() < WindowProfile::StoredSize ||
            static_cast<std::size_t>(length) > reader.Remaining() - WindowProfile::StoredSize)
            break;
        const auto name = reader.Take(static_cast<std::size_t>(length));
        const auto profile = reader.Take(WindowProfile::StoredSize);
        entries.push_back({std::string(name.begin(), name.end()),
                           WindowProfile::Parse(profile.first<WindowProfile::StoredSize>())});
    }
    return entries;
}

std::vector<std::uint8_t> SerializeProfileFile(std::span<const TProfileEntry> entries) {
    std::size_t size = HeaderSize;
    for (const TProfileEntry& entry : entries)
        size += LengthSize + entry.Name.size() + WindowProfile::StoredSize;

    std::vector<std::uint8_t> out;
    out.reserve(size);
    out.insert(out.end(), Signature.begin(), Signature.end());
    AppendInt32(out, static_cast<std::uint32_t>(entries.size()));
    AppendInt32(out, static_cast<std::uint32_t>(size));
    for (const TProfileEntry& entry : entries) {
        AppendInt32(out, static_cast<std::uint32_t>(entry.Name.size()));
        out.insert(out.end(), entry.Name.begin(), entry.Name.end());
        const WindowProfile::Bytes profile = entry.Profile.Serialize();
        out.insert(out.end(), profile.begin(), profile.end());
    }
    return out;
}

std::vector<TProfileEntry> LoadProfileFile(const std::string& folder) {
    const auto bytes = ReadWholeFile(folder + '/' + std::string(ProfileFileName));
    return bytes ? ParseProfileFile(*bytes) : std::vector<TProfileEntry>{};
}

int SaveProfileFile(const std::string& folder, std::span<const TProfileEntry> entries) {
    const std::vector<std::uint8_t> bytes = SerializeProfileFile(entries);
    const std::string target = folder + '/' + std::string(ProfileFileName);
    std::string temporary = target + ".XXXXXX";
    const int fd = mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) return errno;
    int error = WriteAll(fd, bytes);
    // Without the sync a crash soon after the rename could leave an empty file in its place.
    if (error == 0 && fsync(fd) != 0) error = errno;
    if (close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && std::rename(temporary.c_str(), target.c_str()) != 0) error = errno;
    if (error != 0) unlink(temporary.c_str());
    return error;
}

} // namespace mv
