// The filers shipped in the "filer" folder, run against small but complete files of their
// formats built byte by byte here.
#include "core/filer/field_model.h"
#include "core/filer/filer_text.h"

#include "filer_fakes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <string>
#include <vector>

namespace mv {
namespace {

using test::Bytes;

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

// The same picture with the 12-byte core header: 16-bit sizes, and the pixels where the
// longer header would go on, so that its last fields lie past the end.
Bytes SampleCoreBmp() {
    TByteWriter w;
    w.Text("BM").Le(42).Le(0).Le(26).Le(12).Le(2, 2).Le(2, 2).Le(1, 2).Le(24, 2);
    return w.Raw({0, 0, 255, 255, 255, 255, 0, 0, 0, 0, 255, 255, 255, 255, 0, 0}).Out;
}

// Stereo at 44100 Hz with one sample frame.
Bytes SampleWav(std::uint32_t format, std::uint32_t bits) {
    TByteWriter w;
    w.Text("RIFF").Le(40).Text("WAVE").Text("fmt ").Le(16).Le(format, 2).Le(2, 2).Le(44100);
    w.Le(176400).Le(4, 2).Le(bits, 2).Text("data").Le(4);
    return w.Raw({0x00, 0x10, 0x00, 0xF0}).Out;
}

// One grey pixel: a greyscale header, a stored deflate block and the end.
Bytes SamplePng(Byte bitDepth) {
    TByteWriter w;
    w.Raw({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A});
    w.Chunk("IHDR", TByteWriter().Be32(1).Be32(1).Raw({bitDepth, 0, 0, 0, 0}).Out);
    w.Chunk("IDAT", {0x78, 0x01, 0x01, 0x02, 0x00, 0xFD, 0xFF, 0x00, 0x80, 0x00, 0x82, 0x00, 0x81});
    return w.Chunk("IEND", {}).Out;
}

// One member "a.txt" holding "hello" and its directory entry, with UTF-8 names.
Bytes SampleZip(std::uint32_t method) {
    constexpr std::uint32_t crc = 0x3610A686, time = (12 << 11) | (34 << 5) | 28;
    constexpr std::uint32_t date = ((2024 - 1980) << 9) | (5 << 5) | 17;
    TByteWriter w;
    w.Le(0x04034B50).Le(20, 2).Le(1 << 11, 2).Le(method, 2).Le(time, 2).Le(date, 2).Le(crc);
    w.Le(5).Le(5).Le(5, 2).Le(0, 2).Text("a.txthello");
    w.Le(0x02014B50).Le(20, 2).Le(20, 2).Le(1 << 11, 2).Le(method, 2).Le(time, 2).Le(date, 2);
    w.Le(crc).Le(5).Le(5).Le(5, 2).Le(0).Le(0).Le(0).Le(0).Text("a.txt");
    return w.Le(0x06054B50).Le(0).Le(1, 2).Le(1, 2).Le(51).Le(40).Le(0, 2).Out;
}

// A field's value as its editor shows it: an integer, a check box, a list's chosen value.
std::int32_t Shown(const TFieldModel& field) {
    if (const auto* integer = dynamic_cast<const TIntegerFieldModel*>(&field))
        return integer->Value();
    if (const auto* bit = dynamic_cast<const TBitFieldModel*>(&field)) return bit->Checked();
    const auto& select = dynamic_cast<const TSelectFieldModel&>(field);
    return select.Items().at(static_cast<std::size_t>(select.Selected())).Value;
}

using TValue = std::pair<std::string, std::int32_t>; // a field by "page/caption", in UTF-8

struct TEdit {
    TValue Field; // an integer field and the value typed into it
    std::size_t At;
    Bytes Written;
};

// Loads a shipped filer, reads the sample and applies it unchanged, checks the values read,
// then types into integer fields and applies again: only their bytes change.
void ExpectFiler(const std::string& file, const Bytes& sample, const std::vector<TValue>& read,
                 const std::vector<TEdit>& edits) {
    SCOPED_TRACE(file);
    std::string filer;
    ASSERT_EQ(ReadWholeFile(MV_FILER_DIR "/" + file, filer), 0);
    test::TFilerTool tool(filer, sample);
    tool.Apply();
    EXPECT_EQ(tool.Target.Bytes, sample) << "an unchanged apply changes nothing";
    for (const auto& [name, value] : read)
        EXPECT_EQ(Shown(tool.Field(name)), value) << name;

    Bytes expected = sample;
    for (const TEdit& edit : edits) {
        EXPECT_EQ(tool.Field<TIntegerFieldModel>(edit.Field.first).SetValue(edit.Field.second), "");
        std::ranges::copy(edit.Written, expected.begin() + static_cast<std::ptrdiff_t>(edit.At));
    }
    tool.Target.Bytes[0] = 0; // the finalization writes the signature again
    tool.Apply();
    EXPECT_EQ(tool.Target.Bytes, expected);
}

// Samples with codes the filers do not name (a 12-bit ADPCM sound, the 12-byte bitmap
// header, compression methods without a label) keep them, and take other codes typed in.
TEST(ShippedFilers, ReadTheirSamplesAndWriteBackOnlyWhatWasEdited) {
    ExpectFiler("BMP.MVF", SampleBmp(), {{"情報ヘッダ/高さ", -2}, {"情報ヘッダ/色深度", 24}},
                {{{"情報ヘッダ/高さ", 2}, 22, {2, 0, 0, 0}},
                 {{"情報ヘッダ/圧縮形式", 11}, 30, {11, 0, 0, 0}}});
    ExpectFiler("BMP.MVF", SampleCoreBmp(), {{"情報ヘッダ/ヘッダサイズ", 12}},
                {{{"ファイルヘッダ/予約領域 1", 7}, 6, {7, 0}},
                 {{"情報ヘッダ/ヘッダサイズ", 64}, 14, {64, 0, 0, 0}}});
    // The data chunk's size comes from a common block included at another base.
    ExpectFiler("WAV.MVF", SampleWav(1, 16),
                {{"fmt チャンク/チャンネル数", 2}, {"data チャンク/チャンクサイズ", 4}},
                {{{"fmt チャンク/サンプリング周波数 (Hz)", 48000}, 24, {0x80, 0xBB, 0, 0}}});
    ExpectFiler("WAV.MVF", SampleWav(2, 12),
                {{"fmt チャンク/フォーマット", 2}, {"fmt チャンク/量子化ビット数", 12}},
                {{{"fmt チャンク/フォーマット", 0x55}, 20, {0x55, 0}}});
    ExpectFiler("PNG.MVF", SamplePng(8),
                {{"シグネチャ/改行 (0x0D0A)", 0x0D0A}, {"IHDR チャンク/ビット深度", 8}},
                {{{"IHDR チャンク/幅", 640}, 16, {0, 0, 0x02, 0x80}}});
    ExpectFiler("PNG.MVF", SamplePng(3), {{"IHDR チャンク/ビット深度", 3}},
                {{{"IHDR チャンク/高さ", 2}, 20, {0, 0, 0, 2}}});
    ExpectFiler("ZIP.MVF", SampleZip(0),
                {{"ヘッダ/更新時刻 (MS-DOS 形式)", (12 << 11) | (34 << 5) | 28},
                 {"汎用フラグ/ファイル名とコメントが UTF-8", 1}},
                {{{"ヘッダ/圧縮方式", 95}, 8, {95, 0}}});
    ExpectFiler("ZIP.MVF", SampleZip(14), {{"ヘッダ/圧縮方式", 14}},
                {{{"ヘッダ/更新日付 (MS-DOS 形式)", 0}, 12, {0, 0}}});
}

} // namespace
} // namespace mv
