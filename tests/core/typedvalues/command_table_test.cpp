#include "core/typedvalues/command_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <tuple>

namespace mv {
namespace {

// The commands as the command list, the key page and the function-key bar know them: number,
// name, short label and description, in the list's order. Each is found by its name in any
// case and by its number.
TEST(CommandTable, HoldsEveryCommandInTheListsOrder) {
    const TCommandEntry expected[] = {
        {10001, "UP", "上", "一行上へ移動"},
        {10002, "DOWN", "下", "一行下へ移動"},
        {10003, "LEFT", "左", "8ビット分左へ移動"},
        {10004, "LEFTEX", "左4bit", "4ビット分左へ移動"},
        {10005, "RIGHT", "右", "8ビット分右へ移動"},
        {10006, "RIGHTEX", "右4bit", "4ビット分右へ移動"},
        {10007, "PAGEUP", "Pｱｯﾌﾟ", "ページアップ"},
        {10008, "PAGEDOWN", "Pﾀﾞｳﾝ", "ページダウン"},
        {11001, "UPSEL", "上範", "一行上へ移動(範囲選択)"},
        {11002, "DOWNSEL", "下範", "一行下へ移動(範囲選択)"},
        {11003, "LEFTSEL", "左範", "8ビット分左へ移動(範囲選択)"},
        {11004, "LEFTEXSEL", "左範4bit", "4ビット分左へ移動(範囲選択)"},
        {11005, "RIGHTSEL", "右", "8ビット分右へ移動(範囲選択)"},
        {11006, "RIGHTEXSEL", "右範4bit", "4ビット分右へ移動(範囲選択)"},
        {11007, "PAGEUPSEL", "Pｱｯﾌﾟ範", "ページアップ(範囲選択)"},
        {11008, "PAGEDOWNSEL", "Pﾀﾞｳﾝ範", "ページダウン(範囲選択)"},
        {10101, "UPHIGH", "上速", "一行上へ移動(高速)"},
        {10102, "DOWNHIGH", "下速", "一行下へ移動(高速)"},
        {10103, "LEFTHIGH", "左8bit速", "8ビット分左へ移動(高速)"},
        {10104, "RIGHTHIGH", "右8bit速", "8ビット分右へ移動(高速)"},
        {10105, "PAGEUPHIGH", "Pｱｯﾌﾟ速", "ページアップ(高速)"},
        {10106, "PAGEDOWNHIGH", "Pﾀﾞｳﾝ速", "ページダウン(高速)"},
        {12001, "FILETOP", "先頭", "ファイルの先頭へジャンプ"},
        {12002, "FILEEND", "末尾", "ファイルの末尾へジャンプ"},
        {12003, "PARATOP", "行頭", "行の先頭へジャンプ"},
        {12004, "PARAEND", "行末", "行の末尾へジャンプ"},
        {13001, "FILETOPSEL", "先頭範", "ファイルの先頭へジャンプ(範囲選択)"},
        {13002, "FILEENDSEL", "最後範", "ファイルの末尾へジャンプ(範囲選択)"},
        {13003, "PARATOPSEL", "行頭範", "行の先頭へジャンプ(範囲選択)"},
        {13004, "PARAENDSEL", "行末範", "行の末尾へジャンプ(範囲選択)"},
        {92007, "ADDRESSJUMP", "ｼﾞｬﾝﾌﾟ", "指定アドレスへジャンプ"},
        {14001, "SELECT", "選択", "範囲選択の開始・終了"},
        {14002, "SELECTALL", "全選択", "ファイル全体を範囲選択"},
        {14003, "SELECTTOP", "先頭選択", "ファイル先頭から範囲選択"},
        {14004, "SELECTEND", "末尾選択", "ファイル末尾から範囲選択"},
        {14005, "SELECTSWAP", "選択入替", "範囲選択位置とカーソル位置の入れ替え"},
        {15001, "CUT", "切取", "クリップボードへコピーして削除"},
        {15002, "COPY", "ｺﾋﾟｰ", "クリップボードへコピー"},
        {15003, "COPYSEL", "ｺﾋﾟｰ範", "クリップボードへコピーして範囲選択解除"},
        {15004, "PASTE", "張付", "クリップボードから張り付け"},
        {15005, "DELETE", "削除", "カーソル位置を削除"},
        {15006, "BACKSPACE", "前方削除", "カーソル直前を削除"},
        {16001, "UNDO", "元に戻す", "元に戻す"},
        {16002, "REDO", "やり直し", "やり直す"},
        {91001, "HISTORYFLUSH", "履歴消", "履歴を消去"},
        {90001, "NEW", "新規", "新規作成"},
        {90002, "OPEN", "開く", "ファイルを開く"},
        {90003, "SAVE", "保存", "ファイルを保存"},
        {90004, "ALLSAVE", "全保存", "全ファイルを保存"},
        {90005, "SAVEANOTHER", "別名保", "別名で保存"},
        {90006, "SAVEREPRODUCT", "複製保", "複製を保存"},
        {90011, "TEXTOUT", "ﾃｷｽﾄ出力", "全体もしくは指定範囲をテキスト出力"},
        {90007, "CLOSE", "終了", "ファイルの編集を終了"},
        {90008, "ALLCLOSE", "全終了", "全てのファイルの編集を終了"},
        {90009, "SAVECLOSE", "保存終", "ファイルを保存して終了"},
        {90010, "ALLSAVECLOSE", "全保存終", "全てのファイルを保存して終了"},
        {91101, "INPUTINTEGER", "整数入", "整数型定型入力"},
        {91102, "INPUTSTRING", "文字列入", "文字列型定型入力"},
        {91103, "INPUTCHAR", "文字入", "キャラクタ型定型入力"},
        {91201, "BITNOT", "Bit反転", "ビットの真理値を反転"},
        {91202, "BITREVERSE", "Bit逆転", "ビットの配置を逆転"},
        {91203, "BITROLLR", "Bit右ﾛｰﾙ", "ビットの配置を右に1ビットローテート"},
        {91204, "BITROLLL", "Bit左ﾛｰﾙ", "ビットの配置を左に1ビットローテート"},
        {91205, "BITROLL", "Bitﾛｰﾙ", "ビットの配置をローテート"},
        {91302, "BYTEREVERSE", "Byte逆転", "バイトの配置を逆転"},
        {91303, "BYTEROLLR", "Byte右ﾛｰﾙ", "バイトの配置を右に1バイトローテート"},
        {91304, "BYTEROLLL", "Byte左ﾛｰﾙ", "バイトの配置を左に1バイトローテート"},
        {91305, "BYTEROLL", "Byteﾛｰﾙ", "バイトの配置をローテート"},
        {91401, "INTINC", "ｲﾝｸﾘﾒﾝﾄ", "インクリメント(+1)"},
        {91402, "INTDEC", "ﾃﾞｸﾘﾒﾝﾄ", "デクリメント(-1)"},
        {92001, "SEARCH", "検索", "検索"},
        {92002, "REPLACE", "置換", "置換"},
        {92003, "SEARCHNEXT", "下再検索", "下方向へ再検索"},
        {92004, "SEARCHPREV", "上再検索", "上方向へ再検索"},
        {92005, "COMPARENEXT", "下相違点", "下方向へ比較相違領域を検索"},
        {92006, "COMPAREPREV", "上相違点", "上方向へ比較相違領域を検索"},
        {93001, "VIEWTOOLBAR", "ﾂｰﾙﾊﾞｰ", "ツールバー表示のON/OFF"},
        {93002, "VIEWFUNCTIONBAR", "ﾌｧﾝｸｼｮﾝﾊﾞｰ", "ファンクションバー表示のON/OFF"},
        {93003, "VIEWSTATUSBAR", "ｽﾃｰﾀｽﾊﾞｰ", "ステータスバー表示のON/OFF"},
        {93004, "VIEWINFORMATION", "情報ﾊﾟﾈﾙ", "情報パネル表示のON/OFF"},
        {93005, "VIEWCOMPARE", "大小ﾏｰｸ", "大小比較マーク表示のON/OFF"},
        {93006, "VIEWCARETMARKER", "ｷｬﾚｯﾄﾏｰｶ", "キャレットマーカのON/OFF"},
        {94001, "COMPAREFILE", "ﾌｧｲﾙ比", "指定ファイルと比較"},
        {94002, "COMPAREWINDOW", "窓比", "別ウィンドウと比較"},
        {94003, "COMPAREPRESENT", "現状比", "ディスク上の現状と比較/現状のリロード"},
        {94004, "COMPAREQUIT", "比解除", "比較解除"},
        {95001, "WINDOWNEXT", "窓順次", "順次切り替え"},
        {95002, "WINDOWLIST", "窓選択", "ウィンドウ一覧"},
        {95003, "WINDOWJUSTIFY", "窓最適", "サイズの最適化"},
        {95004, "WINDOWJUSTIFYV", "窓最適縦", "縦幅一杯に最適化"},
        {96004, "FILER", "ﾌｧｲﾗｰ", "ファイラーツール"},
        {96005, "RELATIVEJUMP", "相対J", "相対ジャンプツール"},
        {97001, "HELP", "ﾍﾙﾌﾟ", "ヘルプ"},
        {90000, "FILEMENU", "ﾌｧｲﾙM", "ファイルメニュー"},
        {91000, "EDITMENU", "編集M", "編集メニュー"},
        {91100, "INPUTMENU", "定型入M", "定型入力メニュー"},
        {91200, "BITOPEMENU", "Bit演M", "ビット演算メニュー"},
        {91300, "BYTEOPEMENU", "Byte演M", "バイト演算メニュー"},
        {91400, "INTOPEMENU", "整数演M", "整数演算メニュー"},
        {92000, "SEARCHMENU", "検索M", "検索メニュー"},
        {93000, "VIEWMENU", "表示M", "表示メニュー"},
        {93100, "CHECKSUMMENU", "CｻﾑM", "チェックサムメニュー"},
        {93200, "BYTEORDERMENU", "ByteｵｰﾀﾞM", "バイトオーダーメニュー"},
        {93300, "CHARASETMENU", "文字ｺｰﾄﾞM", "文字コードメニュー"},
        {94000, "COMPAREMENU", "比較M", "比較メニュー"},
        {95000, "WINDOWMENU", "窓M", "ウィンドウメニュー"},
        {96000, "TOOLMENU", "ﾂｰﾙM", "ツールメニュー"},
        {97000, "HELPMENU", "ﾍﾙﾌﾟM", "ヘルプメニュー"},
        {98001, "SELECTFILEMENU", "ﾌｧｲﾙ選", "編集ファイルの選択メニュー"},
        {99999, "MENU", "ﾒﾆｭｰﾊﾞｰ", "メニューバー"},
        {40001, "POPUPMENU", "ﾎﾟｯﾌﾟｱｯﾌﾟ", "ポップアップメニューを表示"},
        {18001, "USERMENU1", "ﾕｰｻﾞﾒﾆｭｰ1", "ユーザーメニューセット(1)"},
        {18002, "USERMENU2", "ﾕｰｻﾞﾒﾆｭｰ2", "ユーザーメニューセット(2)"},
        {18003, "USERMENU3", "ﾕｰｻﾞﾒﾆｭｰ3", "ユーザーメニューセット(3)"},
        {18004, "USERMENU4", "ﾕｰｻﾞﾒﾆｭｰ4", "ユーザーメニューセット(4)"},
        {18005, "USERMENU5", "ﾕｰｻﾞﾒﾆｭｰ5", "ユーザーメニューセット(5)"},
        {96001, "OPTION", "環境", "環境オプション"},
        {96002, "LUMPSETTING", "一括設定", "動作モードの一括設定"},
        {96003, "SHORTCUTMAINTE", "ｼｮｰﾄｶｯﾄ", "ショートカットメンテナンス"},
        {17001, "INPUTAREA", "入力領域", "バイナリ、文字領域間で移動"},
        {17002, "INPUTMODE", "挿入/上書", "挿入と上書の切り替え"},
        {17004, "EXPANDTENKEY", "拡ﾃﾝｷｰ", "拡張テンキーの有効/無効"},
        {17003, "CHARASET", "ｷｬﾗｾｯﾄ", "表示キャラセットの変更"},
        {17005, "CHECKSUM", "ﾁｪｯｸｻﾑ", "チェックサム形式の変更"},
        {93101, "CHECKSUMSIMPLE", "単純ｻﾑ", "単純サム"},
        {93102, "CHECKSUMASCII", "ｱｽｷｰｻﾑ", "アスキー形式サム"},
        {93201, "BYTEORDERLITTLE", "ﾘﾄﾙｴﾝﾃﾞｨｱﾝ", "リトルエンディアン"},
        {93202, "BYTEORDERBIG", "ﾋﾞｯｸﾞｴﾝﾃﾞｨｱﾝ", "ビッグエンディアン"},
        {93301, "CHARASETASCII", "ASCII", "ASCIIコードで表示"},
        {93302, "CHARASETSJIS", "ShiftJIS", "ShiftJISコードで表示"},
        {93303, "CHARASETJIS", "JIS", "JISコードで表示"},
        {93304, "CHARASETEUC", "EUC", "EUCコードで表示"},
        {97004, "VERSION", "ﾊﾞｰｼﾞｮﾝ", "バージョン情報"},
        {97002, "WEBPAGECS", "CSｳｪﾌﾞ", "Corlith Software のウェブページ"},
        {97003, "WEBPAGE", "MVｳｪﾌﾞ", "Morvane Prime のウェブページ"},
        {96006, "GARBAGE", "屑収集", "ガーベージコレクション"},
    };
    ASSERT_EQ(CommandTable().size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const TCommandEntry& entry = CommandTable()[i];
        const TCommandEntry& wanted = expected[i];
        EXPECT_EQ(std::tie(entry.Id, entry.Name, entry.ShortLabel, entry.Description),
                  std::tie(wanted.Id, wanted.Name, wanted.ShortLabel, wanted.Description));
        std::string lower(wanted.Name);
        std::ranges::transform(lower, lower.begin(), [](char c) {
            return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        });
        EXPECT_EQ(CommandIdOf(lower), wanted.Id) << lower;
        EXPECT_EQ(CommandEntryOf(wanted.Id), &entry) << wanted.Id;
    }
    EXPECT_EQ(CommandIdOf("UPP"), NoCommand);
    EXPECT_EQ(CommandEntryOf(10000), nullptr);
}

} // namespace
} // namespace mv
