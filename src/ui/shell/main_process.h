#pragma once

#include "core/config/environment.h"
#include "core/config/history_list.h"
#include "core/config/profile_list.h"
#include "core/shell/handover_frame.h"
#include "platform/qt_host_services.h"
#include "ui/document/document_shell.h"
#include "ui/shell/tray_icon.h"

#include <QtCore/QElapsedTimer>
#include <QtCore/QObject>
#include <QtCore/QPointer>
#include <QtCore/QString>
#include <QtCore/QTimer>

#include <functional>
#include <string>
#include <vector>

namespace mv {

class TDlgEnvironment;

// The program's shell: never shown, it owns every document window and lists them in creation
// order, keeps the file history, the window profiles and the configuration (read at the
// start, written at the end), shows the tray icon, takes the hand-overs of later starts and
// carries out what concerns every window. The program ends when its last window has gone.
class TMvPrMainProcessWClass : public QObject, public TDocumentShell, public TTrayShell {
public:
    // Where the configuration lives: the settings file and the folder of "_profile".
    struct TPaths {
        QString ConfigFile;
        std::string ProfileFolder;
    };
    // The user's config folder for the settings, the user's data folder for the profiles.
    [[nodiscard]] static TPaths UserPaths();

    explicit TMvPrMainProcessWClass(TPaths paths = UserPaths());
    ~TMvPrMainProcessWClass() override;
    TMvPrMainProcessWClass(const TMvPrMainProcessWClass&) = delete;
    TMvPrMainProcessWClass& operator=(const TMvPrMainProcessWClass&) = delete;

    // Reads the configuration, shows the tray icon and opens a window for each file name (one
    // empty window when none opens); from then on it takes hand-overs.
    void Start(const std::vector<std::string>& fileNames);
    // A request of a later start, answered at once: the window that holds the file already,
    // HandoverAccepted when the file or the new window opens afterwards, 0 when the request is
    // refused (ending, or a file that cannot be opened, whose message follows the answer).
    TWindowId HandOver(const THandoverFrame& request);
    // Closes every window (each asks its own question); with none left the program ends.
    void QuitAll();
    // Long work, a modal dialog or a file dialog is on.
    [[nodiscard]] bool IsBusy() const override;
    [[nodiscard]] bool AcceptingRequests() const { return accepting_; }
    // Every window is closed and the configuration is saved.
    [[nodiscard]] bool Ended() const { return ended_; }
    [[nodiscard]] TTrayIcon& Tray() { return tray_; }
    [[nodiscard]] const TProfileList& Profiles() const { return profiles_; }
    // Replaces the configuration and applies it to every window, keeping their own modes and
    // the probe's byte order, which no dialog edits.
    void ApplySettingsToAll(const TEnvironment& environment);

    // The last window has gone: hand-overs stop here.
    std::function<void()> OnEnding;
    // The configuration is saved and the program may end (the caller lets a later start become
    // the running instance now, so that it reads what was saved); by default the application
    // quits.
    std::function<void()> OnEnd;

    // ---- TDocumentShell
    [[nodiscard]] const TEnvironment& Environment() const override { return environment_; }
    [[nodiscard]] std::vector<TMvPrBinaryFormWClass*> DocumentList() const override;
    TMvPrBinaryFormWClass* NewDocumentWindow() override;
    TMvPrBinaryFormWClass* OpenDocumentWindow(const std::string& name) override;
    [[nodiscard]] TMvPrBinaryFormWClass* FindDocumentWindow(const std::string& name) const override;
    [[nodiscard]] TMvPrBinaryFormWClass* NextDocumentWindow(const TMvPrBinaryFormWClass* window) const override;
    TMvPrBinaryFormWClass* SelectWindowDialog(QWidget* owner) override;
    void BringToFront(TMvPrBinaryFormWClass* window) override;
    void RefreshWindowMenus() override;
    void UnregisterWindow(TMvPrBinaryFormWClass* window) override;
    void WindowActivated(TMvPrBinaryFormWClass* window) override;
    void SaveAll() override;
    void CloseAll() override;
    void SaveAllClose() override;
    void ShowOptions() override;
    void SetProbeByteOrder(TByteOrder order) override { environment_.ProbeByteOrder = order; }
    [[nodiscard]] const THistoryList& History() const override { return history_; }
    void AddHistory(const std::string& name) override;
    bool KeepHistoryEntry(const std::string& name) override;
    std::optional<WindowProfile> FetchProfile(const std::string& name) override;
    void FileNowHeldBy(const std::string& name, const TMemoryModule& module) override;
    void EndComparisonsWith(const TMemoryModule& module) override;
    void FileDialogShowing(bool showing) override { fileDialogShowing_ = showing; }

    // ---- TTrayShell
    [[nodiscard]] std::vector<std::string> HistoryNames() const override;
    [[nodiscard]] std::vector<std::string> WindowFileNames() const override;
    [[nodiscard]] bool Offers(TTrayCommand command) const override;
    void Run(TTrayCommand command) override;
    void OpenHistoryEntry(int index) override;
    void ActivateWindow(int index) override;
    void ShowWindowList() override;

private:
    void LoadSettings();
    void SaveSettings();
    TMvPrBinaryFormWClass* CreateDocumentWindow();
    // The window that holds the file, or a new one for it; none when it cannot be opened.
    TMvPrBinaryFormWClass* FindOrOpenDocumentWindow(const std::string& name);
    void CentreOnWorkArea(TMvPrBinaryFormWClass& window) const;
    void PlaceFromProfile(TMvPrBinaryFormWClass& window, const WindowProfile& profile) const;
    void StartEnding();
    // The window used last that is on screen comes to the front.
    void BringLastUsedToFront();
    void QuitTick();
    void RefreshFunctionKeysOnIdle();
    // Runs the loop over the windows with the window menus refreshed once at the end.
    void ForEachWindow(bool lastFirst, const std::function<void(TMvPrBinaryFormWClass&)>& step);

    TPaths paths_;
    TQtHostServices host_;
    TEnvironment environment_;
    THistoryList history_;
    TProfileList profiles_;
    std::vector<TMvPrBinaryFormWClass*> documents_; // creation order
    std::vector<QPointer<TMvPrBinaryFormWClass>> activations_; // most recently active first
    TTrayIcon tray_;
    QPointer<TDlgEnvironment> options_; // open, or none
    QTimer quitTimer_;
    QTimer heapTrim_; // gives the memory of freed windows back to the system
    bool accepting_ = false;
    bool fileDialogShowing_ = false;
    bool menuRefreshEnabled_ = true;
    bool ended_ = false;
    QElapsedTimer sinceModifierQuery_;
};

} // namespace mv
