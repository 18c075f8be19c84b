#pragma once

#include "core/binaryview/editor_core.h"
#include "platform/qt_editor_host.h"
#include "ui/binaryview/character_fonts.h"
#include "ui/binaryview/glyph_batch.h"
#include "ui/binaryview/view_layout.h"

#include <QtCore/QTimer>
#include <QtGui/QFont>
#include <QtWidgets/QAbstractScrollArea>

#include <memory>
#include <vector>

namespace mv {

class TContextMenu;
class TFooterView;
class THeaderView;
class TUserMenu;

// The data view of the binary editor: paints the lines of the editor core it holds and turns
// keys, characters, the mouse, the wheel and the scroll bar into calls on it. The core
// decides everything about bytes, the caret and the selection.
class TBinaryView : public QAbstractScrollArea, private TQtEditorHost {
    Q_OBJECT
public:
    explicit TBinaryView(QWidget* parent = nullptr);
    ~TBinaryView() override;

    [[nodiscard]] TEditorCore& Core() { return core_; }
    [[nodiscard]] const TEditorCore& Core() const { return core_; }
    [[nodiscard]] const TViewLayout& Layout() const { return layout_; }

    // The view's font; the layout follows it.
    void SetViewFont(const QFont& font);
    [[nodiscard]] const QFont& ViewFont() const { return font_; }
    void SetViewItems(std::uint8_t items);
    [[nodiscard]] std::uint8_t ViewItems() const { return layout_.ViewItems(); }
    // The environment's editor part, then the context menu's shortcuts and a new layout.
    void ApplyEnvironment(const TEnvironment& environment);
    void SetCompareArrow(bool on);
    void SetCompareColor(bool on);
    void SetCaretMarker(bool on);
    // The strips that show the column captions and sums; either may be absent.
    void SetStrips(THeaderView* header, TFooterView* footer);

    // The caret in viewport coordinates.
    [[nodiscard]] QRect CaretRect() const;
    [[nodiscard]] TContextMenu& ContextMenu() { return *contextMenu_; }

signals:
    void changed();
    void caretMoved();
    void command(mv::CommandId command);
    void keyOrFocus();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    [[nodiscard]] QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    TReplaceAnswer AskReplace() override;
    void HandleOneEvent() override;

    void Relayout();
    void DataChanged();
    void CaretMoved();
    void ScrollBarAction(int action);
    void SetScrollRange();
    void ShowPostedMenu(CommandId command);
    void PassTypedAhead();
    void ShowContextMenu(QPoint screenPoint);
    // Typed text: hexadecimal digits in the hexadecimal area, characters in the character
    // area. Answers whether any of it was taken.
    bool TypeText(const QString& text);
    void DragStep(QPoint point);
    void AutoScrollTick();
    void RestartBlink();

    TEditorCore core_;
    TViewLayout layout_;
    QFont font_;
    std::unique_ptr<TGlyphBatch> glyphs_;
    std::unique_ptr<TCharacterFonts> characterFonts_;
    std::uint8_t viewItems_ = AllViewItems;
    std::vector<Byte> mine_;
    std::vector<Byte> theirs_;
    std::vector<char> unreadable_; // marks of the bytes in mine_ the file could not give
    THeaderView* header_ = nullptr;
    TFooterView* footer_ = nullptr;
    TContextMenu* contextMenu_ = nullptr;
    TUserMenu* userMenu_ = nullptr;
    QTimer autoScroll_;
    std::int64_t scrollLinesPerStep_ = 1;
    QTimer blink_;
    bool caretShown_ = false; // the blink phase while the view has the focus
    bool dragging_ = false;
    int handlingEvents_ = 0; // depth of repeated moves and replace runs waiting for events
    int wheelDelta_ = 0;
    bool menuPosted_ = false; // a menu key was handled and its menu has not opened yet
    std::vector<std::unique_ptr<QKeyEvent>> typedAhead_; // key presses meant for that menu
    QString preedit_;
};

} // namespace mv
