// The document window: creation, settings, refreshes, events and the command dispatch.
#include "ui/document/document_window.h"

#include "core/document/chara_set_items.h"
#include "core/document/file_facts.h"
#include "core/document/function_keys.h"
#include "core/document/status_texts.h"
#include "core/shell/window_list_text.h"
#include "core/typedvalues/command_ids.h"
#include "platform/clipboard.h"
#include "platform/data_folders.h"
#include "platform/tool_icon.h"
#include "platform/virtual_key_map.h"
#include "ui/binaryview/b_editor.h"
#include "ui/document/work_pump.h"
#include "ui/binaryview/binary_view.h"
#include "ui/binaryview/context_menu.h"
#include "ui/document/document_shell.h"
#include "ui/document/document_status_bar.h"
#include "ui/document/document_tools.h"
#include "ui/document/function_key_bar.h"
#include "ui/document/information_panel.h"
#include "ui/document/input_tools.h"
#include "ui/document/probe_tool.h"
#include "ui/document/main_menu.h"
#include "ui/dialogs/dlg_short_cut.h"
#include "ui/dialogs/dlg_version.h"
#include "ui/dialogs/help_viewer.h"
#include "ui/document/search_tools.h"
#include "ui/document/tool_bar_builder.h"
#include "ui/filer/tool_filer.h"

#include <QtCore/QDeadlineTimer>
#include <QtCore/QMimeData>
#include <QtCore/QTimer>
#include <QtGui/QCloseEvent>
#include <QtGui/QKeyEvent>
#include <QtGui/QGuiApplication>
#include <QtGui/QWindow>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QToolBar>
#include <QtWidgets/QVBoxLayout>

namespace mv {

namespace {

constexpr std::uint8_t AllEditorItems = 31;
constexpr int EditorFontHeight = 14;
// Every keyboard here reports twelve function keys.
constexpr int KeyboardFunctionKeys = 12;

} // namespace

TMvPrBinaryFormWClass::TMvPrBinaryFormWClass(TDocumentShell& shell)
    : shell_(shell), host_(this) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("TMvPrBinaryFormWClass"));
    setContextMenuPolicy(Qt::NoContextMenu); // the bars are shown and hidden by the View menu
    // 1. While creating, caption changes do not rebuild every window's menus.
    SetFileName({});

    // 2. The editor inside the binary panel, hooked to the window.
    CreateBars();
    tools_ = new TDocumentTools(*this);
    RegisterInputTools(*tools_);
    RegisterSearchTools(*tools_);
    RegisterProbeTool(*tools_, shell_);
    tools_->Register(TToolSlot::Filer, "MM_Filer", TToolRefusal::Never,
                     [this] { return OpenFilerTool(this, View()); });
    TBinaryView& view = View();
    connect(&view, &TBinaryView::caretMoved, this, &TMvPrBinaryFormWClass::RefreshInformation);
    connect(&view, &TBinaryView::changed, this, &TMvPrBinaryFormWClass::RefreshStatus);
    connect(&view, &TBinaryView::command, this, &TMvPrBinaryFormWClass::RunCommand);
    connect(&view, &TBinaryView::keyOrFocus, this, [this] {
        RefreshShiftState(ModifierStateOf(QGuiApplication::queryKeyboardModifiers()));
    });
    Core().Module().OnProgress = [this](TMemoryModule&, std::string_view text) {
        ShowProgress(text);
    };
    Core().JournalFolder = UserDataFolder().toStdString();
    workPump_ = new TWorkPump(
        [this](std::string_view text) { statusBar_->SetProgressText(std::string(text)); }, this);
    Core().Module().KeepGoing = [this](std::int64_t done, std::int64_t total) {
        return workPump_->Pump(done, total);
    };
    editor_->SetViewItems(AllEditorItems);
    editor_->SetFontHeight(EditorFontHeight);

    // 3. The context menu shows the tool bar's pictures.
    for (QAction* action : view.ContextMenu().actions()) {
        if (QAction* item = Action(("MM_" + action->objectName().mid(3)).toStdString()))
            action->setIcon(item->icon());
    }

    // 4. - 6.
    RefreshStatus();
    functionBar_->SetButtonCount(FunctionButtonCount(KeyboardFunctionKeys));
    RefreshFunctionCaptions();
    SizeOptimize();
    setAcceptDrops(true);
    View().setFocus(); // keys go to the editor whenever the window is activated
    creating_ = false;
}

// The parts outlive this class's own destructor: none of their events may reach it.
TMvPrBinaryFormWClass::~TMvPrBinaryFormWClass() {
    disconnect(&View(), nullptr, this, nullptr);
    disconnect(functionBar_, nullptr, this, nullptr);
    disconnect(statusBar_, nullptr, this, nullptr);
    Core().Module().OnProgress = nullptr;
    Core().Module().KeepGoing = nullptr;
}

void TMvPrBinaryFormWClass::CreateBars() {
    mainMenu_ = new TMainMenu(menuBar());
    mainMenu_->OnMenuOpening = [this] { EnableSetting(); };

    auto* central = new QWidget(this);
    auto* centralLayout = new QVBoxLayout(central);
    centralLayout->setContentsMargins(0, 0, 0, 0);
    centralLayout->setSpacing(0);
    auto* binaryPanel = new QWidget(central);
    binaryPanel->setObjectName(QStringLiteral("Panel_Binary"));
    auto* binaryLayout = new QVBoxLayout(binaryPanel);
    binaryLayout->setContentsMargins(0, 0, 0, 0);
    binaryLayout->setSpacing(0);
    editor_ = new TBEditor(binaryPanel);
    infoPanel_ = new TInformationPanel(binaryPanel);
    binaryLayout->addWidget(editor_, 1);
    binaryLayout->addWidget(infoPanel_);
    functionBar_ = new TFunctionKeyBar(central);
    functionBar_->setObjectName(QStringLiteral("Panel_Function"));
    centralLayout->addWidget(binaryPanel, 1);
    centralLayout->addWidget(functionBar_);
    setCentralWidget(central);
    connect(functionBar_, &TFunctionKeyBar::keyClicked, this, [this](int key, int state) {
        View().setFocus();
        Core().ExecuteCommand(Core().KeyAssignment().Key(state, key));
    });

    statusBar_ = new TDocumentStatusBar(this);
    setStatusBar(statusBar_);
    statusBar_->SetIcon(ToolIcon("info-mode"));
    connect(statusBar_, &TDocumentStatusBar::infoModeChosen, this, [this](int mode) {
        infoMode_ = mode == 1 ? TInfoMode::UndoUse : TInfoMode::MemoryEfficiency;
        RefreshStatus();
    });

    CreatePopups();
    ConnectItems();
    CreateToolBar();
}

void TMvPrBinaryFormWClass::CreateToolBar() {
    toolBar_ = BuildToolBar(*this, *mainMenu_, *historyPopup_);
    addToolBar(Qt::TopToolBarArea, toolBar_);
}

void TMvPrBinaryFormWClass::CreatePopups() {
    historyPopup_ = new QMenu(this);
    historyPopup_->setObjectName(QStringLiteral("PU_History"));

    selectFileMenu_ = new QMenu(this);
    selectFileMenu_->setObjectName(QStringLiteral("PU_SelectFileMenu"));
    selectFileListItem_ = selectFileMenu_->addAction(QStringLiteral("ウィンドウ一覧(&L)..."));
    selectFileListItem_->setObjectName(QStringLiteral("PU_WindowList"));
    selectFileMenu_->addSeparator();
    QAction* newFile = selectFileMenu_->addAction(QStringLiteral("新規作成(&N)"));
    newFile->setObjectName(QStringLiteral("PU_NewFile"));
    QAction* openFile = selectFileMenu_->addAction(QStringLiteral("開く(&O)"));
    openFile->setObjectName(QStringLiteral("PU_OpenFile"));
    connect(selectFileListItem_, &QAction::triggered, this,
            &TMvPrBinaryFormWClass::MM_WindowListClick);
    connect(newFile, &QAction::triggered, this, &TMvPrBinaryFormWClass::MM_NewFileClick);
    connect(openFile, &QAction::triggered, this, &TMvPrBinaryFormWClass::MM_OpenFileClick);
    connect(selectFileMenu_, &QMenu::aboutToShow, this,
            &TMvPrBinaryFormWClass::RebuildSelectFileMenu);
}

void TMvPrBinaryFormWClass::Connect(std::string_view item,
                                    void (TMvPrBinaryFormWClass::*handler)()) {
    if (QAction* action = Action(item)) connect(action, &QAction::triggered, this, handler);
}

void TMvPrBinaryFormWClass::ConnectItems() {
    using W = TMvPrBinaryFormWClass;
    Connect("MM_NewFile", &W::MM_NewFileClick);
    Connect("MM_OpenFile", &W::MM_OpenFileClick);
    Connect("MM_Reload", &W::MM_ReloadClick);
    Connect("MM_SaveFile", &W::MM_SaveFileClick);
    Connect("MM_SaveAllFile", &W::MM_SaveAllFileClick);
    Connect("MM_SaveAnotherName", &W::MM_SaveAnotherNameClick);
    Connect("MM_SaveReproduction", &W::MM_SaveReproductionClick);
    Connect("MM_TextOutPut", &W::MM_TextOutPutClick);
    Connect("MM_Close", &W::MM_CloseClick);
    Connect("MM_AllClose", &W::MM_AllCloseClick);
    Connect("MM_SaveClose", &W::MM_SaveCloseClick);
    Connect("MM_SaveAllClose", &W::MM_SaveAllCloseClick);
    // Editing and moving are the editor's own commands.
    for (const auto& [item, command] :
         {std::pair{"MM_Undo", cmd::UNDO}, {"MM_Redo", cmd::REDO}, {"MM_Cut", cmd::CUT},
          {"MM_Copy", cmd::COPY}, {"MM_Paste", cmd::PASTE}, {"MM_Delete", cmd::DELETE},
          {"MM_SelectAll", cmd::SELECTALL}, {"MM_BitNot", cmd::BITNOT},
          {"MM_BitReverse", cmd::BITREVERSE}, {"MM_BitRollRight", cmd::BITROLLR},
          {"MM_BitRollLeft", cmd::BITROLLL}, {"MM_ByteReverse", cmd::BYTEREVERSE},
          {"MM_ByteRollRight", cmd::BYTEROLLR}, {"MM_ByteRollLeft", cmd::BYTEROLLL},
          {"MM_IntInc", cmd::INTINC}, {"MM_IntDec", cmd::INTDEC},
          {"MM_HistoryFlush", cmd::HISTORYFLUSH}, {"MM_ComparePrev", cmd::COMPAREPREV},
          {"MM_CompareNext", cmd::COMPARENEXT}, {"MM_FileTop", cmd::FILETOP},
          {"MM_FileEnd", cmd::FILEEND}})
        connect(Action(item), &QAction::triggered, this,
                [this, command = command] { RunEditorCommand(command); });
    for (const auto& [item, command] :
         {std::pair{"MM_ViewToolBar", cmd::VIEWTOOLBAR}, {"MM_ViewFunctionBar", cmd::VIEWFUNCTIONBAR},
          {"MM_ViewStatusBar", cmd::VIEWSTATUSBAR}, {"MM_ViewInformationPanel", cmd::VIEWINFORMATION},
          {"MM_ViewCaretMarker", cmd::VIEWCARETMARKER}, {"MM_ViewCompareArrow", cmd::VIEWCOMPARE}})
        connect(Action(item), &QAction::triggered, this,
                [this, command = command] { MM_ViewItemsClick(command); });
    Connect("MM_ViewCompareColor", &W::MM_ViewCompareColorClick);
    Connect("MM_DialogFlattery", &W::MM_DialogFlatteryClick);
    Connect("MM_DialogAutoHidden", &W::MM_DialogAutoHiddenClick);
    for (const auto& [item, sum] : {std::pair{"MM_CheckSumSimple", TCheckSum::Simple},
                                    {"MM_CheckSumAscii", TCheckSum::Ascii}})
        connect(Action(item), &QAction::triggered, this,
                [this, sum = sum] { Core().SetCheckSum(sum); });
    for (const TCharaSetItem& item : CharaSetItems)
        connect(Action(item.Item), &QAction::triggered, this,
                [this, set = item.Set] { Core().SetCharaSet(set); });
    for (const auto& [item, order] : {std::pair{"MM_LittleEndian", TByteOrder::LittleEndian},
                                      {"MM_BigEndian", TByteOrder::BigEndian}})
        connect(Action(item), &QAction::triggered, this,
                [this, order = order] { SetByteOrder(order); });
    Connect("MM_CompareFile", &W::MM_CompareFileClick);
    Connect("MM_CompareWindow", &W::MM_CompareWindowClick);
    Connect("MM_ComparePresent", &W::MM_ComparePresentClick);
    Connect("MM_CompareQuit", &W::MM_CompareQuitClick);
    Connect("MM_WindowNext", &W::MM_WindowNextClick);
    Connect("MM_WindowList", &W::MM_WindowListClick);
    Connect("MM_WindowSizeOptimize", &W::MM_WindowSizeOptimizeClick);
    Connect("MM_WindowSizeOptimizeV", &W::MM_WindowSizeOptimizeVClick);
    Connect("MM_GarbageCollection", &W::MM_GarbageCollectionClick);
    if (QAction* option = Action("MM_Option"))
        connect(option, &QAction::triggered, this, [this] { shell_.ShowOptions(); });
    Connect("MM_WebPageCS", &W::MM_WebPageCSClick);
    Connect("MM_WebPage", &W::MM_WebPageClick);
    Connect("MM_LumpSetting", &W::MM_LumpSettingClick);
    connect(Action("MM_ShortCutMaintenance"), &QAction::triggered, this, [this] { ShortCutMaintenanceDialog(this); });
    connect(Action("MM_OpenHelp"), &QAction::triggered, this, [] { OpenHelp(); });
    connect(Action("MM_Version"), &QAction::triggered, this, [this] { VersionDialog(this); });
}

// ---- the document

std::string TMvPrBinaryFormWClass::DisplayName() const {
    return WindowDisplayName(fileName_);
}

const TEnvironment& TMvPrBinaryFormWClass::Environment() const { return shell_.Environment(); }
TEditorCore& TMvPrBinaryFormWClass::Core() { return editor_->View().Core(); }
const TEditorCore& TMvPrBinaryFormWClass::Core() const { return editor_->View().Core(); }
TBinaryView& TMvPrBinaryFormWClass::View() { return editor_->View(); }
const TMemoryModule& TMvPrBinaryFormWClass::Module() const { return Core().Module(); }
bool TMvPrBinaryFormWClass::IsModified() const { return Module().IsModified(); }
bool TMvPrBinaryFormWClass::InViewMode() const {
    return Core().InputMode() == TInputMode::ViewOnly;
}

QAction* TMvPrBinaryFormWClass::Action(std::string_view name) const {
    return mainMenu_ != nullptr ? mainMenu_->Action(name) : nullptr;
}

void TMvPrBinaryFormWClass::SetFileName(const std::string& name) {
    fileName_ = name;
    UpdateCaption();
    if (!name.empty()) shell_.AddHistory(name);
    if (!creating_) shell_.RefreshWindowMenus();
}

void TMvPrBinaryFormWClass::UpdateCaption() {
    setWindowTitle(QString::fromStdString(DisplayName() + " - " + std::string(ApplicationTitle)));
}

// ---- profile

WindowProfile TMvPrBinaryFormWClass::Profile() const {
    WindowProfile profile;
    profile.Left = x();
    profile.Top = y();
    profile.ClientWidth = width();
    profile.ClientHeight = height();
    const TViewPosition position = Core().ViewPosition();
    // The record's line is 32-bit: a place further into a huge file is not kept.
    if (position.TopLine > std::numeric_limits<std::int32_t>::max()) return profile;
    profile.TopLine = static_cast<std::int32_t>(position.TopLine);
    profile.CaretLine = position.CaretRow;
    profile.CaretColumn = position.CaretColumn;
    profile.CaretSubPosition = position.SubPosition;
    profile.InputArea = position.InputArea;
    return profile;
}

void TMvPrBinaryFormWClass::RestoreViewPosition(const WindowProfile& profile) {
    Core().SetViewPosition({profile.TopLine, profile.CaretLine, profile.CaretColumn,
                            profile.CaretSubPosition, profile.InputArea});
}

// ---- settings

void TMvPrBinaryFormWClass::ApplySettings(const TEnvironment& environment) {
    editor_->SetEnvironment(environment);
    readOnlyExtensions_ = environment.ViewModeExt;
    toolBar_->setVisible(environment.ToolBar);
    infoPanel_->setVisible(environment.InformationPanel);
    functionBar_->setVisible(environment.FunctionBar);
    statusBar_->setVisible(environment.StatusBar);
    View().SetCompareArrow(environment.CompareArrow);
    View().SetCompareColor(environment.CompareColor);
    RefreshFunctionCaptions();
    mainMenu_->SetShortcuts(Core().KeyAssignment());
    if (environment.ApplyModes != 0) {
        SetByteOrder(environment.ByteOrder);
        dialogFlattery_ = environment.DialogFlattery;
        dialogAutoHidden_ = environment.DialogAutoHidden;
        tools_->ApplyModes(environment);
    }
    if (sizeOptimiseMode_ == 1) MM_WindowSizeOptimizeClick();
    if (sizeOptimiseMode_ == 2) MM_WindowSizeOptimizeVClick();
    RefreshStatus();
}

// A key bound to a window command that this window does not have yet shows no caption.
void TMvPrBinaryFormWClass::RefreshFunctionCaptions() {
    const TKeyAssignment& keys = Core().KeyAssignment();
    TFunctionCaptions captions = FunctionCaptionsOf(keys);
    for (ModifierState state = 0; state < ModifierStateCount; ++state)
        for (int button = 0; button < MaxFunctionButtons; ++button)
            if (!Runs(keys.Key(state, FunctionKeyIndex(button))))
                captions[static_cast<std::size_t>(state)][static_cast<std::size_t>(button)].clear();
    functionBar_->SetCaptions(captions);
    functionBar_->ShowShiftState(functionBar_->ShownShiftState(), true);
}

void TMvPrBinaryFormWClass::RefreshShiftState(int modifierState, bool force) {
    functionBar_->ShowShiftState(modifierState, force);
}

// ---- enabling and refreshing

TEnableFacts TMvPrBinaryFormWClass::Facts() const {
    const TEditorCore& core = Core();
    const TMemoryModule& module = core.Module();
    TEnableFacts f;
    f.Editable = !InViewMode();
    f.Modified = module.IsModified();
    f.HasFileName = !fileName_.empty();
    f.NewerOnDisk = (fileTime_ && ReadFileFacts(fileName_).ModifiedTime > *fileTime_) ||
                    Module().SourceFault() != 0;
    f.Size = module.Size();
    f.Selection = !core.Selection().Empty();
    f.Pasteable = ClipboardOffersData();
    f.CanUndo = core.History().CanUndo();
    f.CanRedo = core.History().CanRedo();
    const TCaretState caret = core.Caret();
    f.CaretAtStart = caret.Address == 0 && caret.SubPosition == 0;
    f.CaretAtEnd = caret.Address >= module.Size();
    f.Comparing = core.Comparison().Comparing();
    f.CompareMode = compareMode_;
    f.WindowCount = static_cast<int>(shell_.DocumentList().size());
    f.BlockCount = module.BlockCount();
    f.MinBlockCount = module.MinBlockCount();
    f.HistoryCount = shell_.History().HistoryCount();
    f.DialogFlattery = dialogFlattery_;
    f.DialogAutoHidden = dialogAutoHidden_;
    f.ToolBar = !toolBar_->isHidden();
    f.FunctionBar = !functionBar_->isHidden();
    f.StatusBar = !statusBar_->isHidden();
    f.InformationPanel = !infoPanel_->isHidden();
    f.CaretMarker = core.CaretMarker;
    f.CompareArrow = core.CompareArrow;
    f.CompareColor = core.CompareColor;
    f.CheckSum = core.CheckSum();
    f.CharaSet = core.CharaSet();
    f.ByteOrder = byteOrder_;
    return f;
}

void TMvPrBinaryFormWClass::EnableSetting() {
    mainMenu_->Apply(mv::EnableSetting(Facts()));
}

// The tool buttons share their menu items, so the tool-bar refresh is the enabling itself.
// The tool windows take the value at the caret even while the panel is hidden: their capture
// buttons would otherwise take a value from where the caret was.
void TMvPrBinaryFormWClass::RefreshInformation() {
    if (!toolBar_->isHidden()) EnableSetting();
    if (!infoPanel_->isHidden()) infoPanel_->Refresh(Core(), byteOrder_);
    tools_->CaretMoved();
}

// The tools' limits follow the data size whether or not the status bar shows it.
void TMvPrBinaryFormWClass::RefreshStatus() {
    RefreshInformation();
    tools_->StatusChanged();
    if (statusBar_->isHidden()) return;
    statusBar_->Refresh(StatusFactsOf(Core(), compareMode_, infoMode_));
    infoPanel_->SetFileSize(Module().Size());
}

// A long load or save reports its progress often; the window repaints every few hundredths of
// a second meanwhile so that it never turns into a grey frame. Input waits until the end. The
// first report comes before the store changes: the editor is painted as it stands then, once
// the window is on screen, and keeps that picture rather than show a store being filled.
void TMvPrBinaryFormWClass::ShowProgress(std::string_view text) {
    statusBar_->SetProgressText(std::string(text));
    if (working_ == 0) return;
    constexpr qint64 RepaintInterval = 50;
    if (!editor_->updatesEnabled()) {
        if (sincePaint_.elapsed() < RepaintInterval) return;
    } else if (QWindow* window = windowHandle(); window != nullptr && isVisible()) {
        constexpr int ExposureWait = 200;
        const QDeadlineTimer deadline(ExposureWait);
        while (!window->isExposed() && !deadline.hasExpired())
            QCoreApplication::processEvents(
                QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents, 10);
    }
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    editor_->setUpdatesEnabled(false);
    sincePaint_.restart();
}

TMvPrBinaryFormWClass::TWorkingScope::TWorkingScope(TMvPrBinaryFormWClass& window)
    : window_(window) {
    ++window_.working_;
}

TMvPrBinaryFormWClass::TWorkingScope::~TWorkingScope() {
    if (--window_.working_ == 0) window_.editor_->setUpdatesEnabled(true);
}

// ---- commands

// Window commands from keys and function keys click their menu item; the ...MENU commands open
// their submenu at the caret once the key that asked for it has been handled.
void TMvPrBinaryFormWClass::RunCommand(CommandId command) {
    if (ProgramBusy()) return PostWork(this, [this, command] { RunCommand(command); });
    EnableSetting();
    if (QAction* item = mainMenu_->ActionOf(command)) {
        item->trigger();
        return;
    }
    if (command == cmd::MENU) {
        QMetaObject::invokeMethod(this, &TMvPrBinaryFormWClass::EnterMenuBar, Qt::QueuedConnection);
        return;
    }
    if (command == cmd::SELECTFILEMENU || mainMenu_->MenuOf(command) != nullptr)
        QMetaObject::invokeMethod(
            this, [this, command] { PopUpMenuAtCaret(command); }, Qt::QueuedConnection);
}

bool TMvPrBinaryFormWClass::Runs(CommandId command) const {
    return command < 90000 || command == cmd::MENU || command == cmd::SELECTFILEMENU ||
           mainMenu_->ActionOf(command) != nullptr || mainMenu_->MenuOf(command) != nullptr;
}

// The keyboard's way into the menu bar: its first menu lit and none open yet, the state a press
// and release of Alt alone leaves it in, and so reached the same way.
void TMvPrBinaryFormWClass::EnterMenuBar() {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
    QApplication::sendEvent(this, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
    QApplication::sendEvent(this, &release);
}

void TMvPrBinaryFormWClass::PopUpMenuAtCaret(CommandId command) {
    QMenu* menu = command == cmd::SELECTFILEMENU ? selectFileMenu_ : mainMenu_->MenuOf(command);
    if (menu == nullptr) return;
    const QPoint caret = View().viewport()->mapToGlobal(View().CaretRect().topLeft());
    menu->popup(caret);
}

// ---- events

// A close asked during long work (a load, a save, a held fast move, a confirming replace)
// waits for its end: the window would be freed under the running work.
void TMvPrBinaryFormWClass::closeEvent(QCloseEvent* event) {
    if (ProgramBusy()) {
        event->ignore();
        if (!closePending_) {
            closePending_ = true;
            PostWork(this, [this] {
                closePending_ = false;
                close();
            });
        }
        return;
    }
    if (!ConfirmClose()) {
        event->ignore();
        return;
    }
    event->accept();
    shell_.UnregisterWindow(this);
}

void TMvPrBinaryFormWClass::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

// Files open in the order they were dropped; at most the first can take an untouched window.
// The drag source hears at once that the drop was taken; the files open afterwards, once any
// work under way has ended, so that no message about them keeps the source waiting.
void TMvPrBinaryFormWClass::dropEvent(QDropEvent* event) {
    std::vector<std::string> names;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) names.push_back(QFile::encodeName(url.toLocalFile()).toStdString());
    event->acceptProposedAction();
    PostWork(this, [this, names] {
        for (const std::string& name : names) OpenFileInWindow(name);
    });
}

void TMvPrBinaryFormWClass::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (size() != optimisedSize_) sizeOptimiseMode_ = 0;
}

void TMvPrBinaryFormWClass::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    FollowToolWindows();
}

void TMvPrBinaryFormWClass::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        shell_.WindowActivated(this);
        // Said after the activation, never from inside it.
        QTimer::singleShot(0, this, [this] { Core().CheckSourceFile(); });
    }
}

} // namespace mv
