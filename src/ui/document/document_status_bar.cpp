#include "ui/document/document_status_bar.h"

#include "ui/document/document_icons.h"
#include "ui/document/panel_font.h"

#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMenu>

#include <functional>
#include <utility>

namespace mv {

// Panel 5: the switch icon centred, without a bevel; a plain left press opens the gauge menu.
class TGaugeSwitch : public QWidget {
public:
    static constexpr int Width = 12;

    TGaugeSwitch(QWidget* parent, std::function<void()> onPress)
        : QWidget(parent), onPress_(std::move(onPress)) {
        setFixedWidth(Width);
    }
    void SetIcon(const QIcon& icon) {
        icon_ = icon;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QPixmap pixmap = icon_.pixmap(QSize(16, 16), devicePixelRatioF());
        painter.drawPixmap(QRect((width() - 16) / 2, (height() - 16) / 2, 16, 16), pixmap);
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && event->modifiers() == Qt::NoModifier) onPress_();
    }

private:
    QIcon icon_;
    std::function<void()> onPress_;
};

namespace {

constexpr int GaugePanel = 5;
constexpr int ProgressPanel = 7;
// Widths of panels 0 to 6; panel 7 takes the rest.
constexpr std::array<int, 7> PanelWidths{32, 32, 32, 32, 108, TGaugeSwitch::Width, 130};

} // namespace

TDocumentStatusBar::TDocumentStatusBar(QWidget* parent) : QStatusBar(parent) {
    setFixedHeight(BarHeight);
    UsePanelFont(*this);
    for (int panel = 0; panel < PanelCount; ++panel) {
        if (panel == GaugePanel) {
            switch_ = new TGaugeSwitch(this, [this] { OpenInfoModeMenu(); });
            addWidget(switch_);
            continue;
        }
        auto* label = new QLabel(this);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        if (panel < 4) label->setAlignment(Qt::AlignCenter);
        if (panel == ProgressPanel) {
            // Takes the rest of the bar and clips a long text: a progress report must never
            // widen the window it reports in.
            label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
            addWidget(label, 1);
        } else {
            label->setFixedWidth(PanelWidths[static_cast<std::size_t>(panel)]);
            addWidget(label);
        }
        labels_[static_cast<std::size_t>(panel)] = label;
    }
    switch_->SetIcon(GaugeSwitchIcon());

    infoModeMenu_ = new QMenu(this);
    const std::array<const char*, 2> items{"メモリ利用効率(&E)", "アンドゥバッファ利用率(&U)"};
    for (int mode = 0; mode < static_cast<int>(items.size()); ++mode) {
        infoModeMenu_->addAction(QString::fromUtf8(items[static_cast<std::size_t>(mode)]), this,
                                 [this, mode] { emit infoModeChosen(mode); });
    }
}

void TDocumentStatusBar::Refresh(const TStatusFacts& facts) {
    const TStatusTexts texts = StatusTexts(facts);
    for (std::size_t panel = 0; panel < texts.Panels.size(); ++panel)
        labels_[panel]->setText(QString::fromStdString(texts.Panels[panel]));
    labels_[6]->setText(QString::fromStdString(texts.Gauge));
}

void TDocumentStatusBar::SetProgressText(const std::string& utf8) {
    QLabel* label = labels_[ProgressPanel];
    label->setText(QString::fromStdString(utf8));
    // Painted now, not when the event loop comes round: the caller is a long load or save.
    label->repaint();
}

void TDocumentStatusBar::SetIcon(const QIcon& icon) { switch_->SetIcon(icon); }

QString TDocumentStatusBar::PanelText(int panel) const {
    if (panel < 0 || panel >= PanelCount || panel == GaugePanel) return {};
    return labels_[static_cast<std::size_t>(panel)]->text();
}

QWidget* TDocumentStatusBar::Panel(int panel) const {
    if (panel < 0 || panel >= PanelCount) return nullptr;
    if (panel == GaugePanel) return switch_;
    return labels_[static_cast<std::size_t>(panel)];
}

void TDocumentStatusBar::OpenInfoModeMenu() {
    const QPoint rightEdge(switch_->geometry().right() + 1, 0);
    infoModeMenu_->popup(mapToGlobal(rightEdge));
}

} // namespace mv
