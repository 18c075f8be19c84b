#include "ui/binaryview/b_editor.h"

#include "platform/fixed_font.h"
#include "ui/binaryview/binary_view.h"
#include "ui/binaryview/footer_view.h"
#include "ui/binaryview/header_view.h"

#include <QtWidgets/QVBoxLayout>

namespace mv {

TBEditor::TBEditor(QWidget* parent)
    : QFrame(parent), header_(new THeaderView(this)), view_(new TBinaryView(this)),
      footer_(new TFooterView(this)) {
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setFocusPolicy(Qt::NoFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(header_);
    layout->addWidget(view_, 1);
    layout->addWidget(footer_);
    view_->SetStrips(header_, footer_);
    SetFontHeight(fontHeight_);
    resize(sizeHint());
}

void TBEditor::SetFontHeight(int height) {
    fontHeight_ = height;
    header_->setFont(FixedFont(height - 2));
    header_->setFixedHeight(height + 2);
    view_->SetViewFont(FixedFont(height));
    footer_->setFont(FixedFont(height));
    footer_->setFixedHeight(height + 4);
}

void TBEditor::SetViewItems(std::uint8_t items) {
    view_->SetViewItems(items);
    header_->setVisible((items & viHeader) != 0);
    footer_->setVisible((items & viFooter) != 0);
}

std::uint8_t TBEditor::ViewItems() const {
    return view_->ViewItems();
}

void TBEditor::SetEnvironment(const TEnvironment& environment) {
    SetFontHeight(environment.FontHeight);
    view_->ApplyEnvironment(environment);
}

int TBEditor::PreferredWidth() const {
    return 2 * frameWidth() + view_->Layout().TotalWidth();
}

int TBEditor::PreferredHeight() const {
    int height = 2 * frameWidth() + view_->Layout().SixteenLinesHeight();
    if ((ViewItems() & viHeader) != 0) height += header_->height();
    if ((ViewItems() & viFooter) != 0) height += footer_->height();
    return height;
}

} // namespace mv
