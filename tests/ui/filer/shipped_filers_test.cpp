// Each shipped filer on a sample of its format: every field shows what an independent decoding
// of the sample found (Python's struct, wave, zipfile and zlib read the same bytes), an apply
// without an edit changes nothing, and one edit is one undo step.
#include "filer_samples.h"
#include "filer_tool_fixture.h"

#include "ui/filer/filer_folders.h"

#include <QtCore/QBuffer>
#include <QtGui/QImage>

#include <elf.h>

#include <cstring>
#include <fstream>

namespace mv {
namespace {

using test::Bytes;
using test::TShown;
using Shown = std::vector<TShown>;

class ShippedFilers : public test::TFilerToolFixture {
protected:
    // Loads the shipped filer on the sample and checks that applying it unchanged writes nothing.
    void OpenShipped(const Bytes& sample, const std::string& filer) {
        Open(sample, ShippedFilerFolder() + "/" + filer);
        ASSERT_TRUE(tool->Session().Pages().size() > 0) << filer;
        Run("MM_OutData");
        EXPECT_EQ(Data(), sample);
        EXPECT_FALSE(Core().Module().IsModified());
        EXPECT_FALSE(Core().History().CanUndo());
    }
    // After the edits, one apply writes `changed` at `at`; one undo takes all of it back.
    void ExpectOneUndoStep(const Bytes& sample, std::size_t at, const Bytes& changed) {
        EXPECT_EQ(tool->ModifiedPanel().text(), QStringLiteral("変更"));
        Run("MM_OutData");
        EXPECT_TRUE(tool->ModifiedPanel().text().isEmpty());
        Bytes expected = sample;
        std::ranges::copy(changed, expected.begin() + static_cast<std::ptrdiff_t>(at));
        EXPECT_EQ(Data(), expected);
        Undo();
        EXPECT_EQ(Data(), sample);
        EXPECT_FALSE(Core().History().CanUndo());
    }
};

TEST_F(ShippedFilers, Bitmap) {
    const Bytes sample = test::SampleBmp();
    OpenShipped(sample, "BMP.MVF");
    EXPECT_EQ(tool->windowTitle(), QStringLiteral("ビットマップ画像 (BMP) - ファイラーツール"));
    EXPECT_EQ(Fields(), (Shown{{"ファイルヘッダ/識別子", "BM"},
                              {"ファイルヘッダ/ファイルサイズ", "70"},
                              {"ファイルヘッダ/予約領域 1", "0"},
                              {"ファイルヘッダ/予約領域 2", "0"},
                              {"ファイルヘッダ/画像データの位置", "54"},
                              {"情報ヘッダ/ヘッダサイズ", "40"},
                              {"情報ヘッダ/幅", "2"},
                              {"情報ヘッダ/高さ", "-2"},
                              {"情報ヘッダ/プレーン数", "1"},
                              {"情報ヘッダ/色深度", "24"},
                              {"情報ヘッダ/圧縮形式", "0"},
                              {"情報ヘッダ/画像データサイズ", "16"},
                              {"情報ヘッダ/水平解像度 (画素/m)", "2835"},
                              {"情報ヘッダ/垂直解像度 (画素/m)", "2835"},
                              {"情報ヘッダ/使用色数", "0"},
                              {"情報ヘッダ/重要色数", "0"}}));
    Type("情報ヘッダ/高さ", QStringLiteral("2"));
    ExpectOneUndoStep(sample, 22, {2, 0, 0, 0});
}

TEST_F(ShippedFilers, Wave) {
    const Bytes sample = test::SampleWav(1, 16);
    OpenShipped(sample, "WAV.MVF");
    EXPECT_EQ(Fields(), (Shown{{"RIFF ヘッダ/チャンク ID", "RIFF"},
                              {"RIFF ヘッダ/チャンクサイズ", "40"},
                              {"RIFF ヘッダ/形式", "WAVE"},
                              {"fmt チャンク/チャンク ID", "fmt"},
                              {"fmt チャンク/チャンクサイズ", "16"},
                              {"fmt チャンク/フォーマット", "1"},
                              {"fmt チャンク/チャンネル数", "2"},
                              {"fmt チャンク/サンプリング周波数 (Hz)", "44100"},
                              {"fmt チャンク/データ速度 (バイト/秒)", "176400"},
                              {"fmt チャンク/ブロックサイズ (バイト)", "4"},
                              {"fmt チャンク/量子化ビット数", "16"},
                              {"data チャンク/チャンク ID", "data"},
                              {"data チャンク/チャンクサイズ", "4"}}));
    Type("fmt チャンク/サンプリング周波数 (Hz)", QStringLiteral("48000"));
    ExpectOneUndoStep(sample, 24, {0x80, 0xBB, 0, 0});
}

TEST_F(ShippedFilers, Png) {
    const Bytes sample = test::SamplePng();
    OpenShipped(sample, "PNG.MVF");
    EXPECT_EQ(Fields(), (Shown{{"シグネチャ/先頭バイト (0x89)", "137"},
                              {"シグネチャ/識別子", "PNG"},
                              {"シグネチャ/改行 (0x0D0A)", "3338"},
                              {"シグネチャ/EOF と改行 (0x1A0A)", "6666"},
                              {"IHDR チャンク/チャンク長", "13"},
                              {"IHDR チャンク/チャンク名", "IHDR"},
                              {"IHDR チャンク/幅", "1"},
                              {"IHDR チャンク/高さ", "1"},
                              {"IHDR チャンク/ビット深度", "8"},
                              {"IHDR チャンク/カラータイプ", "グレースケール"},
                              {"IHDR チャンク/圧縮方式", "deflate"},
                              {"IHDR チャンク/フィルタ方式", "適応フィルタ"},
                              {"IHDR チャンク/インターレース", "なし"},
                              {"IHDR チャンク/CRC", "981375829"}}));
    Choose("IHDR チャンク/カラータイプ", QStringLiteral("トゥルーカラー (RGB)"));
    ExpectOneUndoStep(sample, 0x19, {2});
}

TEST_F(ShippedFilers, Zip) {
    const Bytes sample = test::SampleZip();
    OpenShipped(sample, "ZIP.MVF");
    EXPECT_EQ(Fields(), (Shown{{"ヘッダ/シグネチャ", "PK"},
                              {"ヘッダ/展開に必要なバージョン", "20"},
                              {"ヘッダ/圧縮方式", "0"},
                              {"ヘッダ/更新時刻 (MS-DOS 形式)", "25692"},
                              {"ヘッダ/更新日付 (MS-DOS 形式)", "22705"},
                              {"ヘッダ/CRC-32", "907060870"},
                              {"ヘッダ/圧縮後のサイズ", "5"},
                              {"ヘッダ/圧縮前のサイズ", "5"},
                              {"ヘッダ/ファイル名の長さ", "5"},
                              {"ヘッダ/拡張フィールドの長さ", "0"},
                              {"汎用フラグ/暗号化されている", "0"},
                              {"汎用フラグ/データディスクリプタを使う", "0"},
                              {"汎用フラグ/強力な暗号化", "0"},
                              {"汎用フラグ/ファイル名とコメントが UTF-8", "1"}}));
    Click("汎用フラグ/暗号化されている");
    ExpectOneUndoStep(sample, 6, {0x01, 0x08});
}

const Shown Elf64Little{{"ELF64 リトルエンディアン/種別 (e_type)", "ET_DYN (共有オブジェクト)"},
                        {"ELF64 リトルエンディアン/マシン (e_machine)", "x86-64"},
                        {"ELF64 リトルエンディアン/バージョン (e_version)", "1"},
                        {"ELF64 リトルエンディアン/エントリポイント (下位 32 ビット)", "305419896"},
                        {"ELF64 リトルエンディアン/エントリポイント (上位 32 ビット)", "21845"},
                        {"ELF64 リトルエンディアン/プログラムヘッダの位置 (下位)", "64"},
                        {"ELF64 リトルエンディアン/プログラムヘッダの位置 (上位)", "0"},
                        {"ELF64 リトルエンディアン/セクションヘッダの位置 (下位)", "573785173"},
                        {"ELF64 リトルエンディアン/セクションヘッダの位置 (上位)", "17"},
                        {"ELF64 リトルエンディアン/フラグ (e_flags)", "0"},
                        {"ELF64 リトルエンディアン/ELF ヘッダの大きさ (e_ehsize)", "64"},
                        {"ELF64 リトルエンディアン/プログラムヘッダ 1 個の大きさ", "56"},
                        {"ELF64 リトルエンディアン/プログラムヘッダの数 (e_phnum)", "2"},
                        {"ELF64 リトルエンディアン/セクションヘッダ 1 個の大きさ", "64"},
                        {"ELF64 リトルエンディアン/セクションヘッダの数 (e_shnum)", "7"},
                        {"ELF64 リトルエンディアン/セクション名の表の番号", "6"}};

TEST_F(ShippedFilers, Elf64LittleEndian) {
    const Bytes sample = test::SampleElf(true, false);
    OpenShipped(sample, "ELF.MVF");
    EXPECT_EQ(Fields("識別子"), (Shown{{"識別子 (e_ident)/マジック (0x7F)", "127"},
                                      {"識別子 (e_ident)/マジック (ELF)", "ELF"},
                                      {"識別子 (e_ident)/クラス", "ELF64 (64 ビット)"},
                                      {"識別子 (e_ident)/データ形式", "リトルエンディアン"},
                                      {"識別子 (e_ident)/バージョン", "EV_CURRENT (1)"},
                                      {"識別子 (e_ident)/OS/ABI", "Linux"},
                                      {"識別子 (e_ident)/ABI バージョン", "0"}}));
    EXPECT_EQ(Fields("ELF64 リトル"), Elf64Little);
    Type("ELF64 リトルエンディアン/エントリポイント (上位 32 ビット)", QStringLiteral("1"));
    ExpectOneUndoStep(sample, 0x1C, {1, 0, 0, 0});
}

// The halves of a 64-bit value stand the other way round in big endian.
TEST_F(ShippedFilers, Elf64BigEndian) {
    OpenShipped(test::SampleElf(true, true), "ELF.MVF");
    const Shown shown = Fields("ELF64 ビッグ");
    ASSERT_EQ(shown.size(), 16u);
    EXPECT_EQ(shown[0].second, "ET_EXEC (実行可能)");
    EXPECT_EQ(shown[1].second, "IBM S/390");
    EXPECT_EQ(shown[3], (TShown{"ELF64 ビッグエンディアン/エントリポイント (上位 32 ビット)", "21845"}));
    EXPECT_EQ(shown[4], (TShown{"ELF64 ビッグエンディアン/エントリポイント (下位 32 ビット)", "305419896"}));
    EXPECT_EQ(shown[7].second, "17");
    EXPECT_EQ(shown[8].second, "573785173");
    EXPECT_EQ(shown[15].second, "6");
}

TEST_F(ShippedFilers, Elf32BigEndian) {
    const Bytes sample = test::SampleElf(false, true);
    OpenShipped(sample, "ELF.MVF");
    EXPECT_EQ(Fields("識別子")[2].second, "ELF32 (32 ビット)");
    EXPECT_EQ(Fields("識別子")[3].second, "ビッグエンディアン");
    EXPECT_EQ(Fields("ELF32 ビッグ"),
              (Shown{{"ELF32 ビッグエンディアン/種別 (e_type)", "ET_REL (再配置可能)"},
                     {"ELF32 ビッグエンディアン/マシン (e_machine)", "MIPS"},
                     {"ELF32 ビッグエンディアン/バージョン (e_version)", "1"},
                     {"ELF32 ビッグエンディアン/エントリポイント (e_entry)", "134512756"},
                     {"ELF32 ビッグエンディアン/プログラムヘッダの位置 (e_phoff)", "52"},
                     {"ELF32 ビッグエンディアン/セクションヘッダの位置 (e_shoff)", "4660"},
                     {"ELF32 ビッグエンディアン/フラグ (e_flags)", "1879052295"},
                     {"ELF32 ビッグエンディアン/ELF ヘッダの大きさ (e_ehsize)", "52"},
                     {"ELF32 ビッグエンディアン/プログラムヘッダ 1 個の大きさ", "32"},
                     {"ELF32 ビッグエンディアン/プログラムヘッダの数 (e_phnum)", "2"},
                     {"ELF32 ビッグエンディアン/セクションヘッダ 1 個の大きさ", "40"},
                     {"ELF32 ビッグエンディアン/セクションヘッダの数 (e_shnum)", "7"},
                     {"ELF32 ビッグエンディアン/セクション名の表の番号", "6"}}));
    EXPECT_EQ(Fields("ELF32 リトル")[1].second, "0x0800 (一覧にない値)") << "8 read the other way";
    Choose("ELF32 ビッグエンディアン/マシン (e_machine)", QStringLiteral("PowerPC"));
    ExpectOneUndoStep(sample, 0x12, {0, 20});
}

// The test program itself: its header as the system's own declarations read it.
TEST_F(ShippedFilers, ElfOfThisProgram) {
    Bytes program(sizeof(Elf64_Ehdr));
    std::ifstream("/proc/self/exe", std::ios::binary)
        .read(reinterpret_cast<char*>(program.data()), std::ssize(program));
    Elf64_Ehdr header;
    std::memcpy(&header, program.data(), sizeof header);
    if (header.e_ident[EI_CLASS] != ELFCLASS64 || header.e_ident[EI_DATA] != ELFDATA2LSB)
        GTEST_SKIP() << "not a 64-bit little-endian program";
    OpenShipped(program, "ELF.MVF");
    const Shown shown = Fields("ELF64 リトル");
    const auto number = [](std::uint64_t v) { return std::to_string(static_cast<std::int32_t>(v)); };
    EXPECT_EQ(shown[3].second, number(header.e_entry & 0xFFFFFFFF));
    EXPECT_EQ(shown[4].second, number(header.e_entry >> 32));
    EXPECT_EQ(shown[7].second, number(header.e_shoff & 0xFFFFFFFF));
    EXPECT_EQ(shown[12].second, std::to_string(header.e_phnum));
    EXPECT_EQ(shown[14].second, std::to_string(header.e_shnum));
}

// A picture saved by the JPEG writer the program's toolkit ships.
TEST_F(ShippedFilers, Jpeg) {
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(QColor(200, 30, 30));
    image.setDotsPerMeterX(2835);
    image.setDotsPerMeterY(3780);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(image.save(&buffer, "JPEG"));
    const Bytes sample(buffer.data().begin(), buffer.data().end());
    OpenShipped(sample, "JPEG.MVF");
    EXPECT_EQ(Fields(), (Shown{{"SOI と APP0/SOI マーカ (0xFFD8)", "65496"},
                              {"SOI と APP0/APP0 マーカ (0xFFE0)", "65504"},
                              {"SOI と APP0/セグメント長", "16"},
                              {"SOI と APP0/識別子", "JFIF"},
                              {"JFIF/バージョン (上位)", "1"},
                              {"JFIF/バージョン (下位)", "1"},
                              {"JFIF/密度の単位", "ドット/インチ"},
                              {"JFIF/水平方向の密度", "72"},
                              {"JFIF/垂直方向の密度", "96"},
                              {"JFIF/サムネイルの幅", "0"},
                              {"JFIF/サムネイルの高さ", "0"}}));
    Choose("JFIF/密度の単位", QStringLiteral("ドット/センチメートル"));
    Type("JFIF/水平方向の密度", QStringLiteral("28"));
    ExpectOneUndoStep(sample, 13, {2, 0, 28});
}

} // namespace
} // namespace mv
