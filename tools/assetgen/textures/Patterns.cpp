#include "textures/Patterns.h"

#include <cmath>

BondCell bondCell(glm::vec2 uv, int rows, int perRow, float rowShift, uint32_t seed) {
    BondCell cell{};
    const float y = uv.y * rows;
    const int row = static_cast<int>(std::floor(y));
    const int wrappedRow = ((row % rows) + rows) % rows;
    // A negative shift asks for a random offset per row.
    const float shift =
        rowShift < 0.0f ? hashUnit(wrappedRow, 0, 1, seed) * perRow : rowShift * wrappedRow;
    const float x = (uv.x + shift / perRow) * perRow;
    const int unit = static_cast<int>(std::floor(x));
    const int wrappedUnit = ((unit % perRow) + perRow) % perRow;
    cell.index = glm::ivec2(wrappedUnit, wrappedRow);
    cell.local = glm::vec2(x - std::floor(x), y - std::floor(y));
    cell.size = glm::vec2(1.0f / perRow, 1.0f / rows);
    cell.id = hashInts(wrappedUnit, wrappedRow, 0, seed);
    return cell;
}
