#pragma once

class QWidget;

namespace mv {

// The topic of the manual that a window or dialog stands for: F1 in it opens that topic.
// Write the number as a literal: a test reads the calls and checks that the manual has each.
void SetHelpContext(QWidget& window, int context);

// The topic of the widget's window, or of the nearest window that holds it; 0 for none.
[[nodiscard]] int HelpContextOf(const QWidget* widget);

} // namespace mv
