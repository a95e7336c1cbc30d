#pragma once

#include <array>
#include <string>

namespace tilvaren {

// The four frames of 60 cells, named by their height in cells. Every other
// part of the program asks here what a height means.
inline constexpr int kDefaultFrameY = 6;

// The cells every frame holds.
inline constexpr int kCellCount = 60;

// The frame heights, the tallest first, as menus and reports list them.
inline constexpr std::array<int, 4> kFrameHeights = {6, 5, 4, 3};

// True for the heights a frame can have: 3, 4, 5 and 6.
constexpr bool IsFrameHeight(int frameY) { return frameY >= kFrameHeights.back() && frameY <= kFrameHeights.front(); }

// A height that is no frame's becomes the default one.
constexpr int ValidFrameY(int frameY) { return IsFrameHeight(frameY) ? frameY : kDefaultFrameY; }

// Width in cells of the frame of that height (20, 15, 12, 10).
constexpr int FrameWidthOf(int frameY) { return kCellCount / ValidFrameY(frameY); }

// The options dialog lists the frames the shortest first: the item of a
// height, -1 for no frame's height.
constexpr int FrameItemOf(int frameY) {
    return IsFrameHeight(frameY) ? static_cast<int>(kFrameHeights.size()) - 1 - (kFrameHeights.front() - frameY) : -1;
}

// The height of a dialog item; the default frame for no item.
constexpr int FrameOfItem(int item) {
    return item >= 0 && item < static_cast<int>(kFrameHeights.size()) ? kFrameHeights[kFrameHeights.size() - 1 - item]
                                                                      : kDefaultFrameY;
}

// The cell sizes in pixels, small, medium and large, as the options dialog
// lists them; medium is the default.
inline constexpr std::array<int, 3> kCellSizes = {18, 24, 32};
inline constexpr int kDefaultCellSize = kCellSizes[1];

// The padded board grid has a wall this many cells thick around the frame.
inline constexpr int kWallWidth = 4;

// Row length of the padded board grid: the width and the wall on each side
// (28, 23, 20, 18).
constexpr int GridStrideOf(int frameY) { return FrameWidthOf(frameY) + 2 * kWallWidth; }

// How a frame is named: "6 * 10" in the status bar and the messages, "６×10"
// (the height a full-width digit) in the frame menu and the collection's tabs,
// "6×10" in the congruence check.
enum class FrameNaming { Panel, Caption, Check };

// The name of the frame of that height; "" for no frame's height.
inline std::string FrameName(int frameY, FrameNaming naming = FrameNaming::Panel) {
    if (!IsFrameHeight(frameY)) return {};
    const std::string width = std::to_string(FrameWidthOf(frameY));
    switch (naming) {
        case FrameNaming::Panel: return std::to_string(frameY) + " * " + width;
        case FrameNaming::Caption: return std::string("\xEF\xBC") + static_cast<char>(0x90 + frameY) + "×" + width;
        case FrameNaming::Check: break;
    }
    return std::to_string(frameY) + "×" + width;
}

}  // namespace tilvaren
