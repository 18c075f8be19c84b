#pragma once

#include "core/config/environment.h"
#include "core/datastore/address.h"
#include "core/document/information_texts.h"

#include <QtWidgets/QWidget>

#include <array>

class QToolButton;

namespace mv {

class TEditorCore;
class TValueBox;

// The information panel below the binary view: address, file size and range size on the
// left, the bytes at the caret as bits, byte, word and double word on the right, each with a
// button that copies the row's text to the clipboard.
class TInformationPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int PanelHeight = 68;

    explicit TInformationPanel(QWidget* parent = nullptr);

    // The caret rows from the editor, Word and Double Word in the given byte order.
    void Refresh(const TEditorCore& core, TByteOrder order);
    // The File Size row, which the status refresh keeps.
    void SetFileSize(Address size);

    // The row as it stands, and what its copy button puts on the clipboard.
    [[nodiscard]] TInfoRowText RowText(TInfoRow row) const;
    [[nodiscard]] QToolButton* CopyButton(TInfoRow row) const;

private:
    struct TRowWidgets {
        TInfoRowText Text;
        TValueBox* Box = nullptr;
        QToolButton* Copy = nullptr;
    };

    void ShowRow(TInfoRow row, const TInfoRowText& text);
    void CopyRow(TInfoRow row) const;

    std::array<TRowWidgets, InfoRowCount> rows_;
};

} // namespace mv
