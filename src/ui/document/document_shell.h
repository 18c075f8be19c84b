#pragma once

#include "core/config/environment.h"
#include "core/config/history_list.h"
#include "core/config/window_profile.h"

#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace mv {

class TMemoryModule;
class TMvPrBinaryFormWClass;

// What a document window asks of the program that owns all windows: the other windows, the
// file history and profiles, the configuration and the commands that concern every window.
class TDocumentShell {
public:
    virtual ~TDocumentShell() = default;

    [[nodiscard]] virtual const TEnvironment& Environment() const = 0;

    // ---- windows, in creation order
    [[nodiscard]] virtual std::vector<TMvPrBinaryFormWClass*> DocumentList() const = 0;
    virtual TMvPrBinaryFormWClass* NewDocumentWindow() = 0;
    // A new window for the file; none when the file cannot be opened (it has said why).
    virtual TMvPrBinaryFormWClass* OpenDocumentWindow(const std::string& name) = 0;
    [[nodiscard]] virtual TMvPrBinaryFormWClass* FindDocumentWindow(const std::string& name) const = 0;
    [[nodiscard]] virtual TMvPrBinaryFormWClass* NextDocumentWindow(const TMvPrBinaryFormWClass* window) const = 0;
    // The window-selection dialog over `owner`; the chosen window or none.
    virtual TMvPrBinaryFormWClass* SelectWindowDialog(QWidget* owner) = 0;
    // Makes the window the active one, restoring it when minimised.
    virtual void BringToFront(TMvPrBinaryFormWClass* window) = 0;
    virtual void RefreshWindowMenus() = 0;
    // The window is closing: its profile is kept and it leaves the list.
    virtual void UnregisterWindow(TMvPrBinaryFormWClass* window) = 0;
    // A window was activated: the others hide their tool windows.
    virtual void WindowActivated(TMvPrBinaryFormWClass* window) = 0;

    // ---- commands on every window
    virtual void SaveAll() = 0;
    virtual void CloseAll() = 0;
    virtual void SaveAllClose() = 0;
    // The environment options: brought to the front when open, else opened on a copy of the
    // configuration.
    virtual void ShowOptions() = 0;
    // The byte order a data probe was switched to, kept for the next one.
    virtual void SetProbeByteOrder(TByteOrder order) = 0;

    // ---- history and profiles
    [[nodiscard]] virtual const THistoryList& History() const = 0;
    virtual void AddHistory(const std::string& name) = 0;
    // Whether the history entry's file still exists; when it does not, the user is told and
    // the entry leaves the history.
    virtual bool KeepHistoryEntry(const std::string& name) = 0;
    virtual std::optional<WindowProfile> FetchProfile(const std::string& name) = 0;

    // ---- comparisons between windows
    // Windows comparing with the file `name` compare with this store instead.
    virtual void FileNowHeldBy(const std::string& name, const TMemoryModule& module) = 0;
    // Windows comparing with the store stop comparing.
    virtual void EndComparisonsWith(const TMemoryModule& module) = 0;

    // A file dialog of a window opens (true) or closes (false); hand-overs wait meanwhile.
    virtual void FileDialogShowing(bool showing) = 0;
};

} // namespace mv
