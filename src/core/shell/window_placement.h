#pragma once

namespace mv {

// A window's frame or a screen's work area in desktop pixels.
struct TScreenRect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;

    [[nodiscard]] int Right() const { return Left + Width; }  // one past the last column
    [[nodiscard]] int Bottom() const { return Top + Height; } // one past the last row

    friend bool operator==(const TScreenRect&, const TScreenRect&) = default;
};

struct TScreenPoint {
    int X = 0;
    int Y = 0;

    friend bool operator==(const TScreenPoint&, const TScreenPoint&) = default;
};

// The top-left corner that centres a frame of the given size in `outer`; the halves are
// truncated towards zero, so a frame larger than `outer` sticks out by the same amount on
// both sides (the odd pixel on the far side).
[[nodiscard]] TScreenPoint CentredIn(const TScreenRect& outer, int width, int height);

// Moves `frame` into `workArea`: a bottom below the area aligns the bottoms, a right edge past
// it aligns the right edges; then a top above the area aligns the tops and a left edge before
// it aligns the lefts. A frame larger than the area therefore keeps its top-left corner, and
// with it the title bar, on screen.
[[nodiscard]] TScreenPoint PulledIntoWorkArea(const TScreenRect& frame,
                                              const TScreenRect& workArea);

// Where a dialog of the given frame size goes: centred over its owner's frame and pulled into
// the work area, or centred on the work area when it has no owner.
[[nodiscard]] TScreenPoint DialogPlace(int width, int height, const TScreenRect* owner,
                                       const TScreenRect& workArea);

} // namespace mv
