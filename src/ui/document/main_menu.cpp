#include "ui/document/main_menu.h"

#include "core/document/chara_set_items.h"
#include "core/typedvalues/command_ids.h"

#include <QtGui/QActionGroup>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QProxyStyle>
#include <QtWidgets/QStyleOptionMenuItem>

namespace mv {

using namespace cmd;

namespace {

// Alt pressed and released alone lights the menu bar's first menu without opening it, the
// keyboard's way into the menus on the desktop the key table comes from, whatever the style
// the desktop chose; the MENU command takes the same way. Styles that light an item only while
// its menu is open would leave the user no sign of where the keys now go.
class TKeyboardMenuBarStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_MenuBar_AltKeyNavigation) return 1;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        if (element == CE_MenuBarItem && item != nullptr && (item->state & State_Selected)) {
            QStyleOptionMenuItem lit = *item;
            lit.state |= State_Sunken;
            return QProxyStyle::drawControl(element, &lit, painter, widget);
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }
};

} // namespace

TMainMenu::TMainMenu(QMenuBar* bar) : QObject(bar) {
    auto* style = new TKeyboardMenuBarStyle;
    style->setParent(bar);
    bar->setStyle(style);
    BuildFile(bar);
    BuildEdit(bar);
    BuildSearch(bar);
    BuildView(bar);
    BuildCompare(bar);
    BuildWindow(bar);
    BuildTool(bar);
    BuildHelp(bar);
}

void TMainMenu::BuildFile(QMenuBar* bar) {
    QMenu* file = AddMenu(bar, "MM_File", "ファイル(&F)", FILEMENU);
    AddItem(file, "MM_NewFile", "新規作成(&N)", NEW);
    AddItem(file, "MM_OpenFile", "開く(&O)", OPEN);
    AddSubmenu(file, "MM_OpenHistory", "ファイル履歴から開く(&P)", NoCommand);
    AddItem(file, "MM_Reload", "再読み込み(&R)");
    AddSeparator(file, "MM_FileSepa01");
    AddItem(file, "MM_SaveFile", "上書き保存(&S)", SAVE);
    AddItem(file, "MM_SaveAllFile", "全て保存(&A)", ALLSAVE);
    AddItem(file, "MM_SaveAnotherName", "別名で保存(&A)", SAVEANOTHER);
    AddItem(file, "MM_SaveReproduction", "複製を保存(&C)", SAVEREPRODUCT);
    AddSeparator(file, "MM_FileSepa02");
    AddItem(file, "MM_TextOutPut", "テキスト形式で出力(&T)", TEXTOUT);
    AddSeparator(file, "MM_FileSepa03");
    AddItem(file, "MM_Close", "閉じる(&Q)", CLOSE);
    AddItem(file, "MM_AllClose", "全て閉じる(&X)", ALLCLOSE);
    AddSeparator(file, "MM_FileSepa04");
    AddItem(file, "MM_SaveClose", "保存して閉じる(&E)", SAVECLOSE);
    AddItem(file, "MM_SaveAllClose", "全て保存して閉じる(&W)", ALLSAVECLOSE);
}

void TMainMenu::BuildEdit(QMenuBar* bar) {
    QMenu* edit = AddMenu(bar, "MM_Edit", "編集(&E)", EDITMENU);
    AddItem(edit, "MM_Undo", "元に戻す(&U)", UNDO);
    AddItem(edit, "MM_Redo", "やり直し(&R)", REDO);
    AddSeparator(edit, "MM_EditSepa01");
    AddItem(edit, "MM_Cut", "切り取り(&X)", CUT);
    AddItem(edit, "MM_Copy", "コピー(&C)", COPY);
    AddItem(edit, "MM_Paste", "張り付け(&V)", PASTE);
    AddItem(edit, "MM_Delete", "削除(&D)", DELETE);
    AddItem(edit, "MM_SelectAll", "全て選択(&A)", SELECTALL);
    AddSeparator(edit, "MM_EditSepa02");
    QMenu* input = AddSubmenu(edit, "MM_Input", "定型入力(&I)", INPUTMENU);
    AddItem(input, "MM_InputInt", "整数型(&I)...", INPUTINTEGER);
    AddItem(input, "MM_InputStr", "文字列型(&S)...", INPUTSTRING);
    AddItem(input, "MM_InputChar", "キャラクタ型(&C)...", INPUTCHAR);
    AddSeparator(edit, "MM_EditSepa03");
    QMenu* bits = AddSubmenu(edit, "MM_BitOperate", "ビット演算(&B)", BITOPEMENU);
    AddItem(bits, "MM_BitNot", "ビット反転(&N)", BITNOT);
    AddItem(bits, "MM_BitReverse", "ビット配置逆転(&A)", BITREVERSE);
    AddItem(bits, "MM_BitRollRight", "右方向 1 ビットローテート(&R)", BITROLLR);
    AddItem(bits, "MM_BitRollLeft", "左方向 1 ビットローテート(&L)", BITROLLL);
    AddItem(bits, "MM_BitRoll", "n ビットローテート(&B)...", BITROLL);
    QMenu* bytes = AddSubmenu(edit, "MM_ByteOperate", "バイト演算(&Y)", BYTEOPEMENU);
    AddItem(bytes, "MM_ByteReverse", "バイト配置逆転(&A)", BYTEREVERSE);
    AddItem(bytes, "MM_ByteRollRight", "右方向 1 バイトローテート(&R)", BYTEROLLR);
    AddItem(bytes, "MM_ByteRollLeft", "左方向 1 バイトローテート(&L)", BYTEROLLL);
    AddItem(bytes, "MM_ByteRoll", "n バイトローテート(&R)...", BYTEROLL);
    QMenu* integers = AddSubmenu(edit, "MM_IntOperate", "整数演算(&I)", INTOPEMENU);
    AddItem(integers, "MM_IntInc", "インクリメント(&I)", INTINC);
    AddItem(integers, "MM_IntDec", "デクリメント(&D)", INTDEC);
    AddSeparator(edit, "MM_EditSepa04");
    AddItem(edit, "MM_HistoryFlush", "作業履歴を消去(&F)", HISTORYFLUSH);
}

void TMainMenu::BuildSearch(QMenuBar* bar) {
    QMenu* search = AddMenu(bar, "MM_Search", "検索(&S)", SEARCHMENU);
    AddItem(search, "MM_SearchData", "検索(&F)...", SEARCH);
    AddItem(search, "MM_ReplaceData", "置換(&R)...", REPLACE);
    AddItem(search, "MM_SearchPrev", "上方向へ再検索(&P)", SEARCHPREV);
    AddItem(search, "MM_SearchNext", "下方向へ再検索(&N)", SEARCHNEXT);
    AddSeparator(search, "MM_SearchSepa01");
    AddItem(search, "MM_ComparePrev", "上方向へ相違領域検索(&B)", COMPAREPREV);
    AddItem(search, "MM_CompareNext", "下方向へ相違領域検索(&C)", COMPARENEXT);
    AddSeparator(search, "MM_SearchSepa02");
    AddItem(search, "MM_FileTop", "ファイルの先頭(&T)", FILETOP);
    AddItem(search, "MM_FileEnd", "ファイルの末尾(&E)", FILEEND);
    AddItem(search, "MM_AddressJump", "アドレスジャンプ(&J)...", ADDRESSJUMP);
}

void TMainMenu::BuildView(QMenuBar* bar) {
    QMenu* view = AddMenu(bar, "MM_View", "表示(&V)", VIEWMENU);
    QMenu* checkSum = AddSubmenu(view, "MM_CheckSum", "チェックサム形式(&C)", CHECKSUMMENU);
    auto* checkSums = new QActionGroup(this);
    AddCheckItem(checkSum, "MM_CheckSumSimple", "単純サム(&S)", CHECKSUMSIMPLE, checkSums);
    AddCheckItem(checkSum, "MM_CheckSumAscii", "アスキー形式サム(&A)", CHECKSUMASCII, checkSums);
    QMenu* byteOrder = AddSubmenu(view, "MM_ByteOrder", "バイトオーダー(&O)", BYTEORDERMENU);
    auto* orders = new QActionGroup(this);
    AddCheckItem(byteOrder, "MM_LittleEndian", "リトルエンディアン(&L)", BYTEORDERLITTLE, orders);
    AddCheckItem(byteOrder, "MM_BigEndian", "ビッグエンディアン(&B)", BYTEORDERBIG, orders);
    QMenu* charaSet = AddSubmenu(view, "MM_CharaSet", "文字コード(&A)", CHARASETMENU);
    auto* sets = new QActionGroup(this);
    for (const TCharaSetItem& item : CharaSetItems)
        AddCheckItem(charaSet, item.Item, item.Caption, item.Command, sets);
    AddSeparator(view, "MM_ViewSepa01");
    AddCheckItem(view, "MM_DialogFlattery", "ダイアログを追従させる(&D)");
    AddCheckItem(view, "MM_DialogAutoHidden", "ダイアログを自動的に隠す(&H)");
    AddSeparator(view, "MM_ViewSepa02");
    AddCheckItem(view, "MM_ViewToolBar", "ツールバー(&T)", VIEWTOOLBAR);
    AddCheckItem(view, "MM_ViewFunctionBar", "ファンクションバー(&F)", VIEWFUNCTIONBAR);
    AddCheckItem(view, "MM_ViewStatusBar", "ステータスバー(&S)", VIEWSTATUSBAR);
    AddCheckItem(view, "MM_ViewInformationPanel", "情報パネル(&I)", VIEWINFORMATION);
    AddCheckItem(view, "MM_ViewCaretMarker", "キャレットマーカ(&M)", VIEWCARETMARKER);
    AddCheckItem(view, "MM_ViewCompareArrow", "大小比較マーク(&C)", VIEWCOMPARE);
    AddCheckItem(view, "MM_ViewCompareColor", "大小比較色分け(&L)");
}

void TMainMenu::BuildCompare(QMenuBar* bar) {
    QMenu* compare = AddMenu(bar, "MM_Compare", "比較(&C)", COMPAREMENU);
    AddItem(compare, "MM_CompareFile", "指定ファイルと比較(&F)", COMPAREFILE);
    AddItem(compare, "MM_CompareWindow", "別ウィンドウと比較(&W)", COMPAREWINDOW);
    AddItem(compare, "MM_ComparePresent", "ディスク上の現状と比較(&S)", COMPAREPRESENT);
    AddSeparator(compare, "MM_CompareSepa01");
    AddItem(compare, "MM_CompareQuit", "比較解除(&Q)", COMPAREQUIT);
}

// The window entries go between the two separators.
void TMainMenu::BuildWindow(QMenuBar* bar) {
    QMenu* window = AddMenu(bar, "MM_Window", "ウィンドウ(&W)", WINDOWMENU);
    AddItem(window, "MM_WindowNext", "順次切り替え(&N)", WINDOWNEXT);
    AddSeparator(window, "MM_WindowSepa01");
    AddItem(window, "MM_WindowList", "ウィンドウ一覧(&L)...", WINDOWLIST);
    AddSeparator(window, "MM_WindowSepa02");
    AddItem(window, "MM_WindowSizeOptimize", "サイズの最適化(&S)", WINDOWJUSTIFY);
    AddItem(window, "MM_WindowSizeOptimizeV", "縦幅一杯に最適化(&V)", WINDOWJUSTIFYV);
}

void TMainMenu::BuildTool(QMenuBar* bar) {
    QMenu* tool = AddMenu(bar, "MM_Tool", "ツール(&T)", TOOLMENU);
    AddItem(tool, "MM_Option", "環境オプション(&O)...", OPTION);
    AddItem(tool, "MM_LumpSetting", "動作モード一括設定(&S)...", LUMPSETTING);
    AddItem(tool, "MM_ShortCutMaintenance", "ショートカットメンテナンス(&M)...", SHORTCUTMAINTE);
    AddSeparator(tool, "MM_ToolSepa01");
    AddItem(tool, "MM_Filer", "ファイラーツール(&F)...", FILER);
    AddItem(tool, "MM_RelativeJump", "相対ジャンプツール(&R)...", RELATIVEJUMP);
    AddItem(tool, "MM_Probe", "データインスペクタ(&D)...", PROBE);
    AddItem(tool, "MM_GarbageCollection", "ガーベージコレクション(&G)", GARBAGE);
}

void TMainMenu::BuildHelp(QMenuBar* bar) {
    QMenu* help = AddMenu(bar, "MM_Help", "ヘルプ(&H)", HELPMENU);
    AddItem(help, "MM_OpenHelp", "ヘルプ(&H)", HELP);
    AddSeparator(help, "MM_HelpSepa01");
    AddItem(help, "MM_WebPageCS", "Corlith Software のウェブページ(&W)", WEBPAGECS);
    AddItem(help, "MM_WebPage", "Morvane Prime のウェブページ(&P)", WEBPAGE);
    AddSeparator(help, "MM_HelpSepa02");
    AddItem(help, "MM_Version", "バージョン情報(&V)...", VERSION);
}

// ---- building

QMenu* TMainMenu::AddMenu(QMenuBar* bar, const char* name, const char* caption,
                          CommandId command) {
    auto* menu = new QMenu(bar);
    menu->setObjectName(QString::fromLatin1(name));
    bar->addMenu(menu);
    TItem& item = Register(menu->menuAction(), name, caption, command);
    item.Submenu = menu;
    item.InBar = true;
    item.Action->setText(item.Caption);
    connect(menu, &QMenu::aboutToShow, this, [this] {
        if (OnMenuOpening) OnMenuOpening();
    });
    return menu;
}

QMenu* TMainMenu::AddSubmenu(QMenu* parent, const char* name, const char* caption,
                             CommandId command) {
    auto* menu = new QMenu(parent);
    menu->setObjectName(QString::fromLatin1(name));
    parent->addMenu(menu);
    TItem& item = Register(menu->menuAction(), name, caption, command);
    item.Submenu = menu;
    ShowText(item);
    return menu;
}

QAction* TMainMenu::AddItem(QMenu* menu, const char* name, const char* caption,
                            CommandId command) {
    QAction* action = menu->addAction(QString());
    ShowText(Register(action, name, caption, command));
    return action;
}

QAction* TMainMenu::AddCheckItem(QMenu* menu, const char* name, const char* caption,
                                 CommandId command, QActionGroup* group) {
    QAction* action = AddItem(menu, name, caption, command);
    action->setCheckable(true);
    if (group != nullptr) group->addAction(action);
    return action;
}

void TMainMenu::AddSeparator(QMenu* menu, const char* name) {
    menu->addSeparator()->setObjectName(QString::fromLatin1(name));
}

TMainMenu::TItem& TMainMenu::Register(QAction* action, const char* name, const char* caption,
                                      CommandId command) {
    action->setObjectName(QString::fromLatin1(name));
    TItem& item = items_[name];
    item.Action = action;
    item.Caption = QString::fromUtf8(caption);
    item.Command = command;
    return item;
}

void TMainMenu::ShowText(TItem& item) {
    item.Action->setText(item.Shortcut.isEmpty() ? item.Caption
                                                 : item.Caption + QLatin1Char('\t') + item.Shortcut);
}

// ---- lookups

QAction* TMainMenu::Action(std::string_view name) const {
    const auto it = items_.find(name);
    return it == items_.end() ? nullptr : it->second.Action;
}

QMenu* TMainMenu::Menu(std::string_view name) const {
    const auto it = items_.find(name);
    return it == items_.end() ? nullptr : it->second.Submenu;
}

QAction* TMainMenu::ActionOf(CommandId command) const {
    for (const auto& [name, item] : items_)
        if (item.Command == command && item.Submenu == nullptr) return item.Action;
    return nullptr;
}

QMenu* TMainMenu::MenuOf(CommandId command) const {
    for (const auto& [name, item] : items_)
        if (item.Command == command && item.Submenu != nullptr) return item.Submenu;
    return nullptr;
}

// ---- state

void TMainMenu::SetShortcuts(const TKeyAssignment& keys) {
    for (auto& [name, item] : items_) {
        if (item.Command == NoCommand || item.InBar) continue;
        const std::optional<TShortcut> shortcut = ShortcutOf(keys, item.Command);
        item.Shortcut = shortcut ? QString::fromStdString(ShortcutText(*shortcut)) : QString();
        ShowText(item);
    }
}

void TMainMenu::Apply(const std::vector<TItemState>& states) {
    for (const TItemState& state : states) {
        const auto it = items_.find(state.Item);
        if (it == items_.end()) continue;
        TItem& item = it->second;
        item.Action->setEnabled(state.Enabled);
        if (state.Checked) item.Action->setChecked(*state.Checked);
        if (!state.Caption.empty()) {
            const QString caption = QString::fromUtf8(state.Caption.data(),
                                                      static_cast<qsizetype>(state.Caption.size()));
            if (caption != item.Caption) {
                item.Caption = caption;
                ShowText(item);
            }
        }
    }
}

} // namespace mv
