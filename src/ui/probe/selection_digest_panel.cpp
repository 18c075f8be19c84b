#include "ui/probe/selection_digest_panel.h"

#include "platform/deferred_work.h"
#include "ui/probe/value_table.h"

#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QProgressDialog>
#include <QtWidgets/QPushButton>

namespace mv {

namespace {

QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

TSelectionDigestPanel::TSelectionDigestPanel(const TMemoryModule& module, QWidget* parent)
    : QGroupBox(QStringLiteral(" 選択範囲 "), parent), module_(module),
      btnCompute_(new QPushButton(QStringLiteral("計算(&K)"), this)), settle_(new QTimer(this)) {
    // The SHA-256 digest is the longest text: 64 digits.
    constexpr int Digits = 64;
    auto* table = new TValueTable(this);
    length_ = &table->AddRow(QStringLiteral("長さ"), Digits);
    length_->setObjectName(QStringLiteral("Length"));
    length_->setPlaceholderText(QStringLiteral("範囲選択なし"));
    length_->setReadOnly(true);
    for (int kind = 0; kind < DigestKindCount; ++kind) {
        const QString name = Utf8(DigestName(static_cast<TDigestKind>(kind)));
        QLineEdit& field = table->AddRow(name, Digits);
        field.setObjectName(name);
        field.setReadOnly(true);
        digests_[static_cast<std::size_t>(kind)] = &field;
    }
    btnCompute_->setObjectName(QStringLiteral("btnCompute"));
    btnCompute_->setAutoDefault(false);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(table, 1);
    layout->addWidget(btnCompute_, 0, Qt::AlignTop);

    settle_->setSingleShot(true);
    settle_->setInterval(SettleMs);
    connect(settle_, &QTimer::timeout, this, &TSelectionDigestPanel::ComputeAtOnce);
    connect(btnCompute_, &QPushButton::clicked, this, &TSelectionDigestPanel::ComputeOnRequest);
    DataChanged();
}

void TSelectionDigestPanel::SetRange(std::optional<TByteRange> range) {
    if (range == range_) return;
    range_ = range;
    DataChanged();
}

void TSelectionDigestPanel::DataChanged() {
    digested_ = false;
    settle_->stop();
    length_->setText(range_ ? Utf8(ByteCountText(range_->Count)) : QString());
    const bool onRequest = range_ && range_->Count > AtOnceLimit;
    btnCompute_->setEnabled(onRequest);
    if (!range_) return Drop({});
    if (onRequest) return Drop(QStringLiteral("「計算」で求めます"));
    Drop(QStringLiteral("計算中..."));
    settle_->start();
}

bool TSelectionDigestPanel::Pending() const {
    return settle_->isActive();
}

void TSelectionDigestPanel::Drop(const QString& hint) {
    // A field already empty is left alone: a held key extending the selection would
    // otherwise repaint it at every move.
    for (QLineEdit* field : digests_) {
        if (!field->text().isEmpty()) field->clear();
        field->setPlaceholderText(hint);
    }
}

void TSelectionDigestPanel::ComputeAtOnce() {
    // Work under way that pumps events (a load, a save, a dialog) starts nothing new: the
    // digests wait for its end.
    if (ProgramBusy()) return settle_->start();
    if (range_) ShowResult(TRangeDigests::Of(module_, range_->Start, range_->Count));
}

// The progress dialog is application-modal: nothing can change the data while it is read
// between the events, and whatever else arrives waits for the end.
void TSelectionDigestPanel::ComputeOnRequest() {
    if (!range_ || digested_) return;
    constexpr int Steps = 1000;
    TRangeDigests digests(module_, range_->Start, range_->Count);
    QProgressDialog progress(QStringLiteral("選択範囲のハッシュを計算しています..."),
                             QStringLiteral("中止"), 0, Steps, this);
    progress.setWindowTitle(window()->windowTitle());
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.show();
    const TEventPump pump;
    while (digests.Step()) {
        progress.setValue(static_cast<int>(digests.Done() * Steps / digests.Count()));
        QCoreApplication::processEvents();
        // Escape cancels through the dialog's shortcut, or, when the dialog is not the
        // active window, rejects it like any dialog.
        if (progress.wasCanceled() || !progress.isVisible()) return;
    }
    ShowResult(digests.Result());
}

void TSelectionDigestPanel::ShowResult(const std::optional<TDigestTexts>& texts) {
    digested_ = true;
    btnCompute_->setEnabled(false);
    if (!texts) return Drop(QStringLiteral("データを読み込めません"));
    for (std::size_t kind = 0; kind < digests_.size(); ++kind) {
        digests_[kind]->setText(Utf8((*texts)[kind]));
        // An algorithm that the system's policy turns off gives no digest.
        digests_[kind]->setPlaceholderText(QStringLiteral("この環境では使えません"));
    }
}

} // namespace mv
