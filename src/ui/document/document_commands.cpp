// The document window's commands on its editor, its view, its comparison, its size and the
// window and history menus.
#include "core/dialogs/lump_setting.h"
#include "core/dialogs/web_links.h"
#include "core/document/document_messages.h"
#include "core/shell/window_list_text.h"
#include "core/typedvalues/command_ids.h"
#include "core/typedvalues/string_utils.h"
#include "platform/tool_icon.h"
#include "platform/work_area.h"
#include "ui/binaryview/b_editor.h"
#include "ui/binaryview/binary_view.h"
#include "ui/document/document_shell.h"
#include "ui/document/document_status_bar.h"
#include "ui/document/document_tools.h"
#include "ui/document/document_window.h"
#include "ui/document/function_key_bar.h"
#include "ui/document/information_panel.h"
#include "ui/dialogs/dlg_setting.h"
#include "ui/document/main_menu.h"

#include <QtCore/QPointer>
#include <QtCore/QUrl>
#include <QtGui/QDesktopServices>
#include <QtWidgets/QLayout>
#include <QtWidgets/QMenu>
#include <QtWidgets/QToolBar>

namespace mv {

namespace {

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

} // namespace

// ---- editing

// The editor's own commands go through its command runner; the window commands among them
// (numbered 90000 and above) would come straight back here, so they call the editor directly.
void TMvPrBinaryFormWClass::RunEditorCommand(CommandId command) {
    TEditorCore& core = Core();
    switch (command) {
    case cmd::HISTORYFLUSH:
        core.History().Flush();
        return;
    case cmd::COMPARENEXT:
        core.Comparison().FindNext(TSearchDirection::Forward);
        return;
    case cmd::COMPAREPREV:
        core.Comparison().FindNext(TSearchDirection::Backward);
        return;
    case cmd::BITNOT:
    case cmd::BITREVERSE:
    case cmd::BITROLLR:
    case cmd::BITROLLL:
    case cmd::BYTEREVERSE:
    case cmd::BYTEROLLR:
    case cmd::BYTEROLLL:
    case cmd::INTINC:
    case cmd::INTDEC:
        core.RangeOperation(command);
        return;
    default:
        core.ExecuteCommand(command);
    }
}

// ---- view

void TMvPrBinaryFormWClass::MM_ViewItemsClick(CommandId command) {
    TBinaryView& view = View();
    switch (command) {
    case cmd::VIEWTOOLBAR:
        toolBar_->setVisible(toolBar_->isHidden());
        break;
    case cmd::VIEWFUNCTIONBAR:
        functionBar_->setVisible(functionBar_->isHidden());
        break;
    case cmd::VIEWSTATUSBAR:
        statusBar_->setVisible(statusBar_->isHidden());
        break;
    case cmd::VIEWINFORMATION:
        infoPanel_->setVisible(infoPanel_->isHidden());
        break;
    case cmd::VIEWCARETMARKER:
        view.SetCaretMarker(!Core().CaretMarker);
        break;
    case cmd::VIEWCOMPARE:
        view.SetCompareArrow(!Core().CompareArrow);
        break;
    default:
        return;
    }
    // A bar shown again shows what happened while it was hidden.
    RefreshStatus();
    EnableSetting();
    if (sizeOptimiseMode_ == 1) SizeOptimize();
}

void TMvPrBinaryFormWClass::MM_ViewCompareColorClick() {
    View().SetCompareColor(!Core().CompareColor);
    EnableSetting();
    if (sizeOptimiseMode_ == 1) SizeOptimize();
}

void TMvPrBinaryFormWClass::MM_DialogFlatteryClick() {
    dialogFlattery_ = !dialogFlattery_;
    EnableSetting();
}

void TMvPrBinaryFormWClass::MM_DialogAutoHiddenClick() {
    dialogAutoHidden_ = !dialogAutoHidden_;
    EnableSetting();
}

void TMvPrBinaryFormWClass::SetByteOrder(TByteOrder order) {
    byteOrder_ = order;
    Core().ByteOrder = order;
    EnableSetting();
    if (!infoPanel_->isHidden()) infoPanel_->Refresh(Core(), byteOrder_);
}

// ---- comparison

void TMvPrBinaryFormWClass::EndComparison() {
    if (compareMode_ == TCompareMode::None) return;
    // A window's store is only borrowed; a file's copy is freed with the comparison.
    Core().Comparison().End();
    compareMode_ = TCompareMode::None;
    compareFileName_.clear();
    RefreshStatus();
}

void TMvPrBinaryFormWClass::MM_CompareQuitClick() { EndComparison(); }

bool TMvPrBinaryFormWClass::ComparesWith(const TMemoryModule& module) const {
    return Core().Comparison().Target() == &module;
}

void TMvPrBinaryFormWClass::CompareWithHeldFile(const std::string& name,
                                                const TMemoryModule& module) {
    if (compareMode_ != TCompareMode::File || compareFileName_ != name || &module == &Module())
        return;
    EndComparison();
    Core().Comparison().CompareWithStore(module);
    compareMode_ = TCompareMode::Window;
    RefreshStatus();
}

void TMvPrBinaryFormWClass::MM_CompareFileClick() {
    const auto name =
        AskFileName(QFileDialog::AcceptOpen, "OpenDialog", "比較ファイルを開く", "全てのファイル (*)");
    if (!name) return;
    const TFileFacts facts = ReadFileFacts(*name);
    if (!facts.Exists) {
        host_.MessageDlgBeep(CompareFileMissing(*name), TMsgDlgType::mtError, {TMsgDlgBtn::mbAbort});
        return;
    }
    if (TMvPrBinaryFormWClass* holder = shell_.FindDocumentWindow(*name)) {
        if (holder == this) {
            host_.MessageDlgBeep(CompareSameWindowRefusal, TMsgDlgType::mtError,
                                 {TMsgDlgBtn::mbAbort});
            return;
        }
        if (host_.MessageDlgBeep(CompareFileAlreadyOpen(*name), TMsgDlgType::mtConfirmation,
                                 {TMsgDlgBtn::mbOK, TMsgDlgBtn::mbCancel}) == mrCancel)
            return;
        EndComparison();
        Core().Comparison().CompareWithStore(holder->Module());
        compareMode_ = TCompareMode::Window;
        RefreshStatus();
        return;
    }
    if (const auto refusal = OpenRefusal(*name, facts)) {
        host_.MessageDlgBeep(*refusal, TMsgDlgType::mtError, {TMsgDlgBtn::mbAbort});
        return;
    }
    EndComparison();
    int error = 0;
    if (Core().Comparison().CompareWithFile(*name, error) != TCompareStart::Started) {
        host_.MessageDlgBeep(*name + " の読み込みに失敗しました.", TMsgDlgType::mtError,
                             {TMsgDlgBtn::mbAbort});
        return;
    }
    compareMode_ = TCompareMode::File;
    compareFileName_ = *name;
    RefreshStatus();
}

void TMvPrBinaryFormWClass::MM_CompareWindowClick() {
    if (shell_.DocumentList().size() < 2) return;
    TMvPrBinaryFormWClass* chosen = shell_.SelectWindowDialog(this);
    if (chosen == nullptr) return;
    if (chosen == this) {
        host_.MessageDlgBeep(CompareSameWindowRefusal, TMsgDlgType::mtError, {TMsgDlgBtn::mbAbort});
        return;
    }
    EndComparison();
    Core().Comparison().CompareWithStore(chosen->Module());
    compareMode_ = TCompareMode::Window;
    RefreshStatus();
}

// Run again while comparing with the disk, it reads the disk's state anew.
void TMvPrBinaryFormWClass::MM_ComparePresentClick() {
    if (fileName_.empty()) return;
    if (const auto refusal = OpenRefusal(fileName_, ReadFileFacts(fileName_))) {
        host_.MessageDlgBeep(*refusal, TMsgDlgType::mtError, {TMsgDlgBtn::mbAbort});
        return;
    }
    EndComparison();
    int error = 0;
    if (Core().Comparison().CompareWithFile(fileName_, error) != TCompareStart::Started) {
        host_.MessageDlgBeep(fileName_ + " の読み込みに失敗しました.", TMsgDlgType::mtError,
                             {TMsgDlgBtn::mbAbort});
        return;
    }
    compareMode_ = TCompareMode::Present;
    RefreshStatus();
}

// ---- windows

void TMvPrBinaryFormWClass::MM_WindowNextClick() {
    if (TMvPrBinaryFormWClass* next = shell_.NextDocumentWindow(this)) shell_.BringToFront(next);
}

void TMvPrBinaryFormWClass::MM_WindowListClick() {
    if (TMvPrBinaryFormWClass* chosen = shell_.SelectWindowDialog(this)) shell_.BringToFront(chosen);
}

void TMvPrBinaryFormWClass::SizeOptimize() { MM_WindowSizeOptimizeClick(); }

void TMvPrBinaryFormWClass::MM_WindowSizeOptimizeClick() {
    if (isMaximized()) showNormal();
    ResizeClient(AroundEditor() + QSize(editor_->PreferredWidth(), editor_->PreferredHeight()), 1);
}

void TMvPrBinaryFormWClass::MM_WindowSizeOptimizeVClick() {
    if (isMaximized()) showNormal();
    const QRect workArea = WorkAreaOf(this);
    const int frameHeight = frameGeometry().height() - height();
    move(x(), workArea.top());
    ResizeClient({AroundEditor().width() + editor_->PreferredWidth(), workArea.height() - frameHeight}, 2);
}

// What the window shows besides the editor: the bars above and below it. A shown window lays
// its parts out first, since a bar just shown or hidden has only asked for that; a hidden
// window has not laid them out at all, so their wishes stand for their sizes, and the editor
// spans the window's width.
QSize TMvPrBinaryFormWClass::AroundEditor() const {
    if (isVisible()) {
        layout()->activate();
        return size() - editor_->size();
    }
    return {0, sizeHint().height() - editor_->sizeHint().height()};
}

void TMvPrBinaryFormWClass::ResizeClient(QSize client, std::uint8_t mode) {
    optimisedSize_ = client;
    resize(client);
    sizeOptimiseMode_ = mode;
}

// ---- tool windows

void TMvPrBinaryFormWClass::FollowToolWindows() { tools_->WindowMoved(dialogFlattery_); }
void TMvPrBinaryFormWClass::HideToolWindows() { tools_->HideTools(); }
void TMvPrBinaryFormWClass::ShowToolWindows() { tools_->ShowTools(); }

// ---- tools and help

void TMvPrBinaryFormWClass::MM_GarbageCollectionClick() {
    TMemoryModule& module = Core().Module();
    if (module.BlockCount() == module.MinBlockCount()) {
        host_.MessageDlgBeep(GarbageCollectionNeedless, TMsgDlgType::mtInformation,
                             {TMsgDlgBtn::mbOK});
        return;
    }
    if (host_.MessageDlgBeep(
            GarbageCollectionQuestion(module.MemoryBytes(), module.BlockCount(), module.MinBlockCount()),
            TMsgDlgType::mtConfirmation, {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbCancel}) != mrYes)
        return;
    TWorkingScope working(*this);
    module.Compact();
}

// Every mode of this window at once, from where its editor begins; the configuration stays.
void TMvPrBinaryFormWClass::MM_LumpSettingClick() {
    TEditorCore& core = Core();
    TEditHistory& history = core.History();
    const TLumpModes current{core.InputMode(),       core.CheckSum(),           byteOrder_,
                             core.CharaSet(),        core.ExpandTenKey(),       !toolBar_->isHidden(),
                             !functionBar_->isHidden(), !statusBar_->isHidden(), !infoPanel_->isHidden(),
                             core.CompareArrow,      core.CaretMarker,          core.CompareColor,
                             history.UndoPacked,     history.UndoFlushWithSaved, history.UndoOverflowSound};
    const std::optional<TLumpModes> chosen = LumpSettingDialog(this, editor_->mapToGlobal(QPoint(4, 4)), current);
    if (!chosen) return;
    if (!InViewMode()) core.SetInputMode(chosen->InputMode);
    core.SetCheckSum(chosen->CheckSum);
    core.SetCharaSet(chosen->CharaSet);
    core.SetExpandTenKey(chosen->ExpandTenKey);
    SetByteOrder(chosen->ByteOrder);
    toolBar_->setVisible(chosen->ToolBar);
    functionBar_->setVisible(chosen->FunctionBar);
    statusBar_->setVisible(chosen->StatusBar);
    infoPanel_->setVisible(chosen->InformationPanel);
    View().SetCompareArrow(chosen->CompareArrow);
    View().SetCaretMarker(chosen->CaretMarker);
    View().SetCompareColor(chosen->CompareColor);
    history.UndoPacked = chosen->UndoPacked;
    history.UndoFlushWithSaved = chosen->UndoFlushWithSaved;
    history.UndoOverflowSound = chosen->UndoOverflowSound;
    RefreshStatus();
    EnableSetting();
    if (sizeOptimiseMode_ == 1) SizeOptimize();
}

void TMvPrBinaryFormWClass::MM_WebPageCSClick() {
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(MakerWebPage.data(), MakerWebPage.size())));
}

void TMvPrBinaryFormWClass::MM_WebPageClick() {
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(ProductWebPage.data(), ProductWebPage.size())));
}

// ---- window and history menus

void TMvPrBinaryFormWClass::RefreshWindowMenus() {
    if (QMenu* history = mainMenu_->Menu("MM_OpenHistory")) RebuildHistoryMenu(*history);
    RebuildHistoryMenu(*historyPopup_);
    RebuildWindowEntries();
}

void TMvPrBinaryFormWClass::RebuildHistoryMenu(QMenu& menu) {
    menu.clear();
    const THistoryList& history = shell_.History();
    const QIcon icon = ToolIcon("history-item");
    for (std::size_t index = 0; index < history.HistoryCount(); ++index) {
        const std::string name = history.HistoryAt(static_cast<std::ptrdiff_t>(index));
        QAction* item =
            menu.addAction(icon, Text(NumberedMenuItemText(static_cast<int>(index) + 1, name)));
        connect(item, &QAction::triggered, this, [this, name] { OpenHistoryEntry(name); });
    }
}

// The first nine windows between the Window menu's separators, this one checked, and a
// "more" item that opens the window list when there are further windows.
void TMvPrBinaryFormWClass::RebuildWindowEntries() {
    QMenu* menu = mainMenu_->Menu("MM_Window");
    QAction* list = Action("MM_WindowList");
    if (menu == nullptr || list == nullptr) return;
    bool entry = false;
    for (QAction* action : menu->actions()) {
        if (action == list) break;
        if (entry)
            delete action;
        else
            entry = action->objectName() == QLatin1String("MM_WindowSepa01");
    }
    const std::vector<TMvPrBinaryFormWClass*> windows = shell_.DocumentList();
    const TWindowMenuLayout layout = WindowMenuLayout(static_cast<int>(windows.size()));
    const QIcon icon = ToolIcon("window-item");
    for (int index = 0; index < layout.NumberedItems; ++index) {
        QPointer<TMvPrBinaryFormWClass> window = windows[static_cast<std::size_t>(index)];
        auto* item = new QAction(icon, Text(NumberedMenuItemText(index + 1, window->DisplayName())), menu);
        item->setCheckable(true);
        item->setChecked(window == this);
        connect(item, &QAction::triggered, this, [this, window] {
            if (window) shell_.BringToFront(window);
            EnableSetting();
        });
        menu->insertAction(list, item);
    }
    if (layout.MoreItem) {
        auto* more = new QAction(ToolIcon("more"),
                                 Text(std::string(MoreWindowsItemText)), menu);
        connect(more, &QAction::triggered, this, [this] { Core().ExecuteCommand(cmd::WINDOWLIST); });
        menu->insertAction(list, more);
    }
}

void TMvPrBinaryFormWClass::RebuildSelectFileMenu() {
    for (QAction* action : selectFileMenu_->actions()) {
        if (action == selectFileListItem_) break;
        delete action;
    }
    const std::vector<TMvPrBinaryFormWClass*> windows = shell_.DocumentList();
    const int count = SelectFilePopupItemCount(static_cast<int>(windows.size()));
    const QIcon icon = ToolIcon("window-item");
    for (int index = 0; index < count; ++index) {
        QPointer<TMvPrBinaryFormWClass> window = windows[static_cast<std::size_t>(index)];
        auto* item = new QAction(icon, Text(SelectFileItemText(index + 1, window->DisplayName())),
                                 selectFileMenu_);
        connect(item, &QAction::triggered, this, [this, window] {
            if (window) shell_.BringToFront(window);
        });
        selectFileMenu_->insertAction(selectFileListItem_, item);
    }
}

} // namespace mv
