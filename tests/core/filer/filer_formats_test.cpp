// The filers shipped in the "filer" folder, run against small but complete files of their
// formats built byte by byte here.
#include "core/filer/filer_analyzer.h"
#include "core/filer/filer_field.h"
#include "core/filer/filer_layout.h"
#include "core/typedvalues/sjis_utf8.h"

#include "filer_fakes.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace mv {
namespace {

using Bytes = std::vector<Byte>;

std::uint32_t Crc32(std::span<const Byte> bytes) {
    std::uint32_t crc = 0xFFFFFFFF;
    for (const Byte b : bytes) {
        crc ^= b;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

struct TByteWriter {
    TByteWriter& Le(std::uint32_t v, int count = 4) {
        for (int i = 0; i < count; ++i)
            Out.push_back(static_cast<Byte>(v >> (8 * i)));
        return *this;
    }
    TByteWriter& Be32(std::uint32_t v) {
        for (int shift = 24; shift >= 0; shift -= 8)
            Out.push_back(static_cast<Byte>(v >> shift));
        return *this;
    }
    TByteWriter& Text(std::string_view text) {
        Out.insert(Out.end(), text.begin(), text.end());
        return *this;
    }
    TByteWriter& Raw(const Bytes& bytes) {
        Out.insert(Out.end(), bytes.begin(), bytes.end());
        return *this;
    }
    // A PNG chunk: length, type, data and the CRC of type and data.
    TByteWriter& Chunk(std::string_view type, const Bytes& data) {
        Be32(static_cast<std::uint32_t>(data.size())).Text(type).Raw(data);
        return Be32(Crc32(std::span(Out).last(type.size() + data.size())));
    }
    Bytes Out;
};

// 2 × 2 pixels, 24 bits, stored top-down (negative height).
Bytes SampleBmp() {
    TByteWriter w;
    w.Text("BM").Le(70).Le(0).Le(54).Le(40).Le(2).Le(-2u).Le(1, 2).Le(24, 2).Le(0).Le(16);
    w.Le(2835).Le(2835).Le(0).Le(0).Raw({0, 0, 255, 255, 255, 255, 0, 0});
    return w.Raw({0, 0, 255, 255, 255, 255, 0, 0}).Out;
}

// 16-bit stereo PCM at 44100 Hz with one sample frame.
Bytes SampleWav() {
    TByteWriter w;
    w.Text("RIFF").Le(40).Text("WAVE").Text("fmt ").Le(16).Le(1, 2).Le(2, 2).Le(44100).Le(176400);
    return w.Le(4, 2).Le(16, 2).Text("data").Le(4).Raw({0x00, 0x10, 0x00, 0xF0}).Out;
}

// One grey pixel: an 8-bit greyscale header, a stored deflate block and the end.
Bytes SamplePng() {
    TByteWriter w;
    w.Raw({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A});
    w.Chunk("IHDR", TByteWriter().Be32(1).Be32(1).Raw({8, 0, 0, 0, 0}).Out);
    w.Chunk("IDAT", {0x78, 0x01, 0x01, 0x02, 0x00, 0xFD, 0xFF, 0x00, 0x80, 0x00, 0x82, 0x00, 0x81});
    return w.Chunk("IEND", {}).Out;
}

// One stored member "a.txt" holding "hello" and its directory entry, with UTF-8 names.
Bytes SampleZip() {
    constexpr std::uint32_t crc = 0x3610A686, time = (12 << 11) | (34 << 5) | 28;
    constexpr std::uint32_t date = ((2024 - 1980) << 9) | (5 << 5) | 17;
    TByteWriter w;
    w.Le(0x04034B50).Le(20, 2).Le(1 << 11, 2).Le(0, 2).Le(time, 2).Le(date, 2).Le(crc).Le(5);
    w.Le(5).Le(5, 2).Le(0, 2).Text("a.txthello");
    w.Le(0x02014B50).Le(20, 2).Le(20, 2).Le(1 << 11, 2).Le(0, 2).Le(time, 2).Le(date, 2);
    w.Le(crc).Le(5).Le(5).Le(5, 2).Le(0).Le(0).Le(0).Le(0).Text("a.txt");
    return w.Le(0x06054B50).Le(0).Le(1, 2).Le(1, 2).Le(51).Le(40).Le(0, 2).Out;
}

using TValue = std::pair<std::string, std::int32_t>; // a field by "page/caption", in UTF-8

// Loads a shipped filer with a probe for every field, reads the sample and applies it
// unchanged, checks the values read, then edits one value and applies again.
void ExpectFiler(const std::string& file, const Bytes& sample, const std::vector<TValue>& read,
                 const TValue& edited, std::size_t at, const Bytes& written) {
    SCOPED_TRACE(file);
    TFilerCommands initialize, edit, finalize;
    const TAnalyzeError result =
        AnalyzeFiler(std::string(MV_FILER_DIR "/") + file, initialize, edit, finalize);
    ASSERT_FALSE(result.IsError) << "line " << result.Line << ": " << result.Message;
    std::vector<std::unique_ptr<test::TProbeField>> probes;
    std::map<std::string, test::TProbeField*> byName;
    std::vector<TFilerField*> fields;
    for (const TFilerPage& page : BuildFilerLayout(edit).Pages)
        for (const TFilerItem& item : page.Items)
            if (item.Kind != TFilerItemKind::Label && item.Kind != TFilerItemKind::Message &&
                item.Kind != TFilerItemKind::HorizontalRule) {
                probes.push_back(std::make_unique<test::TProbeField>(item));
                fields.push_back(probes.back().get());
                byName[ShiftJisToUtf8(page.Name) + "/" + ShiftJisToUtf8(item.Caption)] =
                    probes.back().get();
            }

    test::TScriptedHost host; // any dialog fails the test: the runs must succeed
    test::TVectorTarget target(sample);
    ReadFilerFields(target, host, initialize, fields);
    EXPECT_TRUE(WriteFilerFields(target, host, finalize, fields));
    EXPECT_EQ(target.Bytes, sample) << "an unchanged apply changes nothing";
    for (const auto& [name, value] : read) {
        ASSERT_TRUE(byName.contains(name)) << name;
        EXPECT_EQ(byName[name]->Value, value) << name;
    }

    ASSERT_TRUE(byName.contains(edited.first)) << edited.first;
    byName[edited.first]->Value = edited.second;
    target.Bytes[0] = 0; // the finalization writes the signature again
    EXPECT_TRUE(WriteFilerFields(target, host, finalize, fields));
    Bytes expected = sample;
    std::ranges::copy(written, expected.begin() + static_cast<std::ptrdiff_t>(at));
    EXPECT_EQ(target.Bytes, expected);
}

TEST(ShippedFilers, ReadTheirSamplesAndWriteBackOnlyWhatWasEdited) {
    ExpectFiler("BMP.MVF", SampleBmp(), {{"情報ヘッダ/高さ", -2}, {"情報ヘッダ/色深度", 24}},
                {"情報ヘッダ/高さ", 2}, 22, {2, 0, 0, 0});
    // The data chunk's size comes from a common block included at another base.
    ExpectFiler("WAV.MVF", SampleWav(),
                {{"fmt チャンク/チャンネル数", 2}, {"data チャンク/チャンクサイズ", 4}},
                {"fmt チャンク/サンプリング周波数 (Hz)", 48000}, 24, {0x80, 0xBB, 0, 0});
    ExpectFiler("PNG.MVF", SamplePng(),
                {{"シグネチャ/改行 (0x0D0A)", 0x0D0A}, {"IHDR チャンク/幅", 1}},
                {"IHDR チャンク/幅", 640}, 16, {0, 0, 0x02, 0x80});
    ExpectFiler("ZIP.MVF", SampleZip(),
                {{"ヘッダ/更新時刻 (MS-DOS 形式)", (12 << 11) | (34 << 5) | 28},
                 {"汎用フラグ/ファイル名とコメントが UTF-8", 1}},
                {"ヘッダ/圧縮方式", 8}, 8, {8, 0});
}

} // namespace
} // namespace mv
