#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace mv {

// The messages by which a later start of the program hands its work to the running instance.
// A frame is a kind byte, a 32-bit little-endian payload length and the payload:
//   OpenFile   the file name's bytes exactly as given (1 to MaxFileNameBytes, no zero byte)
//   NewWindow  nothing
//   Answer     8 bytes: the id of the window that now holds the file, HandoverAccepted when
//              the file or the new window opens once the work under way has ended, 0 for none
enum class THandoverKind : std::uint8_t { OpenFile = 1, NewWindow = 2, Answer = 3 };

inline constexpr std::size_t HandoverHeaderBytes = 5;
inline constexpr std::size_t MaxFileNameBytes = 64 * 1024;
inline constexpr std::size_t AnswerPayloadBytes = 8;

using TWindowId = std::uint64_t;
inline constexpr TWindowId HandoverAccepted = ~TWindowId{0};
using THandoverBytes = std::vector<std::uint8_t>;

struct THandoverFrame {
    THandoverKind Kind = THandoverKind::NewWindow;
    THandoverBytes FileName; // OpenFile only
    TWindowId Window = 0;    // Answer only

    friend bool operator==(const THandoverFrame&, const THandoverFrame&) = default;
};

// The frame's bytes, or nothing for a file name that no reader would take (empty, too long or
// holding a zero byte, which no path can).
[[nodiscard]] std::optional<THandoverBytes> EncodeOpenFile(std::span<const std::uint8_t> name);
[[nodiscard]] THandoverBytes EncodeNewWindow();
[[nodiscard]] THandoverBytes EncodeAnswer(TWindowId window);

// Which frames a reader takes: the running instance reads requests, a later start answers.
enum class THandoverSide : std::uint8_t { Requests, Answers };

// Cuts the byte stream of one connection into frames as the bytes arrive. A header that cannot
// start a valid frame (a kind this side does not take, a length out of bounds) is refused as
// soon as it is complete, so an oversized frame is never buffered; a refusal is final and the
// connection is to be dropped.
class THandoverReader {
public:
    enum class TStatus { NeedMore, Frame, Malformed };

    explicit THandoverReader(THandoverSide side) : side_(side) {}

    void Append(std::span<const std::uint8_t> bytes);
    // Takes the next whole frame out of the bytes appended so far.
    [[nodiscard]] TStatus Next(THandoverFrame& frame);
    // Bytes received but not yet part of a frame: a connection that closes with some is truncated.
    [[nodiscard]] std::size_t Pending() const { return buffer_.size() - consumed_; }

private:
    [[nodiscard]] bool HeaderValid(THandoverKind kind, std::uint32_t length) const;

    THandoverSide side_;
    THandoverBytes buffer_;
    std::size_t consumed_ = 0;
    bool malformed_ = false;
};

} // namespace mv
