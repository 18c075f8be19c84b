#pragma once

#include "core/binaryview/editor_core.h"
#include "core/config/environment.h"
#include "core/config/window_profile.h"
#include "core/document/enable_rules.h"
#include "core/document/status_texts.h"
#include "platform/deferred_work.h"
#include "platform/qt_host_services.h"

#include <QtCore/QElapsedTimer>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QMainWindow>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class QMenu;
class QToolBar;

namespace mv {

class TBEditor;
class TBinaryView;
class TDocumentShell;
class TDocumentStatusBar;
class TWorkPump;
class TDocumentTools;
class TFunctionKeyBar;
class TInformationPanel;
class TMainMenu;

// A document window: one file (or a new unnamed one) in a binary editor control, with the
// main menu, the tool bar, the information panel, the function-key bar and the status bar.
// Menu items, tool buttons, keys and function keys all end in one handler per command. The
// window belongs to the shell, which lists it, and frees itself when it closes.
class TMvPrBinaryFormWClass : public QMainWindow {
    Q_OBJECT
public:
    static constexpr std::string_view ApplicationTitle = "Morvane Prime";

    explicit TMvPrBinaryFormWClass(TDocumentShell& shell);
    ~TMvPrBinaryFormWClass() override;
    TMvPrBinaryFormWClass(const TMvPrBinaryFormWClass&) = delete;
    TMvPrBinaryFormWClass& operator=(const TMvPrBinaryFormWClass&) = delete;

    // ---- the document
    [[nodiscard]] const std::string& FileName() const { return fileName_; }
    // The file name, or "(新規)" while there is none.
    [[nodiscard]] std::string DisplayName() const;
    [[nodiscard]] TEditorCore& Core();
    [[nodiscard]] const TEditorCore& Core() const;
    [[nodiscard]] TBinaryView& View();
    [[nodiscard]] const TMemoryModule& Module() const;
    [[nodiscard]] bool IsModified() const;
    [[nodiscard]] bool InViewMode() const;
    [[nodiscard]] TCompareMode CompareMode() const { return compareMode_; }
    [[nodiscard]] const std::string& CompareFileName() const { return compareFileName_; }
    [[nodiscard]] TByteOrder ByteOrder() const { return byteOrder_; }
    // The program's configuration, which the window's tools start from.
    [[nodiscard]] const TEnvironment& Environment() const;
    // A load or a save is running; the window repaints meanwhile but takes no commands.
    [[nodiscard]] bool IsWorking() const { return working_ > 0; }

    // ---- lifecycle
    // Sets the name and the caption; a name goes into the history.
    void SetFileName(const std::string& name);
    // Loads the file into this window; answers false, having said why, when it cannot.
    bool LoadFile(const std::string& name);
    // Open, drop and history: the window that holds the file comes to the front, an untouched
    // new window takes the file, any other opens it in a new window.
    void OpenFileInWindow(const std::string& name);
    // The close question; answers whether the window may close.
    bool ConfirmClose();
    // Saves the window's own file when it is modified and editable, asking for a name when it
    // has none; answers whether the data is on disk now (false: failed, cancelled, view mode).
    bool Save();
    // Stops comparing, whatever this window compared with.
    void EndComparison();
    // The configuration; its apply-modes flag also sets the per-window modes.
    void ApplySettings(const TEnvironment& environment);
    // The size that shows the editor whole, keeping the window's top-left corner.
    void SizeOptimize();

    // ---- profile
    [[nodiscard]] WindowProfile Profile() const;
    void RestoreViewPosition(const WindowProfile& profile);

    // ---- what the shell asks of every window
    // The file this window compared with is now open in another window: compare with its store.
    void CompareWithHeldFile(const std::string& name, const TMemoryModule& module);
    [[nodiscard]] bool ComparesWith(const TMemoryModule& module) const;
    // Rebuilds the history menus and the window entries.
    void RefreshWindowMenus();
    // Shows the function-key captions of that modifier state unless they are shown already.
    void RefreshShiftState(int modifierState, bool force = false);
    // The tool windows of this window (its children of the tool kind).
    void HideToolWindows();
    void ShowToolWindows();
    [[nodiscard]] bool DialogAutoHidden() const { return dialogAutoHidden_; }

    // ---- parts, for the shell and for tests
    [[nodiscard]] QAction* Action(std::string_view name) const;
    [[nodiscard]] TMainMenu& MainMenu() { return *mainMenu_; }
    [[nodiscard]] TDocumentStatusBar& StatusBar() { return *statusBar_; }
    [[nodiscard]] TInformationPanel& InformationPanel() { return *infoPanel_; }
    [[nodiscard]] TFunctionKeyBar& FunctionBar() { return *functionBar_; }
    [[nodiscard]] QToolBar& ToolBar() { return *toolBar_; }
    [[nodiscard]] QMenu& HistoryPopup() { return *historyPopup_; }
    [[nodiscard]] QMenu& SelectFileMenu() { return *selectFileMenu_; }
    [[nodiscard]] TDocumentTools& Tools() { return *tools_; }
    // evtEnableSetting: the menu and tool-bar state from the editor's and the window's state.
    void EnableSetting();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // creation (document_window.cpp)
    void CreateBars();
    void CreateToolBar();
    void CreatePopups();
    void ConnectItems();
    void Connect(std::string_view item, void (TMvPrBinaryFormWClass::*handler)());
    void UpdateCaption();

    // refreshes
    [[nodiscard]] TEnableFacts Facts() const;
    void RefreshInformation();
    void RefreshStatus();
    void ShowProgress(std::string_view text);
    void RefreshFunctionCaptions();

    // commands
    void RunCommand(CommandId command);
    // Whether the command does something here: the editor's own and those with an item.
    [[nodiscard]] bool Runs(CommandId command) const;
    void PopUpMenuAtCaret(CommandId command);
    void EnterMenuBar();

    // Marks a load, a save or a compaction: work that arrives meanwhile waits for its end, the
    // editor keeps its last picture instead of painting a store being filled, and progress
    // texts repaint the rest of the window.
    class TWorkingScope {
    public:
        explicit TWorkingScope(TMvPrBinaryFormWClass& window);
        ~TWorkingScope();
        TWorkingScope(const TWorkingScope&) = delete;
        TWorkingScope& operator=(const TWorkingScope&) = delete;

    private:
        TMvPrBinaryFormWClass& window_;
        TEventPump pump_;
    };

    // files (document_file.cpp)
    std::optional<std::string> AskFileName(QFileDialog::AcceptMode mode, const char* name,
                                           const char* title, const char* filter,
                                           const char* defaultSuffix = nullptr);
    std::optional<std::string> AskSaveTarget(const char* name, const char* title,
                                             const char* filter,
                                             const char* defaultSuffix = nullptr);
    bool SaveTo(const std::string& name);
    bool SaveWithDialogIfUnnamed();
    void OpenHistoryEntry(const std::string& name);
    void MM_NewFileClick();
    void MM_OpenFileClick();
    void MM_ReloadClick();
    void MM_SaveFileClick();
    void MM_SaveAnotherNameClick();
    void MM_SaveReproductionClick();
    void SaveExpand(bool copy);
    void MM_SaveAllFileClick();
    void MM_CloseClick();
    void MM_AllCloseClick();
    void MM_SaveCloseClick();
    void MM_SaveAllCloseClick();
    void MM_TextOutPutClick();

    // editing, view, comparison, windows (document_commands.cpp)
    void RunEditorCommand(CommandId command);
    void MM_ViewItemsClick(CommandId command);
    void MM_ViewCompareColorClick();
    void MM_DialogFlatteryClick();
    void MM_DialogAutoHiddenClick();
    void SetByteOrder(TByteOrder order);
    void MM_CompareQuitClick();
    void MM_CompareFileClick();
    void MM_CompareWindowClick();
    void MM_ComparePresentClick();
    void MM_WindowNextClick();
    void MM_WindowListClick();
    void MM_WindowSizeOptimizeClick();
    void MM_WindowSizeOptimizeVClick();
    void MM_GarbageCollectionClick();
    void MM_LumpSettingClick();
    void MM_WebPageCSClick();
    void MM_WebPageClick();
    void RebuildHistoryMenu(QMenu& menu);
    void RebuildWindowEntries();
    void RebuildSelectFileMenu();
    [[nodiscard]] QSize AroundEditor() const;
    void ResizeClient(QSize client, std::uint8_t mode);
    void FollowToolWindows();

    TDocumentShell& shell_;
    TQtHostServices host_;
    TBEditor* editor_ = nullptr;
    TInformationPanel* infoPanel_ = nullptr;
    TFunctionKeyBar* functionBar_ = nullptr;
    TDocumentStatusBar* statusBar_ = nullptr;
    TWorkPump* workPump_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    TMainMenu* mainMenu_ = nullptr;
    QMenu* historyPopup_ = nullptr;
    QMenu* selectFileMenu_ = nullptr;
    QAction* selectFileListItem_ = nullptr; // PU_WindowList, before which windows are listed
    TDocumentTools* tools_ = nullptr;

    std::string fileName_;
    std::optional<std::int64_t> fileTime_; // modification time when loaded; none for a new file
    TCompareMode compareMode_ = TCompareMode::None;
    std::string compareFileName_;
    std::string readOnlyExtensions_;
    TByteOrder byteOrder_ = TByteOrder::LittleEndian;
    std::uint8_t sizeOptimiseMode_ = 0; // 0 none, 1 size optimise, 2 full height
    QSize optimisedSize_;               // the size the last sizing command asked for
    TInfoMode infoMode_ = TInfoMode::MemoryEfficiency;
    bool dialogFlattery_ = true;
    bool dialogAutoHidden_ = true;
    bool creating_ = true;
    bool closePending_ = false; // a close waits for the end of long work
    int working_ = 0;
    QElapsedTimer sincePaint_; // paced repaints while a load or save runs
};

} // namespace mv
