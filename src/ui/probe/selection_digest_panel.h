#pragma once

#include "core/probe/editor_probe.h"
#include "core/probe/range_digests.h"

#include <QtWidgets/QGroupBox>

#include <array>
#include <optional>

class QLineEdit;
class QPushButton;
class QTimer;

namespace mv {

class TMemoryModule;

// The selection part of the data probe: the selection's length and its CRC-32, MD5, SHA-1
// and SHA-256. A selection up to the at-once limit is digested once it has stood still for a
// moment, so that a held key extending it never waits for the digests; a larger one when the
// compute button is pressed, with its progress shown and Escape to stop.
class TSelectionDigestPanel : public QGroupBox {
    Q_OBJECT
public:
    TSelectionDigestPanel(const TMemoryModule& module, QWidget* parent);

    // The selection as it stands; a range other than the one shown drops the shown digests.
    void SetRange(std::optional<TByteRange> range);
    // The data changed under the selection: its digests are computed anew.
    void DataChanged();

    // Digests of a range this size or smaller are computed without asking; tests make it small.
    ByteCount AtOnceLimit = DigestAtOnceLimit;
    // How long a selection stands still before it is digested.
    static constexpr int SettleMs = 150;

    // ---- parts, for tests
    [[nodiscard]] QLineEdit& Length() { return *length_; }
    [[nodiscard]] QLineEdit& Digest(TDigestKind kind) {
        return *digests_[static_cast<std::size_t>(kind)];
    }
    [[nodiscard]] QPushButton& BtnCompute() { return *btnCompute_; }
    [[nodiscard]] bool Pending() const;

private:
    // The shown digests no longer belong to the selection; the hint says what comes instead.
    void Drop(const QString& hint);
    void ComputeAtOnce();
    // The compute button: every chunk with the progress dialog between them.
    void ComputeOnRequest();
    void ShowResult(const std::optional<TDigestTexts>& texts);

    const TMemoryModule& module_;
    std::optional<TByteRange> range_;
    bool digested_ = false; // the fields hold the digests of range_
    QLineEdit* length_ = nullptr;
    std::array<QLineEdit*, DigestKindCount> digests_{};
    QPushButton* btnCompute_;
    QTimer* settle_;
};

} // namespace mv
