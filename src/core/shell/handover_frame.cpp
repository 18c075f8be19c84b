#include "core/shell/handover_frame.h"

#include "core/config/little_endian.h"

#include <algorithm>

namespace mv {

namespace {

THandoverBytes Header(THandoverKind kind, std::size_t length) {
    THandoverBytes bytes(HandoverHeaderBytes);
    bytes[0] = static_cast<std::uint8_t>(kind);
    StoreLe32(std::span<std::uint8_t, 4>(bytes.data() + 1, 4), static_cast<std::uint32_t>(length));
    return bytes;
}

bool NameValid(std::span<const std::uint8_t> name) {
    return !name.empty() && name.size() <= MaxFileNameBytes &&
           std::ranges::find(name, std::uint8_t{0}) == name.end();
}

} // namespace

std::optional<THandoverBytes> EncodeOpenFile(std::span<const std::uint8_t> name) {
    if (!NameValid(name)) return std::nullopt;
    THandoverBytes bytes = Header(THandoverKind::OpenFile, name.size());
    bytes.insert(bytes.end(), name.begin(), name.end());
    return bytes;
}

THandoverBytes EncodeNewWindow() {
    return Header(THandoverKind::NewWindow, 0);
}

THandoverBytes EncodeAnswer(TWindowId window) {
    THandoverBytes bytes = Header(THandoverKind::Answer, AnswerPayloadBytes);
    bytes.resize(HandoverHeaderBytes + AnswerPayloadBytes);
    auto payload = std::span(bytes).subspan<HandoverHeaderBytes, AnswerPayloadBytes>();
    StoreLe32(payload.first<4>(), static_cast<std::uint32_t>(window));
    StoreLe32(payload.last<4>(), static_cast<std::uint32_t>(window >> 32));
    return bytes;
}

void THandoverReader::Append(std::span<const std::uint8_t> bytes) {
    if (malformed_) return;
    // Drop what earlier frames used before the buffer grows, so that it holds one frame at most.
    buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(consumed_));
    consumed_ = 0;
    buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
}

bool THandoverReader::HeaderValid(THandoverKind kind, std::uint32_t length) const {
    switch (kind) {
    case THandoverKind::OpenFile:
        return side_ == THandoverSide::Requests && length >= 1 && length <= MaxFileNameBytes;
    case THandoverKind::NewWindow:
        return side_ == THandoverSide::Requests && length == 0;
    case THandoverKind::Answer:
        return side_ == THandoverSide::Answers && length == AnswerPayloadBytes;
    }
    return false;
}

THandoverReader::TStatus THandoverReader::Next(THandoverFrame& frame) {
    if (malformed_) return TStatus::Malformed;
    const std::span<const std::uint8_t> rest = std::span(buffer_).subspan(consumed_);
    if (rest.size() < HandoverHeaderBytes) return TStatus::NeedMore;
    const auto kind = static_cast<THandoverKind>(rest[0]);
    const std::uint32_t length = LoadLe32(rest.subspan<1, 4>());
    if (!HeaderValid(kind, length)) {
        malformed_ = true;
        return TStatus::Malformed;
    }
    if (rest.size() - HandoverHeaderBytes < length) return TStatus::NeedMore;
    const std::span<const std::uint8_t> payload = rest.subspan(HandoverHeaderBytes, length);
    if (kind == THandoverKind::OpenFile && !NameValid(payload)) {
        malformed_ = true;
        return TStatus::Malformed;
    }
    frame = THandoverFrame{kind, {}, 0};
    if (kind == THandoverKind::OpenFile) frame.FileName.assign(payload.begin(), payload.end());
    if (kind == THandoverKind::Answer)
        frame.Window = LoadLe32(payload.first<4>()) |
                       static_cast<TWindowId>(LoadLe32(payload.subspan<4, 4>())) << 32;
    consumed_ += HandoverHeaderBytes + length;
    return TStatus::Frame;
}

} // namespace mv
