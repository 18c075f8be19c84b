#include "core/shell/handover_frame.h"

#include <gtest/gtest.h>

#include <string_view>

namespace mv {
namespace {

THandoverBytes Bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

THandoverBytes Header(std::uint8_t kind, std::uint32_t length) {
    return {kind, static_cast<std::uint8_t>(length), static_cast<std::uint8_t>(length >> 8),
            static_cast<std::uint8_t>(length >> 16), static_cast<std::uint8_t>(length >> 24)};
}

// Feeds `stream` one byte at a time and collects the frames until the reader stops.
struct TReadOutcome {
    std::vector<THandoverFrame> Frames;
    THandoverReader::TStatus Last = THandoverReader::TStatus::NeedMore;
    std::size_t Pending = 0;
};

TReadOutcome ReadByteByByte(THandoverSide side, const THandoverBytes& stream) {
    THandoverReader reader(side);
    TReadOutcome outcome;
    for (const std::uint8_t byte : stream) {
        reader.Append(std::span(&byte, 1));
        THandoverFrame frame;
        while ((outcome.Last = reader.Next(frame)) == THandoverReader::TStatus::Frame)
            outcome.Frames.push_back(frame);
        if (outcome.Last == THandoverReader::TStatus::Malformed) break;
    }
    outcome.Pending = reader.Pending();
    return outcome;
}

TEST(HandoverFrame, RequestsAndAnswersSurviveArrivingByteByByte) {
    // A Shift JIS name ("日本.bin") travels as its bytes, untouched.
    const THandoverBytes name{0x93, 0xfa, 0x96, 0x7b, '.', 'b', 'i', 'n'};
    THandoverBytes stream = *EncodeOpenFile(name);
    const THandoverBytes newWindow = EncodeNewWindow();
    stream.insert(stream.end(), newWindow.begin(), newWindow.end());
    const THandoverBytes longest = *EncodeOpenFile(THandoverBytes(MaxFileNameBytes, 'a'));
    stream.insert(stream.end(), longest.begin(), longest.end());

    const TReadOutcome requests = ReadByteByByte(THandoverSide::Requests, stream);
    ASSERT_EQ(requests.Frames.size(), 3u);
    EXPECT_EQ(requests.Frames[0], (THandoverFrame{THandoverKind::OpenFile, name, 0}));
    EXPECT_EQ(requests.Frames[1].Kind, THandoverKind::NewWindow);
    EXPECT_EQ(requests.Frames[2].FileName.size(), MaxFileNameBytes);
    EXPECT_EQ(requests.Pending, 0u);

    const TWindowId window = 0x0123456789abcdefULL;
    const TReadOutcome answers = ReadByteByByte(THandoverSide::Answers, EncodeAnswer(window));
    ASSERT_EQ(answers.Frames.size(), 1u);
    EXPECT_EQ(answers.Frames[0].Window, window);
}

TEST(HandoverFrame, NamesNoReaderTakesAreNotEncoded) {
    EXPECT_FALSE(EncodeOpenFile({}));
    EXPECT_FALSE(EncodeOpenFile(THandoverBytes(MaxFileNameBytes + 1, 'a')));
    EXPECT_FALSE(EncodeOpenFile(Bytes(std::string_view("a\0b", 3))));
}

TEST(HandoverFrame, BadFramesAreRefusedAtTheirHeaderAndForGood) {
    const THandoverBytes zeroInName = [] {
        THandoverBytes bytes = Header(1, 3);
        bytes.insert(bytes.end(), {'a', 0, 'b'});
        return bytes;
    }();
    struct Case {
        const char* What;
        THandoverSide Side;
        THandoverBytes Stream;
    };
    const Case cases[] = {
        {"oversized name", THandoverSide::Requests, Header(1, MaxFileNameBytes + 1)},
        {"4 GiB name", THandoverSide::Requests, Header(1, 0xffffffff)},
        {"empty name", THandoverSide::Requests, Header(1, 0)},
        {"new window with payload", THandoverSide::Requests, Header(2, 1)},
        {"unknown kind", THandoverSide::Requests, Header(0x7f, 0)},
        {"answer sent to the instance", THandoverSide::Requests, EncodeAnswer(1)},
        {"request sent back", THandoverSide::Answers, EncodeNewWindow()},
        {"short answer", THandoverSide::Answers, Header(3, 4)},
        {"zero byte in a name", THandoverSide::Requests, zeroInName},
    };
    for (const Case& c : cases) {
        THandoverBytes stream = c.Stream;
        const THandoverBytes valid = EncodeNewWindow(); // nothing after a refusal is read
        stream.insert(stream.end(), valid.begin(), valid.end());
        const TReadOutcome outcome = ReadByteByByte(c.Side, stream);
        EXPECT_EQ(outcome.Last, THandoverReader::TStatus::Malformed) << c.What;
        EXPECT_TRUE(outcome.Frames.empty()) << c.What;
    }
}

TEST(HandoverFrame, TruncatedFrameStaysPending) {
    THandoverBytes stream = *EncodeOpenFile(Bytes("/tmp/file"));
    stream.pop_back();
    const TReadOutcome outcome = ReadByteByByte(THandoverSide::Requests, stream);
    EXPECT_EQ(outcome.Last, THandoverReader::TStatus::NeedMore);
    EXPECT_TRUE(outcome.Frames.empty());
    EXPECT_EQ(outcome.Pending, stream.size());
}

} // namespace
} // namespace mv
