#pragma once

#include "core/filer/filer_layout.h"
#include "core/shell/window_placement.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mv {

// A control's place on its page, in pixels from the page's top-left corner.
using TPlaceRect = TScreenRect;

// The measures of a page's controls in pixels. The defaults are the page's own; the widget
// puts in what its font and style need, so that no caption is cut off.
struct TFilerMetrics {
    // The width of a text (Shift JIS) in the window's font.
    std::function<int(std::string_view)> TextWidth;
    int LabelHeight = 13;
    int EditorHeight = 21; // integer, string and list editors
    int CheckExtra = 20;   // a check box's width beyond its caption
    int IntegerWidth = 64;
    int StringWidth = 200;
    int SelectExtra = 32; // a list's width beyond its widest label
    int SelectMinimum = 64;
    int JumpSize = 20;
};

// Where the controls of one row stand on its page; a rectangle of width 0 for a control the
// row does not have. Caption is a field's label (a check box carries its own), Control the editor,
// label, rule or message area, Jump the field's jump button.
struct TFilerRowPlace {
    TPlaceRect Caption;
    TPlaceRect Control;
    TPlaceRect Jump;
};

// What a page keeps right of and below its controls.
inline constexpr int FilerPageSpare = 8;

struct TFilerPagePlace {
    int Width = 10;
    int Height = 10;
    std::vector<TFilerRowPlace> Rows; // one per item of the page
    // The first row that took the page past MaxPageHeight: such a page cannot be shown.
    std::optional<std::size_t> TooTall;
};

// Lays a page out row by row from the top. A row's first control starts at 24 (a label at 8)
// or at the page's indent + 8; an editor follows its caption by 4 pixels or starts the page's
// margin right of the caption's left edge. Each jump button, label, rule and message area
// grows the page to hold it with 8 pixels to spare, and the next row starts 4 pixels below
// it; rules span the page's final width less 4 pixels on each side.
[[nodiscard]] TFilerPagePlace PlaceFilerPage(const std::vector<TFilerItem>& items,
                                             const TFilerMetrics& metrics);

// The tool tip of a field's editor: its address as eight hexadecimal digits, for a bit field
// followed by " - " and the bit number.
[[nodiscard]] std::string FieldHint(const TFilerItem& item);

} // namespace mv
