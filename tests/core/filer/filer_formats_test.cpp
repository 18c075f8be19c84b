// The filers shipped in the "filer" folder, run against sample files of their formats.
#include "core/filer/filer_analyzer.h"
#include "core/filer/filer_define.h"
#include "core/filer/filer_field.h"
#include "core/filer/filer_layout.h"
#include "core/typedvalues/sjis_utf8.h"

#include "filer_fakes.h"
#include "sample_files.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace mv {
namespace {

using Bytes = std::vector<Byte>;

// A shipped filer loaded as the tool window will load it, with a probe for every field.
class TShippedFiler {
public:
    explicit TShippedFiler(const std::string& name) : path_(std::string(MV_FILER_DIR "/") + name) {
        const TAnalyzeError result = AnalyzeFiler(path_, initialize_, edit_, finalize_);
        EXPECT_FALSE(result.IsError) << name << " line " << result.Line << ": " << result.Message
                                     << " (file error " << result.FileError << ")";
        Layout = BuildFilerLayout(edit_);
        for (const TFilerPage& page : Layout.Pages) {
            for (const TFilerItem& item : page.Items) {
                if (item.Kind == TFilerItemKind::Label || item.Kind == TFilerItemKind::Message ||
                    item.Kind == TFilerItemKind::HorizontalRule)
                    continue;
                probes_.push_back({ShiftJisToUtf8(page.Name) + "/" + ShiftJisToUtf8(item.Caption),
                                   std::make_unique<test::TProbeField>(item)});
                fields_.push_back(probes_.back().Field.get());
            }
        }
    }

    // The field with the caption on the page, both in UTF-8.
    test::TProbeField& Field(const std::string& page, const std::string& caption) {
        for (auto& probe : probes_)
            if (probe.Key == page + "/" + caption) return *probe.Field;
        ADD_FAILURE() << "no field " << page << "/" << caption;
        static test::TProbeField none{TFilerItem{}};
        return none;
    }
    std::int32_t Value(const std::string& page, const std::string& caption) {
        return Field(page, caption).Value;
    }
    std::string Text(const std::string& page, const std::string& caption) {
        return Field(page, caption).Text;
    }

    void Read(TFilerTarget& target) { ReadFilerFields(target, host_, initialize_, fields_); }
    void Write(TFilerTarget& target) {
        EXPECT_TRUE(WriteFilerFields(target, host_, finalize_, fields_));
    }

    [[nodiscard]] TFilerDefine Define() const {
        TFilerDefine define;
        EXPECT_TRUE(ReadFilerDefine(path_, define));
        return define;
    }

    TFilerLayout Layout;

private:
    struct TProbe {
        std::string Key;
        std::unique_ptr<test::TProbeField> Field;
    };
    std::string path_;
    TFilerCommands initialize_, edit_, finalize_;
    std::vector<TProbe> probes_;
    std::vector<TFilerField*> fields_;
    test::TScriptedHost host_; // any dialog would fail the test: the runs must succeed
};

// What every shipped filer offers, and that reading and applying it unchanged leaves a
// well-formed file as it was.
void ExpectWellFormed(TShippedFiler& filer, const Bytes& sample) {
    const TFilerDefine define = filer.Define();
    EXPECT_FALSE(define.Title.empty());
    EXPECT_FALSE(define.Author.empty());
    EXPECT_TRUE(filer.Layout.Title.has_value());
    EXPECT_GE(filer.Layout.Pages.size(), 2u);
    bool hasOptions = false;
    for (const TFilerPage& page : filer.Layout.Pages)
        for (const TFilerItem& item : page.Items)
            hasOptions |= !item.Options.empty();
    EXPECT_TRUE(hasOptions);

    test::TVectorTarget target(sample);
    filer.Read(target);
    filer.Write(target);
    EXPECT_EQ(target.Bytes, sample);
}

TEST(ShippedFilers, Bmp) {
    TShippedFiler filer("BMP.MVF");
    ExpectWellFormed(filer, test::SampleBmp());
    test::TVectorTarget target(test::SampleBmp());
    filer.Read(target);
    const std::string info = "情報ヘッダ";
    EXPECT_EQ(filer.Text("ファイルヘッダ", "識別子"), "BM");
    EXPECT_EQ(filer.Value(info, "高さ"), -2);
    EXPECT_EQ(filer.Value(info, "色深度"), 24);

    target.Bytes[0] = 'X';
    filer.Field(info, "高さ").Value = 2;
    filer.Write(target);
    EXPECT_EQ(Bytes(target.Bytes.begin() + 22, target.Bytes.begin() + 26), (Bytes{2, 0, 0, 0}));
    EXPECT_EQ(target.Bytes[0], 'B') << "the finalization rewrites the signature";
}

TEST(ShippedFilers, Wav) {
    TShippedFiler filer("WAV.MVF");
    ExpectWellFormed(filer, test::SampleWav());
    test::TVectorTarget target(test::SampleWav());
    filer.Read(target);
    const std::string fmt = "fmt チャンク";
    EXPECT_EQ(filer.Value(fmt, "チャンネル数"), 2);
    EXPECT_EQ(filer.Value(fmt, "サンプリング周波数 (Hz)"), 44100);
    EXPECT_EQ(filer.Value("data チャンク", "チャンクサイズ"), 4);

    filer.Field(fmt, "サンプリング周波数 (Hz)").Value = 48000;
    filer.Write(target);
    EXPECT_EQ(Bytes(target.Bytes.begin() + 24, target.Bytes.begin() + 28),
              (Bytes{0x80, 0xBB, 0, 0}));
}

TEST(ShippedFilers, Png) {
    TShippedFiler filer("PNG.MVF");
    const Bytes sample = test::SamplePng();
    ExpectWellFormed(filer, sample);
    test::TVectorTarget target(sample);
    filer.Read(target);
    const std::string header = "IHDR チャンク";
    EXPECT_EQ(filer.Value("シグネチャ", "改行 (0x0D0A)"), 0x0D0A);
    EXPECT_EQ(filer.Value(header, "幅"), 1);
    EXPECT_EQ(static_cast<std::uint32_t>(filer.Value(header, "CRC")),
              test::Crc32(std::span(sample).subspan(12, 17)));

    std::fill_n(target.Bytes.begin(), 16, Byte{0});
    filer.Field(header, "幅").Value = 640;
    filer.Write(target);
    EXPECT_EQ(Bytes(target.Bytes.begin(), target.Bytes.begin() + 8),
              Bytes(sample.begin(), sample.begin() + 8));
    EXPECT_EQ(Bytes(target.Bytes.begin() + 12, target.Bytes.begin() + 20),
              (Bytes{'I', 'H', 'D', 'R', 0, 0, 0x02, 0x80}));
}

TEST(ShippedFilers, Zip) {
    TShippedFiler filer("ZIP.MVF");
    ExpectWellFormed(filer, test::SampleZip());
    test::TVectorTarget target(test::SampleZip());
    filer.Read(target);
    const std::string header = "ヘッダ", flags = "汎用フラグ";
    EXPECT_EQ(filer.Value(header, "更新時刻 (MS-DOS 形式)"), (12 << 11) | (34 << 5) | 28);
    EXPECT_EQ(filer.Value(header, "CRC-32"), 0x3610A686);
    EXPECT_EQ(filer.Value(flags, "ファイル名とコメントが UTF-8"), 1);

    filer.Field(flags, "暗号化されている").Value = 1;
    filer.Field(header, "圧縮方式").Value = 8;
    target.Bytes[2] = 0;
    filer.Write(target);
    EXPECT_EQ(Bytes(target.Bytes.begin(), target.Bytes.begin() + 10),
              (Bytes{'P', 'K', 3, 4, 20, 0, 0x01, 0x08, 8, 0}));
}

} // namespace
} // namespace mv
