#include "core/typedvalues/command_table.h"

#include "core/typedvalues/command_ids.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>

namespace mv {
namespace {

// In the order of the command list resource, which is not the order of the numbers: each
// group gathers related commands whatever their range.
constexpr auto Commands = std::to_array<TCommandEntry>({
    // カーソル移動
    {cmd::UP, "UP", "上", "一行上へ移動"},
    {cmd::DOWN, "DOWN", "下", "一行下へ移動"},
    {cmd::LEFT, "LEFT", "左", "8ビット分左へ移動"},
    {cmd::LEFTEX, "LEFTEX", "左4bit", "4ビット分左へ移動"},
    {cmd::RIGHT, "RIGHT", "右", "8ビット分右へ移動"},
    {cmd::RIGHTEX, "RIGHTEX", "右4bit", "4ビット分右へ移動"},
    {cmd::PAGEUP, "PAGEUP", "Pｱｯﾌﾟ", "ページアップ"},
    {cmd::PAGEDOWN, "PAGEDOWN", "Pﾀﾞｳﾝ", "ページダウン"},
    {cmd::UPSEL, "UPSEL", "上範", "一行上へ移動(範囲選択)"},
    {cmd::DOWNSEL, "DOWNSEL", "下範", "一行下へ移動(範囲選択)"},
    {cmd::LEFTSEL, "LEFTSEL", "左範", "8ビット分左へ移動(範囲選択)"},
    {cmd::LEFTEXSEL, "LEFTEXSEL", "左範4bit", "4ビット分左へ移動(範囲選択)"},
    {cmd::RIGHTSEL, "RIGHTSEL", "右", "8ビット分右へ移動(範囲選択)"},
    {cmd::RIGHTEXSEL, "RIGHTEXSEL", "右範4bit", "4ビット分右へ移動(範囲選択)"},
    {cmd::PAGEUPSEL, "PAGEUPSEL", "Pｱｯﾌﾟ範", "ページアップ(範囲選択)"},
    {cmd::PAGEDOWNSEL, "PAGEDOWNSEL", "Pﾀﾞｳﾝ範", "ページダウン(範囲選択)"},
    {cmd::UPHIGH, "UPHIGH", "上速", "一行上へ移動(高速)"},
    {cmd::DOWNHIGH, "DOWNHIGH", "下速", "一行下へ移動(高速)"},
    {cmd::LEFTHIGH, "LEFTHIGH", "左8bit速", "8ビット分左へ移動(高速)"},
    {cmd::RIGHTHIGH, "RIGHTHIGH", "右8bit速", "8ビット分右へ移動(高速)"},
    {cmd::PAGEUPHIGH, "PAGEUPHIGH", "Pｱｯﾌﾟ速", "ページアップ(高速)"},
    {cmd::PAGEDOWNHIGH, "PAGEDOWNHIGH", "Pﾀﾞｳﾝ速", "ページダウン(高速)"},
    // ジャンプ
    {cmd::FILETOP, "FILETOP", "先頭", "ファイルの先頭へジャンプ"},
    {cmd::FILEEND, "FILEEND", "末尾", "ファイルの末尾へジャンプ"},
    {cmd::PARATOP, "PARATOP", "行頭", "行の先頭へジャンプ"},
    {cmd::PARAEND, "PARAEND", "行末", "行の末尾へジャンプ"},
    {cmd::FILETOPSEL, "FILETOPSEL", "先頭範", "ファイルの先頭へジャンプ(範囲選択)"},
    {cmd::FILEENDSEL, "FILEENDSEL", "最後範", "ファイルの末尾へジャンプ(範囲選択)"},
    {cmd::PARATOPSEL, "PARATOPSEL", "行頭範", "行の先頭へジャンプ(範囲選択)"},
    {cmd::PARAENDSEL, "PARAENDSEL", "行末範", "行の末尾へジャンプ(範囲選択)"},
    // アドレスジャンプ
    {cmd::ADDRESSJUMP, "ADDRESSJUMP", "ｼﾞｬﾝﾌﾟ", "指定アドレスへジャンプ"},
    // 範囲選択
    {cmd::SELECT, "SELECT", "選択", "範囲選択の開始・終了"},
    {cmd::SELECTALL, "SELECTALL", "全選択", "ファイル全体を範囲選択"},
    {cmd::SELECTTOP, "SELECTTOP", "先頭選択", "ファイル先頭から範囲選択"},
    {cmd::SELECTEND, "SELECTEND", "末尾選択", "ファイル末尾から範囲選択"},
    {cmd::SELECTSWAP, "SELECTSWAP", "選択入替", "範囲選択位置とカーソル位置の入れ替え"},
    // 編集
    {cmd::CUT, "CUT", "切取", "クリップボードへコピーして削除"},
    {cmd::COPY, "COPY", "ｺﾋﾟｰ", "クリップボードへコピー"},
    {cmd::COPYSEL, "COPYSEL", "ｺﾋﾟｰ範", "クリップボードへコピーして範囲選択解除"},
    {cmd::PASTE, "PASTE", "張付", "クリップボードから張り付け"},
    {cmd::DELETE, "DELETE", "削除", "カーソル位置を削除"},
    {cmd::BACKSPACE, "BACKSPACE", "前方削除", "カーソル直前を削除"},
    // アンドゥ・リドゥ
    {cmd::UNDO, "UNDO", "元に戻す", "元に戻す"},
    {cmd::REDO, "REDO", "やり直し", "やり直す"},
    {cmd::HISTORYFLUSH, "HISTORYFLUSH", "履歴消", "履歴を消去"},
    // ファイル
    {cmd::NEW, "NEW", "新規", "新規作成"},
    {cmd::OPEN, "OPEN", "開く", "ファイルを開く"},
    {cmd::SAVE, "SAVE", "保存", "ファイルを保存"},
    {cmd::ALLSAVE, "ALLSAVE", "全保存", "全ファイルを保存"},
    {cmd::SAVEANOTHER, "SAVEANOTHER", "別名保", "別名で保存"},
    {cmd::SAVEREPRODUCT, "SAVEREPRODUCT", "複製保", "複製を保存"},
    {cmd::TEXTOUT, "TEXTOUT", "ﾃｷｽﾄ出力", "全体もしくは指定範囲をテキスト出力"},
    {cmd::CLOSE, "CLOSE", "終了", "ファイルの編集を終了"},
    {cmd::ALLCLOSE, "ALLCLOSE", "全終了", "全てのファイルの編集を終了"},
    {cmd::SAVECLOSE, "SAVECLOSE", "保存終", "ファイルを保存して終了"},
    {cmd::ALLSAVECLOSE, "ALLSAVECLOSE", "全保存終", "全てのファイルを保存して終了"},
    // 定型入力
    {cmd::INPUTINTEGER, "INPUTINTEGER", "整数入", "整数型定型入力"},
    {cmd::INPUTSTRING, "INPUTSTRING", "文字列入", "文字列型定型入力"},
    {cmd::INPUTCHAR, "INPUTCHAR", "文字入", "キャラクタ型定型入力"},
    // 演算
    {cmd::BITNOT, "BITNOT", "Bit反転", "ビットの真理値を反転"},
    {cmd::BITREVERSE, "BITREVERSE", "Bit逆転", "ビットの配置を逆転"},
    {cmd::BITROLLR, "BITROLLR", "Bit右ﾛｰﾙ", "ビットの配置を右に1ビットローテート"},
    {cmd::BITROLLL, "BITROLLL", "Bit左ﾛｰﾙ", "ビットの配置を左に1ビットローテート"},
    {cmd::BITROLL, "BITROLL", "Bitﾛｰﾙ", "ビットの配置をローテート"},
    {cmd::BYTEREVERSE, "BYTEREVERSE", "Byte逆転", "バイトの配置を逆転"},
    {cmd::BYTEROLLR, "BYTEROLLR", "Byte右ﾛｰﾙ", "バイトの配置を右に1バイトローテート"},
    {cmd::BYTEROLLL, "BYTEROLLL", "Byte左ﾛｰﾙ", "バイトの配置を左に1バイトローテート"},
    {cmd::BYTEROLL, "BYTEROLL", "Byteﾛｰﾙ", "バイトの配置をローテート"},
    {cmd::INTINC, "INTINC", "ｲﾝｸﾘﾒﾝﾄ", "インクリメント(+1)"},
    {cmd::INTDEC, "INTDEC", "ﾃﾞｸﾘﾒﾝﾄ", "デクリメント(-1)"},
    // 検索
    {cmd::SEARCH, "SEARCH", "検索", "検索"},
    {cmd::REPLACE, "REPLACE", "置換", "置換"},
    {cmd::SEARCHNEXT, "SEARCHNEXT", "下再検索", "下方向へ再検索"},
    {cmd::SEARCHPREV, "SEARCHPREV", "上再検索", "上方向へ再検索"},
    {cmd::COMPARENEXT, "COMPARENEXT", "下相違点", "下方向へ比較相違領域を検索"},
    {cmd::COMPAREPREV, "COMPAREPREV", "上相違点", "上方向へ比較相違領域を検索"},
    // 表示
    {cmd::VIEWTOOLBAR, "VIEWTOOLBAR", "ﾂｰﾙﾊﾞｰ", "ツールバー表示のON/OFF"},
    {cmd::VIEWFUNCTIONBAR, "VIEWFUNCTIONBAR", "ﾌｧﾝｸｼｮﾝﾊﾞｰ", "ファンクションバー表示のON/OFF"},
    {cmd::VIEWSTATUSBAR, "VIEWSTATUSBAR", "ｽﾃｰﾀｽﾊﾞｰ", "ステータスバー表示のON/OFF"},
    {cmd::VIEWINFORMATION, "VIEWINFORMATION", "情報ﾊﾟﾈﾙ", "情報パネル表示のON/OFF"},
    {cmd::VIEWCOMPARE, "VIEWCOMPARE", "大小ﾏｰｸ", "大小比較マーク表示のON/OFF"},
    {cmd::VIEWCARETMARKER, "VIEWCARETMARKER", "ｷｬﾚｯﾄﾏｰｶ", "キャレットマーカのON/OFF"},
    // 比較
    {cmd::COMPAREFILE, "COMPAREFILE", "ﾌｧｲﾙ比", "指定ファイルと比較"},
    {cmd::COMPAREWINDOW, "COMPAREWINDOW", "窓比", "別ウィンドウと比較"},
    {cmd::COMPAREPRESENT, "COMPAREPRESENT", "現状比", "ディスク上の現状と比較/現状のリロード"},
    {cmd::COMPAREQUIT, "COMPAREQUIT", "比解除", "比較解除"},
    // ウィンドウ
    {cmd::WINDOWNEXT, "WINDOWNEXT", "窓順次", "順次切り替え"},
    {cmd::WINDOWLIST, "WINDOWLIST", "窓選択", "ウィンドウ一覧"},
    {cmd::WINDOWJUSTIFY, "WINDOWJUSTIFY", "窓最適", "サイズの最適化"},
    {cmd::WINDOWJUSTIFYV, "WINDOWJUSTIFYV", "窓最適縦", "縦幅一杯に最適化"},
    // ツール
    {cmd::FILER, "FILER", "ﾌｧｲﾗｰ", "ファイラーツール"},
    {cmd::RELATIVEJUMP, "RELATIVEJUMP", "相対J", "相対ジャンプツール"},
    {cmd::PROBE, "PROBE", "ｲﾝｽﾍﾟｸﾀ", "データインスペクタ"},
    // ヘルプ
    {cmd::HELP, "HELP", "ﾍﾙﾌﾟ", "ヘルプ"},
    // メニュー
    {cmd::FILEMENU, "FILEMENU", "ﾌｧｲﾙM", "ファイルメニュー"},
    {cmd::EDITMENU, "EDITMENU", "編集M", "編集メニュー"},
    {cmd::INPUTMENU, "INPUTMENU", "定型入M", "定型入力メニュー"},
    {cmd::BITOPEMENU, "BITOPEMENU", "Bit演M", "ビット演算メニュー"},
    {cmd::BYTEOPEMENU, "BYTEOPEMENU", "Byte演M", "バイト演算メニュー"},
    {cmd::INTOPEMENU, "INTOPEMENU", "整数演M", "整数演算メニュー"},
    {cmd::SEARCHMENU, "SEARCHMENU", "検索M", "検索メニュー"},
    {cmd::VIEWMENU, "VIEWMENU", "表示M", "表示メニュー"},
    {cmd::CHECKSUMMENU, "CHECKSUMMENU", "CｻﾑM", "チェックサムメニュー"},
    {cmd::BYTEORDERMENU, "BYTEORDERMENU", "ByteｵｰﾀﾞM", "バイトオーダーメニュー"},
    {cmd::CHARASETMENU, "CHARASETMENU", "文字ｺｰﾄﾞM", "文字コードメニュー"},
    {cmd::COMPAREMENU, "COMPAREMENU", "比較M", "比較メニュー"},
    {cmd::WINDOWMENU, "WINDOWMENU", "窓M", "ウィンドウメニュー"},
    {cmd::TOOLMENU, "TOOLMENU", "ﾂｰﾙM", "ツールメニュー"},
    {cmd::HELPMENU, "HELPMENU", "ﾍﾙﾌﾟM", "ヘルプメニュー"},
    {cmd::SELECTFILEMENU, "SELECTFILEMENU", "ﾌｧｲﾙ選", "編集ファイルの選択メニュー"},
    {cmd::MENU, "MENU", "ﾒﾆｭｰﾊﾞｰ", "メニューバー"},
    {cmd::POPUPMENU, "POPUPMENU", "ﾎﾟｯﾌﾟｱｯﾌﾟ", "ポップアップメニューを表示"},
    // ユーザーメニュー
    {cmd::USERMENU1, "USERMENU1", "ﾕｰｻﾞﾒﾆｭｰ1", "ユーザーメニューセット(1)"},
    {cmd::USERMENU2, "USERMENU2", "ﾕｰｻﾞﾒﾆｭｰ2", "ユーザーメニューセット(2)"},
    {cmd::USERMENU3, "USERMENU3", "ﾕｰｻﾞﾒﾆｭｰ3", "ユーザーメニューセット(3)"},
    {cmd::USERMENU4, "USERMENU4", "ﾕｰｻﾞﾒﾆｭｰ4", "ユーザーメニューセット(4)"},
    {cmd::USERMENU5, "USERMENU5", "ﾕｰｻﾞﾒﾆｭｰ5", "ユーザーメニューセット(5)"},
    // 環境設定・動作モード
    {cmd::OPTION, "OPTION", "環境", "環境オプション"},
    {cmd::LUMPSETTING, "LUMPSETTING", "一括設定", "動作モードの一括設定"},
    {cmd::SHORTCUTMAINTE, "SHORTCUTMAINTE", "ｼｮｰﾄｶｯﾄ", "ショートカットメンテナンス"},
    {cmd::INPUTAREA, "INPUTAREA", "入力領域", "バイナリ、文字領域間で移動"},
    {cmd::INPUTMODE, "INPUTMODE", "挿入/上書", "挿入と上書の切り替え"},
    {cmd::EXPANDTENKEY, "EXPANDTENKEY", "拡ﾃﾝｷｰ", "拡張テンキーの有効/無効"},
    {cmd::CHARASET, "CHARASET", "ｷｬﾗｾｯﾄ", "表示キャラセットの変更"},
    {cmd::CHECKSUM, "CHECKSUM", "ﾁｪｯｸｻﾑ", "チェックサム形式の変更"},
    {cmd::CHECKSUMSIMPLE, "CHECKSUMSIMPLE", "単純ｻﾑ", "単純サム"},
    {cmd::CHECKSUMASCII, "CHECKSUMASCII", "ｱｽｷｰｻﾑ", "アスキー形式サム"},
    {cmd::BYTEORDERLITTLE, "BYTEORDERLITTLE", "ﾘﾄﾙｴﾝﾃﾞｨｱﾝ", "リトルエンディアン"},
    {cmd::BYTEORDERBIG, "BYTEORDERBIG", "ﾋﾞｯｸﾞｴﾝﾃﾞｨｱﾝ", "ビッグエンディアン"},
    {cmd::CHARASETASCII, "CHARASETASCII", "ASCII", "ASCIIコードで表示"},
    {cmd::CHARASETSJIS, "CHARASETSJIS", "ShiftJIS", "ShiftJISコードで表示"},
    {cmd::CHARASETJIS, "CHARASETJIS", "JIS", "JISコードで表示"},
    {cmd::CHARASETEUC, "CHARASETEUC", "EUC", "EUCコードで表示"},
    {cmd::CHARASETUTF8, "CHARASETUTF8", "UTF-8", "UTF-8コードで表示"},
    {cmd::CHARASETUTF16LE, "CHARASETUTF16LE", "UTF-16LE", "UTF-16LEコードで表示"},
    {cmd::CHARASETUTF16BE, "CHARASETUTF16BE", "UTF-16BE", "UTF-16BEコードで表示"},
    // その他
    {cmd::VERSION, "VERSION", "ﾊﾞｰｼﾞｮﾝ", "バージョン情報"},
    {cmd::WEBPAGECS, "WEBPAGECS", "CSｳｪﾌﾞ", "Corlith Software のウェブページ"},
    {cmd::WEBPAGE, "WEBPAGE", "MVｳｪﾌﾞ", "Morvane Prime のウェブページ"},
    {cmd::GARBAGE, "GARBAGE", "屑収集", "ガーベージコレクション"},
});
static_assert(Commands.size() == 140);

constexpr char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

constexpr bool LessIgnoringCase(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return AsciiUpper(x) < AsciiUpper(y);
    });
}

constexpr std::string_view NameOf(std::size_t at) {
    return Commands[at].Name;
}
constexpr CommandId IdOf(std::size_t at) {
    return Commands[at].Id;
}

// Positions in Commands ordered for binary search, built by the compiler.
using Order = std::array<std::uint8_t, Commands.size()>;

template <typename Less, typename Key> constexpr Order SortedOrder(Less less, Key key) {
    Order order{};
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<std::uint8_t>(i);
    std::ranges::sort(order, less, key);
    return order;
}

// Strictly ascending also proves the keys unique, so a lookup can never be ambiguous.
template <typename Less, typename Key>
constexpr bool StrictlyAscending(const Order& order, Less less, Key key) {
    return std::ranges::adjacent_find(order, [&](std::uint8_t a, std::uint8_t b) {
               return !less(key(a), key(b));
           }) == order.end();
}

constexpr Order ByName = SortedOrder(LessIgnoringCase, NameOf);
constexpr Order ById = SortedOrder(std::less<>{}, IdOf);
static_assert(StrictlyAscending(ByName, LessIgnoringCase, NameOf), "command names collide");
static_assert(StrictlyAscending(ById, std::less<>{}, IdOf), "command numbers collide");
static_assert(IdOf(ById.front()) > NoCommand);

} // namespace

std::span<const TCommandEntry> CommandTable() {
    return Commands;
}

CommandId CommandIdOf(std::string_view name) {
    const auto at = std::ranges::lower_bound(ByName, name, LessIgnoringCase, NameOf);
    if (at == ByName.end() || LessIgnoringCase(name, NameOf(*at))) return NoCommand;
    return IdOf(*at);
}

const TCommandEntry* CommandEntryOf(CommandId id) {
    const auto at = std::ranges::lower_bound(ById, id, std::less<>{}, IdOf);
    if (at == ById.end() || IdOf(*at) != id) return nullptr;
    return &Commands[*at];
}

} // namespace mv
