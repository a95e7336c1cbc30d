#include "session/CellKeys.hpp"

#include <algorithm>

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

}  // namespace tilvaren
