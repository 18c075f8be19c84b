#pragma once

#include <QtWidgets/QWidget>

namespace mv {

// The panels around the binary view have fixed pixel heights, so their text has a fixed pixel
// size too: a large desktop font would otherwise be cut off.
inline void UsePanelFont(QWidget& widget) {
    QFont font = widget.font();
    font.setPixelSize(12);
    widget.setFont(font);
}

} // namespace mv
