#include "core/shell/profile_placement.h"

#include <algorithm>
#include <cstdint>

namespace mv {

namespace {

std::int64_t Overlap(std::int64_t start, std::int64_t end, std::int64_t areaStart,
                     std::int64_t areaEnd) {
    return std::max<std::int64_t>(0, std::min(end, areaEnd) - std::max(start, areaStart));
}

// The work area that holds the largest part of the frame; the first one when none holds any.
const TScreenRect& HomeArea(const TWindowPlace& stored, std::int64_t width, std::int64_t height,
                            std::span<const TScreenRect> workAreas) {
    const TScreenRect* best = &workAreas.front();
    std::int64_t bestShared = 0;
    for (const TScreenRect& area : workAreas) {
        const std::int64_t shared =
            Overlap(stored.Left, stored.Left + width, area.Left, area.Right()) *
            Overlap(stored.Top, stored.Top + height, area.Top, area.Bottom());
        if (shared > bestShared) {
            best = &area;
            bestShared = shared;
        }
    }
    return *best;
}

// A client length that, with the frame, fits the area's length; at least one pixel.
int FittedClient(int client, int frame, int area) {
    return std::clamp(client, 1, std::max(area - frame, 1));
}

} // namespace

TWindowPlace RestoredPlace(const TWindowPlace& stored, int frameWidth, int frameHeight,
                           std::span<const TScreenRect> workAreas) {
    if (workAreas.empty()) return stored;
    const TScreenRect& area = HomeArea(stored, std::int64_t{stored.ClientWidth} + frameWidth,
                                       std::int64_t{stored.ClientHeight} + frameHeight, workAreas);
    TWindowPlace place = stored;
    place.ClientWidth = FittedClient(stored.ClientWidth, frameWidth, area.Width);
    place.ClientHeight = FittedClient(stored.ClientHeight, frameHeight, area.Height);
    const TScreenPoint corner = PulledIntoWorkArea(
        {stored.Left, stored.Top, place.ClientWidth + frameWidth, place.ClientHeight + frameHeight},
        area);
    place.Left = corner.X;
    place.Top = corner.Y;
    return place;
}

} // namespace mv
