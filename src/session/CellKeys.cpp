#include "session/CellKeys.hpp"

#include <algorithm>
#include <cstddef>

namespace tilvaren {

KeyOutcome OnCellKey(int n, CellKey key, bool autoRepeat, int rowLength, int cellCount) {
    const int width = std::max(1, rowLength);
    const int row = n / width;
    const int column = n % width;
    switch (key) {
        case CellKey::Left:
            return {column > 0 ? n - 1 : n};
        case CellKey::Right:
            return {column + 1 < width && n + 1 < cellCount ? n + 1 : n};
        case CellKey::Up:
            return {row > 0 ? n - width : n};
        case CellKey::Down:
            return {n + width < cellCount ? n + width : n};
        case CellKey::Home:
            return {row * width};
        case CellKey::End:
            return {std::min(row * width + width, cellCount) - 1};
        case CellKey::Act:
            return {n, !autoRepeat};
        case CellKey::Other:
            break;
    }
    return {n};
}

int OnTabKey(int n, bool forward, const std::vector<int>& order) {
    if (order.empty()) return -1;
    const auto size = static_cast<std::ptrdiff_t>(order.size());
    const std::ptrdiff_t at = std::find(order.begin(), order.end(), n) - order.begin();
    if (at == size) return forward ? order.front() : order.back();
    return order[static_cast<std::size_t>((at + (forward ? 1 : size - 1)) % size)];
}

}  // namespace tilvaren
