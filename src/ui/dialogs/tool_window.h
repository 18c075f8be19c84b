#pragma once

#include "core/datastore/address.h"
#include "core/typedvalues/int_edit_model.h"

#include <QtCore/QPoint>
#include <QtWidgets/QDialog>

namespace mv {

// What a document window hands its open tool windows when its caret moves or its data
// changes.
struct TCaretFeed {
    TValueType Value = 0; // the four bytes at the caret, little-endian, 0 past the end
    Address Caret = 0;
};
struct TStatusFeed {
    Address DataSize = 0;
    bool Comparing = false;
};

// A modeless tool window of a document window: it stays on top of its owner, keeps its
// offset from the owner's top-left corner (32, 32 at first) and stands inside the work area.
// Closing frees it. The owner feeds the value at the caret and the data facts to every tool;
// each tool takes what it shows.
class TToolWindow : public QDialog {
    Q_OBJECT
public:
    explicit TToolWindow(QWidget* owner);

    [[nodiscard]] QPoint FollowOffset() const { return followOffset_; }
    // Places the window at its owner's corner plus the offset, inside the work area.
    void PlaceByOwner();
    // The owner moved: following, the window goes along; otherwise it keeps its place and
    // remembers its new offset.
    void OwnerMoved(bool follow);
    // Placed by its owner, shown without taking a modal hold and given the keyboard: the
    // control the tool chose takes the keys, not the document.
    void ShowTool();

    // Brings the window forward with the keyboard, as after a message that left the
    // keyboard to the window manager's choice.
    void TakeKeyboard();

    // Hidden while its document window is inactive, and back without taking the focus.
    void HideWithOwner();
    void ShowWithOwner();

    virtual void TakeCaret(const TCaretFeed& feed);
    virtual void TakeStatus(const TStatusFeed& feed);

protected:
    // A move by the user sets a new offset; the window's own placing does not, so that an
    // offset pulled in at a screen edge comes back when the owner moves away from the edge.
    void moveEvent(QMoveEvent* event) override;

private:
    QPoint followOffset_;
    QPoint placed_; // where the window last placed itself
    bool hiddenWithOwner_ = false;
};

} // namespace mv
