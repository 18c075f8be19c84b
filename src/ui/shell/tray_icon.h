#pragma once

#include <QtWidgets/QMenu>
#include <QtWidgets/QSystemTrayIcon>

#include <string>
#include <vector>

namespace mv {

// The commands of the tray's popup menu besides its two lists.
enum class TTrayCommand { NewWindow, Open, Help, Options, QuitAll, Version };

// What the tray icon asks of the program that owns all windows.
class TTrayShell {
public:
    virtual ~TTrayShell() = default;

    // A modal dialog or an open dialog is up: the tray only beeps.
    [[nodiscard]] virtual bool IsBusy() const = 0;
    [[nodiscard]] virtual std::vector<std::string> HistoryNames() const = 0;
    // The windows' file names in list order, empty for a window without one.
    [[nodiscard]] virtual std::vector<std::string> WindowFileNames() const = 0;
    // Whether the program has what the command opens; a command it lacks gets no item.
    [[nodiscard]] virtual bool Offers(TTrayCommand command) const = 0;

    virtual void Run(TTrayCommand command) = 0; // NewWindow also brings the window to the front
    virtual void OpenHistoryEntry(int index) = 0;
    virtual void ActivateWindow(int index) = 0;
    // The window list without an owner; activates the window chosen.
    virtual void ShowWindowList() = 0;
};

// The notification-area icon with its popup menu, rebuilt from the shell each time it opens.
// Where the desktop has no notification area the icon waits for one.
class TTrayIcon : public QObject {
public:
    explicit TTrayIcon(TTrayShell& shell, QObject* parent = nullptr);

    // Adds the icon to the notification area, now or once the desktop starts one.
    void Add();
    void Remove();

    // Fills the popup from the shell's current state, as opening the menu does.
    void RebuildPopup();
    [[nodiscard]] QMenu& Popup() { return popup_; }

private:
    void AboutToShowPopup();
    void Activated(QSystemTrayIcon::ActivationReason reason);
    void FillHistory();
    void FillWindows();
    void AddCommand(TTrayCommand command, const char* name, const char* caption);

    TTrayShell& shell_;
    QMenu popup_;
    QMenu* history_;
    QMenu* windows_;
    QSystemTrayIcon icon_;
};

} // namespace mv
