// Each shipped filer on a sample of its format: every field shows what an independent decoding
// of the sample found (Python's struct, wave, zipfile and zlib read the same bytes), an apply
// without an edit changes nothing, and one edit is one undo step. On the standard samples and
// on valid variants the filers were not written for (Exif, RF64, a self-extractor...), an
// apply writes no byte but those of the one field edited.
#include "filer_samples.h"
#include "filer_tool_fixture.h"

#include "ui/filer/filer_folders.h"

#include <QtCore/QBuffer>
#include <QtGui/QImage>

#include <elf.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <optional>

namespace mv {
namespace {

using test::Bytes;
using test::OnPage;
using test::TShown;
using Shown = std::vector<TShown>;

// An 8 × 8 picture saved by the JPEG writer the program's toolkit ships, as JFIF.
Bytes QtJpeg() {
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(QColor(200, 30, 30));
    image.setDotsPerMeterX(2835);
    image.setDotsPerMeterY(3780);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, "JPEG"));
    return {buffer.data().begin(), buffer.data().end()};
}

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
    // Each enabled field in turn takes one edit, which is applied, checked and undone.
    void EditEachField(const Bytes& sample) {
        const auto& pages = tool->Session().Pages();
        for (std::size_t p = 0; p < pages.size(); ++p)
            for (TFieldEditor* editor : tool->Pages()[p]->Editors()) {
                if (!editor->Control().isEnabled()) continue;
                const std::string name = ShiftJisToUtf8(pages[p].Name) + "/" +
                                         ShiftJisToUtf8(editor->Model().Item().Caption);
                SCOPED_TRACE(name);
                const std::optional<Bytes> changed = EditOnce(name, editor->Model(), sample);
                if (!changed) continue;
                ExpectOneUndoStep(sample, static_cast<std::size_t>(editor->Model().Item().Address),
                                  *changed);
                Run("MM_Refresh");
            }
    }

private:
    // Gives the field another value as the user would; answers the field's bytes as they
    // should then be written, or nothing for a list without another option.
    std::optional<Bytes> EditOnce(const std::string& name, TFieldModel& model,
                                  const Bytes& sample) {
        const TFilerItem& item = model.Item();
        const auto bytes = [&item](std::int64_t value) {
            return test::TByteWriter()
                .Int(item.BigEndian, static_cast<std::uint64_t>(value), item.Width)
                .Out;
        };
        if (const auto* integer = dynamic_cast<const TIntegerFieldModel*>(&model)) {
            const TIntegerLimits limits = integer->Limits();
            std::int64_t value =
                std::clamp(integer->Value() + std::int64_t{1}, limits.Low, limits.High);
            if (value == integer->Value()) --value;
            Type(name, QString::number(value));
            return bytes(value);
        }
        if (const auto* list = dynamic_cast<const TSelectFieldModel*>(&model)) {
            if (list->Items().size() < 2) return std::nullopt;
            const TSelectItem& other = list->Items()[list->Selected() == 0 ? 1 : 0];
            Choose(name, QString::fromStdString(other.Label));
            return bytes(other.Value);
        }
        if (dynamic_cast<const TBitFieldModel*>(&model) != nullptr) {
            Click(name);
            return Bytes{static_cast<Byte>(sample.at(static_cast<std::size_t>(item.Address)) ^
                                           (1u << item.Bit))};
        }
        ADD_FAILURE() << "no edit for this kind of field";
        return std::nullopt;
    }
};

TEST_F(ShippedFilers, Bitmap) {
    const Bytes sample = test::SampleBmp();
    OpenShipped(sample, "BMP.MVF");
    EXPECT_EQ(tool->windowTitle(), QStringLiteral("ビットマップ画像 (BMP) - ファイラーツール"));
    EXPECT_EQ(Fields(),
              OnPage(OnPage("ファイルヘッダ", {{"識別子", "BM"}, {"ファイルサイズ", "70"},
                                              {"予約領域 1", "0"}, {"予約領域 2", "0"},
                                              {"画像データの位置", "54"}}),
                     "情報ヘッダ",
                     {{"ヘッダサイズ", "40"}, {"幅", "2"}, {"高さ", "-2"}, {"プレーン数", "1"},
                      {"色深度", "24"}, {"圧縮形式", "0"}, {"画像データサイズ", "16"},
                      {"水平解像度 (画素/m)", "2835"}, {"垂直解像度 (画素/m)", "2835"},
                      {"使用色数", "0"}, {"重要色数", "0"}}));
    Type("情報ヘッダ/高さ", QStringLiteral("2"));
    ExpectOneUndoStep(sample, 22, {2, 0, 0, 0});
}

TEST_F(ShippedFilers, Wave) {
    const Bytes sample = test::SampleWav();
    OpenShipped(sample, "WAV.MVF");
    const Shown riff = OnPage("RIFF ヘッダ", {{"チャンク ID", "RIFF"}, {"チャンクサイズ", "40"},
                                             {"形式", "WAVE"}});
    const Shown fmt = OnPage(riff, "fmt チャンク",
                             {{"チャンク ID", "fmt"}, {"チャンクサイズ", "16"}, {"フォーマット", "1"},
                              {"チャンネル数", "2"}, {"サンプリング周波数 (Hz)", "44100"},
                              {"データ速度 (バイト/秒)", "176400"},
                              {"ブロックサイズ (バイト)", "4"}, {"量子化ビット数", "16"}});
    const Shown shown = Fields();
    ASSERT_EQ(shown.size(), 26u) << "the RIFX pages follow";
    EXPECT_EQ(Shown(shown.begin(), shown.begin() + 13),
              OnPage(fmt, "data チャンク", {{"チャンク ID", "data"}, {"チャンクサイズ", "4"}}));
    Type("fmt チャンク/サンプリング周波数 (Hz)", QStringLiteral("48000"));
    ExpectOneUndoStep(sample, 24, {0x80, 0xBB, 0, 0});
}

TEST_F(ShippedFilers, Png) {
    const Bytes sample = test::SamplePng();
    OpenShipped(sample, "PNG.MVF");
    const Shown signature =
        OnPage("シグネチャ", {{"先頭バイト (0x89)", "137"}, {"識別子", "PNG"},
                              {"改行 (0x0D0A)", "3338"}, {"EOF と改行 (0x1A0A)", "6666"}});
    EXPECT_EQ(Fields(), OnPage(signature, "IHDR チャンク",
                               {{"チャンク長", "13"}, {"チャンク名", "IHDR"}, {"幅", "1"},
                                {"高さ", "1"}, {"ビット深度", "8"},
                                {"カラータイプ", "グレースケール"}, {"圧縮方式", "deflate"},
                                {"フィルタ方式", "適応フィルタ"}, {"インターレース", "なし"},
                                {"CRC", "981375829"}}));
    Choose("IHDR チャンク/カラータイプ", QStringLiteral("トゥルーカラー (RGB)"));
    ExpectOneUndoStep(sample, 0x19, {2});
}

TEST_F(ShippedFilers, Zip) {
    const Bytes sample = test::SampleZip();
    OpenShipped(sample, "ZIP.MVF");
    const Shown header =
        OnPage("ヘッダ", {{"シグネチャ", "PK"}, {"展開に必要なバージョン", "20"},
                          {"圧縮方式", "0"}, {"更新時刻 (MS-DOS 形式)", "25692"},
                          {"更新日付 (MS-DOS 形式)", "22705"}, {"CRC-32", "907060870"},
                          {"圧縮後のサイズ", "5"}, {"圧縮前のサイズ", "5"},
                          {"ファイル名の長さ", "5"}, {"拡張フィールドの長さ", "0"}});
    EXPECT_EQ(Fields(), OnPage(header, "汎用フラグ",
                               {{"暗号化されている", "0"}, {"データディスクリプタを使う", "0"},
                                {"強力な暗号化", "0"}, {"ファイル名とコメントが UTF-8", "1"}}));
    Click("汎用フラグ/暗号化されている");
    ExpectOneUndoStep(sample, 6, {0x01, 0x08});
}

TEST_F(ShippedFilers, Elf64LittleEndian) {
    const Bytes sample = test::SampleElf(true, false);
    OpenShipped(sample, "ELF.MVF");
    EXPECT_EQ(Fields("識別子"),
              OnPage("識別子 (e_ident)",
                     {{"マジック (0x7F)", "127"}, {"マジック (ELF)", "ELF"},
                      {"クラス", "ELF64 (64 ビット)"}, {"データ形式", "リトルエンディアン"},
                      {"バージョン", "EV_CURRENT (1)"}, {"OS/ABI", "Linux"},
                      {"ABI バージョン", "0"}}));
    EXPECT_EQ(Fields("ELF64 リトル"),
              OnPage("ELF64 リトルエンディアン",
                     {{"種別 (e_type)", "ET_DYN (共有オブジェクト)"},
                      {"マシン (e_machine)", "x86-64"}, {"バージョン (e_version)", "1"},
                      {"エントリポイント (下位 32 ビット)", "305419896"},
                      {"エントリポイント (上位 32 ビット)", "21845"},
                      {"プログラムヘッダの位置 (下位)", "64"}, {"プログラムヘッダの位置 (上位)", "0"},
                      {"セクションヘッダの位置 (下位)", "573785173"},
                      {"セクションヘッダの位置 (上位)", "17"}, {"フラグ (e_flags)", "0"},
                      {"ELF ヘッダの大きさ (e_ehsize)", "64"},
                      {"プログラムヘッダ 1 個の大きさ", "56"}, {"プログラムヘッダの数 (e_phnum)", "2"},
                      {"セクションヘッダ 1 個の大きさ", "64"}, {"セクションヘッダの数 (e_shnum)", "7"},
                      {"セクション名の表の番号", "6"}}));
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
              OnPage("ELF32 ビッグエンディアン",
                     {{"種別 (e_type)", "ET_REL (再配置可能)"}, {"マシン (e_machine)", "MIPS"},
                      {"バージョン (e_version)", "1"}, {"エントリポイント (e_entry)", "134512756"},
                      {"プログラムヘッダの位置 (e_phoff)", "52"},
                      {"セクションヘッダの位置 (e_shoff)", "4660"},
                      {"フラグ (e_flags)", "1879052295"}, {"ELF ヘッダの大きさ (e_ehsize)", "52"},
                      {"プログラムヘッダ 1 個の大きさ", "32"}, {"プログラムヘッダの数 (e_phnum)", "2"},
                      {"セクションヘッダ 1 個の大きさ", "40"}, {"セクションヘッダの数 (e_shnum)", "7"},
                      {"セクション名の表の番号", "6"}}));
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

TEST_F(ShippedFilers, Jpeg) {
    const Bytes sample = QtJpeg();
    OpenShipped(sample, "JPEG.MVF");
    const Shown markers = OnPage("SOI と APP0", {{"SOI マーカ (0xFFD8)", "65496"},
                                                 {"APP0 マーカ (0xFFE0)", "65504"},
                                                 {"セグメント長", "16"}, {"識別子", "JFIF"}});
    EXPECT_EQ(Fields(), OnPage(markers, "JFIF",
                               {{"バージョン (上位)", "1"}, {"バージョン (下位)", "1"},
                                {"密度の単位", "ドット/インチ"}, {"水平方向の密度", "72"},
                                {"垂直方向の密度", "96"}, {"サムネイルの幅", "0"},
                                {"サムネイルの高さ", "0"}}));
    Choose("JFIF/密度の単位", QStringLiteral("ドット/センチメートル"));
    Type("JFIF/水平方向の密度", QStringLiteral("28"));
    ExpectOneUndoStep(sample, 13, {2, 0, 28});
}

// A sample, what some of its fields show, and the filer that reads it.
struct TSampleCase {
    const char* Name;
    const char* Filer;
    Bytes (*Make)();
    Shown Expected;
};

void PrintTo(const TSampleCase& sample, std::ostream* out) {
    *out << sample.Name;
}

class ShippedFilerSamples : public ShippedFilers,
                            public ::testing::WithParamInterface<TSampleCase> {};

TEST_P(ShippedFilerSamples, ApplyWritesOnlyTheFieldEdited) {
    const Bytes sample = GetParam().Make();
    OpenShipped(sample, GetParam().Filer);
    const Shown shown = Fields();
    for (const TShown& expected : GetParam().Expected)
        EXPECT_NE(std::ranges::find(shown, expected), shown.end()) << expected.first;
    EditEachField(sample);
}

const TSampleCase samples[] = {
    {"Bitmap", "BMP.MVF", [] { return test::SampleBmp(); }, {}},
    {"Os2BitmapArray",
     "BMP.MVF",
     test::SampleOs2Bitmap,
     {{"ファイルヘッダ/識別子", "BA"}, {"ファイルヘッダ/ファイルサイズ", "40"}}},
    {"Elf64LittleEndian", "ELF.MVF", [] { return test::SampleElf(true, false); }, {}},
    {"Elf64BigEndian", "ELF.MVF", [] { return test::SampleElf(true, true); }, {}},
    {"Elf32BigEndian",
     "ELF.MVF",
     [] { return test::SampleElf(false, true); },
     {{"識別子 (e_ident)/データ形式", "ビッグエンディアン"}}},
    {"Jfif", "JPEG.MVF", QtJpeg, {}},
    {"Exif",
     "JPEG.MVF",
     [] { return test::WithFirstSegment(QtJpeg(), 0xE1, test::ExifPayload()); },
     {{"SOI と APP0/APP0 マーカ (0xFFE0)", "65505"}, {"SOI と APP0/識別子", "Exif"}}},
    {"AdobeFirst",
     "JPEG.MVF",
     [] { return test::WithFirstSegment(QtJpeg(), 0xEE, test::AdobePayload()); },
     {{"SOI と APP0/APP0 マーカ (0xFFE0)", "65518"}, {"SOI と APP0/識別子", "Adobe"}}},
    {"Png", "PNG.MVF", test::SamplePng, {}},
    {"Riff", "WAV.MVF", [] { return test::SampleWav(); }, {}},
    {"Rifx",
     "WAV.MVF",
     [] { return test::SampleWav(true); },
     {{"RIFX ヘッダ/チャンク ID", "RIFX"},
      {"RIFX ヘッダ/チャンクサイズ", "40"},
      {"RIFX fmt チャンク/チャンネル数", "2"},
      {"RIFX fmt チャンク/サンプリング周波数 (Hz)", "44100"},
      {"RIFX fmt チャンク/量子化ビット数", "16"},
      {"RIFX data チャンク/チャンクサイズ", "4"}}},
    {"Rf64",
     "WAV.MVF",
     test::SampleRf64,
     {{"RIFF ヘッダ/チャンク ID", "RF64"}, {"RIFF ヘッダ/チャンクサイズ", "-1"}}},
    {"Zip", "ZIP.MVF", [] { return test::SampleZip(); }, {}},
    {"EmptyZip", "ZIP.MVF", test::SampleEmptyZip, {{"ヘッダ/シグネチャ", "PK"}}},
    {"SpannedZip",
     "ZIP.MVF",
     [] {
         return test::SampleZip({'P', 'K', 7, 8});
     },
     {{"ヘッダ/シグネチャ", "PK"}}},
    {"SelfExtractingZip",
     "ZIP.MVF",
     [] { return test::SampleZip(test::DosStub()); },
     {{"ヘッダ/シグネチャ", "MZ"}}},
};

INSTANTIATE_TEST_SUITE_P(Shipped, ShippedFilerSamples, ::testing::ValuesIn(samples),
                         [](const auto& info) { return std::string(info.param.Name); });

} // namespace
} // namespace mv
