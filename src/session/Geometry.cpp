#include "session/Geometry.hpp"

#include <algorithm>

namespace tilvaren {

namespace {

// `value` brought into first..last, first winning when the range is empty.
int Clamp(int value, int first, int last) { return std::max(first, std::min(value, last)); }

}  // namespace

ScreenRect PlaceBeside(const ScreenRect& main, const SecondWindowWish& wish, const ScreenRect& available) {
    const ScreenRect& a = available;
    const bool kept = wish.kept.width > 0 && wish.kept.height > 0;
    if (kept && a.Contains(wish.kept) && !wish.kept.Overlaps(main)) return wish.kept;
    // Moved off the game, it keeps the size it was left at.
    const int width = std::min(kept ? wish.kept.width : wish.width, a.width);
    const int height = std::min(kept ? wish.kept.height : wish.height, a.height);
    // Beside: level with the main window's top, as far as the area lets it.
    const auto across = [&](int x, int w) { return ScreenRect{x, Clamp(main.y, a.y, a.Bottom() - height), w, height}; };
    const auto upDown = [&](int y, int h) { return ScreenRect{Clamp(main.x, a.x, a.Right() - width), y, width, h}; };
    const int right = a.Right() - main.Right();
    const int left = main.x - a.x;
    const int below = a.Bottom() - main.Bottom();
    const int above = main.y - a.y;
    if (right >= wish.leastWidth) return across(main.Right(), std::min(width, right));
    if (left >= wish.leastWidth) return across(main.x - std::min(width, left), std::min(width, left));
    if (below >= wish.leastHeight) return upDown(main.Bottom(), std::min(height, below));
    if (above >= wish.leastHeight) return upDown(main.y - std::min(height, above), std::min(height, above));
    // No side has room: its least size, against the roomier side's screen edge.
    const int least = std::min(std::max(wish.leastWidth, std::min(width, std::max(right, left))), a.width);
    return across(right >= left ? a.Right() - least : a.x, least);
}

}  // namespace tilvaren
