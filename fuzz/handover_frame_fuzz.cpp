// The hand-over frame reader on any byte stream, as the running instance and a later start
// read it from a socket. Input: one byte whose low bit chooses the side and whose other bits
// give the size of the pieces in which the rest arrives, then the stream.
//
// Whatever the pieces, the reader must yield the same frames and the same end; each frame must
// encode back to exactly the bytes it was read from, and no frame is taken after a refusal.
#include "core/shell/handover_frame.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <vector>

namespace {

void Require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "handover_frame_fuzz: %s\n", what);
    std::abort();
}

struct TOutcome {
    std::vector<mv::THandoverFrame> Frames;
    mv::THandoverReader::TStatus Last = mv::THandoverReader::TStatus::NeedMore;
    std::size_t Pending = 0;
};

TOutcome Read(mv::THandoverSide side, std::span<const std::uint8_t> stream, std::size_t piece) {
    mv::THandoverReader reader(side);
    TOutcome outcome;
    for (std::size_t at = 0; at < stream.size(); at += piece) {
        reader.Append(stream.subspan(at, std::min(piece, stream.size() - at)));
        mv::THandoverFrame frame;
        while ((outcome.Last = reader.Next(frame)) == mv::THandoverReader::TStatus::Frame)
            outcome.Frames.push_back(frame);
        if (outcome.Last == mv::THandoverReader::TStatus::Malformed) break;
    }
    outcome.Pending = reader.Pending();
    return outcome;
}

mv::THandoverBytes Encoded(const mv::THandoverFrame& frame) {
    switch (frame.Kind) {
    case mv::THandoverKind::OpenFile: {
        const auto bytes = mv::EncodeOpenFile(frame.FileName);
        Require(bytes.has_value(), "a name the reader took cannot be encoded");
        return *bytes;
    }
    case mv::THandoverKind::NewWindow:
        return mv::EncodeNewWindow();
    case mv::THandoverKind::Answer:
        return mv::EncodeAnswer(frame.Window);
    }
    Require(false, "a frame of unknown kind");
    return {};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const auto side = (data[0] & 1) != 0 ? mv::THandoverSide::Answers : mv::THandoverSide::Requests;
    const std::size_t piece = std::size_t{1} + (data[0] >> 1);
    const std::span<const std::uint8_t> stream(data + 1, size - 1);

    const TOutcome whole = Read(side, stream, std::max<std::size_t>(stream.size(), 1));
    const TOutcome pieces = Read(side, stream, piece);
    Require(whole.Frames == pieces.Frames, "the frames depend on how the bytes arrive");
    Require(whole.Last == pieces.Last, "the end depends on how the bytes arrive");

    std::size_t offset = 0;
    for (const mv::THandoverFrame& frame : whole.Frames) {
        const mv::THandoverBytes bytes = Encoded(frame);
        Require(bytes.size() <= stream.size() - offset &&
                    std::equal(bytes.begin(), bytes.end(), stream.begin() + offset),
                "a frame does not encode back to its bytes");
        offset += bytes.size();
    }
    if (whole.Last == mv::THandoverReader::TStatus::NeedMore)
        Require(whole.Pending == stream.size() - offset, "bytes lost between frames");
    return 0;
}
