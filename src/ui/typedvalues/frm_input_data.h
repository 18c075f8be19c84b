#pragma once

#include "core/config/environment.h"
#include "core/typedvalues/input_data.h"

#include <QtWidgets/QWidget>

class QLabel;
class QTabWidget;

namespace mv {

class TBEditor;
class TFrmInputChar;
class TFrmInputInt;
class TFrmInputStr;

// A run of bytes described on one of five pages: an integer, a string, a character code, raw
// bytes typed into a small binary editor, or nothing at all.
class TFrmInputData : public QWidget {
    Q_OBJECT
public:
    explicit TFrmInputData(QWidget* parent = nullptr);

    // Sets the pages up for a dialog of a document window: the binary editor with the
    // window's configuration (column header and hexadecimal columns only, font height 12),
    // a double word in little-endian order, Shift JIS with CR LF, ASCII codes; the integer
    // field the window's remembered radix prefers.
    void Initialize(const TEnvironment& owner);

    // The focus goes to what the active page is typed into: the preferred integer field, the
    // text, the character list, the raw-bytes editor, or the page tabs on the null page.
    void FocusPage();

    // The bytes of the active page.
    [[nodiscard]] InputDataBlock GetData() const;

    [[nodiscard]] QTabWidget& Pages() { return *pages_; }
    [[nodiscard]] TInputDataPage Page() const;
    void SetPage(TInputDataPage page);
    [[nodiscard]] TFrmInputInt& FrmInputInt() { return *inputInt_; }
    [[nodiscard]] TFrmInputStr& FrmInputStr() { return *inputStr_; }
    [[nodiscard]] TFrmInputChar& FrmInputChar() { return *inputChar_; }
    // The raw-bytes editor; null before Initialize.
    [[nodiscard]] TBEditor* BinaryEditor() { return binaryEditor_; }

private:
    QTabWidget* pages_;
    TFrmInputInt* inputInt_;
    TFrmInputStr* inputStr_;
    TFrmInputChar* inputChar_;
    QWidget* binaryPanel_;
    QLabel* labelNull_;
    TBEditor* binaryEditor_ = nullptr;
    TCardinalNumber intRadix_ = TCardinalNumber::cnDecimal;
};

} // namespace mv
