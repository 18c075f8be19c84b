#pragma once

#include "core/document/status_texts.h"

#include <QtGui/QIcon>
#include <QtWidgets/QStatusBar>

#include <array>
#include <string>

class QLabel;
class QMenu;

namespace mv {

class TGaugeSwitch;

// The document window's status bar: modified, input mode, checksum, extended ten-key,
// comparison, the gauge switch, the gauge and the memory module's progress text.
class TDocumentStatusBar : public QStatusBar {
    Q_OBJECT
public:
    static constexpr int BarHeight = 18;
    static constexpr int PanelCount = 8;

    explicit TDocumentStatusBar(QWidget* parent = nullptr);

    void Refresh(const TStatusFacts& facts);
    // Panel 7; painted before this returns, so it shows while a long load keeps the event
    // loop busy.
    void SetProgressText(const std::string& utf8);
    // The switch icon of panel 5.
    void SetIcon(const QIcon& icon);

    [[nodiscard]] QString PanelText(int panel) const; // panels 0-4, 6 and 7
    [[nodiscard]] QWidget* Panel(int panel) const;
    [[nodiscard]] QMenu* InfoModeMenu() const { return infoModeMenu_; }

signals:
    // 0 memory efficiency, 1 undo buffer use, as chosen from panel 5's menu.
    void infoModeChosen(int mode);

private:
    void OpenInfoModeMenu();

    std::array<QLabel*, PanelCount> labels_{}; // nullptr at panel 5
    TGaugeSwitch* switch_ = nullptr;
    QMenu* infoModeMenu_ = nullptr;
};

} // namespace mv
