#pragma once

#include <initializer_list>

class QHBoxLayout;
class QPushButton;

namespace mv {

// The row of buttons at the foot of a dialog, pushed to the right in the order given.
[[nodiscard]] QHBoxLayout* ButtonRow(std::initializer_list<QPushButton*> buttons);

} // namespace mv
