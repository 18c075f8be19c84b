#include "core/filer/filer_browser.h"

#include "core/filer/filer_bounds.h"

#include "core/typedvalues/sjis_utf8.h"
#include "filer_fakes.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;

namespace mv {
namespace {

using TRow = std::tuple<TFilerEntryKind, std::string, std::string, std::string>;
constexpr auto Parent = TFilerEntryKind::Parent;
constexpr auto Folder = TFilerEntryKind::Folder;
constexpr auto Filer = TFilerEntryKind::Filer;

std::vector<TRow> Rows(const TFilerBrowser& browser) {
    std::vector<TRow> rows;
    for (const TFilerEntry& e : browser.Entries())
        rows.emplace_back(e.Kind, e.Name, e.Title, e.Author);
    return rows;
}

void Write(const std::string& path, const std::string& utf8) {
    const std::string bytes = Utf8ToShiftJis(utf8);
    std::ofstream(path, std::ios::binary) << bytes;
}

class FilerBrowser : public ::testing::Test {
protected:
    FilerBrowser() {
        fs::create_directories(root / "filer/sub");
        fs::create_directories(root / "filer/.hidden");
        Write(root / "filer/B.MVF", "#define title ビー\r\n");
        Write(root / "filer/a.mvf", "#DEFINE TITLE Sample\r\nLABEL(x)\r\n");
        Write(root / "filer/c.MVF.bak", "");
        Write(root / "filer/.d.MVF", "");
        Write(root / "filer/sub/s.MVF", "#DEFINE AUTHOR 私\n");
    }

    test::TTempFolder root;
    TFilerBrowser browser;
};

TEST_F(FilerBrowser, ListsFoldersThenFilersWithTheirHeaders) {
    EXPECT_EQ(browser.Enter({root / "filer/"}), "");
    EXPECT_EQ(browser.Folder(), root / "filer/");
    EXPECT_EQ(Rows(browser), (std::vector<TRow>{{Parent, "親ディレクトリ...", "", ""},
                                                {Folder, "sub", "", ""},
                                                {Filer, "a.mvf", "Sample", "(未定義)"},
                                                {Filer, "B.MVF", "ビー", "(未定義)"}}));
    EXPECT_EQ(browser.Entries()[2].Path, root / "filer/a.mvf");

    EXPECT_EQ(browser.EnterFolder("sub"), "");
    EXPECT_EQ(Rows(browser), (std::vector<TRow>{{Parent, "親ディレクトリ...", "", ""},
                                                {Filer, "s.MVF", "(未定義)", "私"}}));
}

// A folder that does not exist leaves the browser where it was.
TEST_F(FilerBrowser, AMissingFolderIsNamed) {
    TFilerBrowser fresh;
    EXPECT_EQ(fresh.Enter({root / "none"}), root / "none/ が見付かりません.");
    EXPECT_TRUE(fresh.Entries().empty());
    EXPECT_EQ(fresh.Folder(), "");
    ASSERT_EQ(browser.Enter({root / "filer"}), "");
    EXPECT_EQ(browser.Enter({root / "a", root / "b"}),
              root / "a/ が見付かりません.\r\n" + root / "b/ が見付かりません.");
    EXPECT_EQ(browser.Folder(), root / "filer/");
}

TEST_F(FilerBrowser, TheRootHasNoParent) {
    ASSERT_EQ(browser.Enter({"/"}), "");
    EXPECT_TRUE(browser.AtRoot());
    EXPECT_EQ(browser.Entries().at(0).Kind, Folder);
    EXPECT_EQ(browser.EnterParent(), "");
    EXPECT_EQ(browser.Folder(), "/");
}

// The user's filers over the shipped ones: one list, the user's filer of a shared name, merged
// sub-folders; the parent of the merged place is the user's folder's parent.
TEST_F(FilerBrowser, PlacesOfSeveralFoldersAreMerged) {
    fs::create_directories(root / "user/sub");
    fs::create_directories(root / "user/mine");
    Write(root / "user/B.MVF", "#DEFINE TITLE 自作\r\n");
    Write(root / "user/sub/t.MVF", "");
    ASSERT_EQ(browser.Enter({root / "user", root / "missing", root / "filer"}), "");
    EXPECT_EQ(browser.Folders(),
              (std::vector<std::string>{root / "user/", root / "filer/"}));
    EXPECT_EQ(Rows(browser), (std::vector<TRow>{{Parent, "親ディレクトリ...", "", ""},
                                                {Folder, "mine", "", ""},
                                                {Folder, "sub", "", ""},
                                                {Filer, "a.mvf", "Sample", "(未定義)"},
                                                {Filer, "B.MVF", "自作", "(未定義)"}}));
    EXPECT_EQ(browser.Entries()[4].Path, root / "user/B.MVF");
    ASSERT_EQ(browser.EnterFolder("sub"), "");
    EXPECT_EQ(browser.Entries().size(), 3u) << "t.MVF and s.MVF";
    ASSERT_EQ(browser.EnterParent(), "");
    EXPECT_EQ(browser.Entries().size(), 5u);
    ASSERT_EQ(browser.EnterParent(), "");
    EXPECT_EQ(browser.Folder(), root.Path() + "/");
}

// Only the start of a file is read for its header: huge files list at once, and a header that
// does not lie whole within that start counts as none.
TEST_F(FilerBrowser, HugeFilersListAtOnce) {
    constexpr off_t Huge = 400 << 20;
    const std::string straddling = "\n#DEFINE TITLE Straddling\n";
    const struct {
        std::string Name, Start;
        off_t Size;
        std::string End; // written at Size
        std::string Title;
    } files[] = {
        {"1.MVF", "#DEFINE TITLE Huge\r\n", Huge, "", "Huge"},
        {"2.MVF", "#DEFINE\r\n", Huge, "", "(未定義)"},
        {"3.MVF", "", Huge, "\n#DEFINE TITLE Late\n", "(未定義)"},
        {"4.MVF", "", static_cast<off_t>(MaxFilerBytes - 10), straddling, "(未定義)"},
        {"5.MVF", "", static_cast<off_t>(MaxFilerBytes - straddling.size()), straddling,
         "Straddling"},
    };
    fs::create_directories(root / "huge");
    std::vector<TRow> expected{{Parent, "親ディレクトリ...", "", ""}};
    for (const auto& f : files) {
        const std::string path = root / "huge/" + f.Name;
        Write(path, f.Start);
        fs::resize_file(path, static_cast<std::uintmax_t>(f.Size)); // sparse
        std::ofstream(path, std::ios::binary | std::ios::app) << f.End;
        expected.emplace_back(Filer, f.Name, f.Title, "(未定義)");
    }
    std::string warning;
    const test::TSpent spent = test::Spend([&] { warning = browser.Enter({root / "huge"}); });
    EXPECT_EQ(warning, "");
    EXPECT_EQ(Rows(browser), expected);
    EXPECT_LT(spent.Seconds, 1.0);
    EXPECT_LT(spent.ResidentGrowth, 64 << 20);
}

TEST_F(FilerBrowser, AnUnreadableFolderIsNamed) {
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    fs::permissions(root / "filer/sub", fs::perms::none);
    ASSERT_EQ(browser.Enter({root / "filer"}), "");
    EXPECT_EQ(browser.EnterFolder("sub"), root / "filer/sub/ を読み込めません.");
    EXPECT_EQ(browser.Folder(), root / "filer/");
    fs::permissions(root / "filer/sub", fs::perms::owner_all);
}

} // namespace
} // namespace mv
