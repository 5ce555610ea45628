#pragma once

#include <vector>

#include "FrameComparison.h"

// The pictures at half their size, side by side in rows of `columns`, in order; a last row that is
// not full is black where pictures are missing. All pictures have the first one's size.
RgbImage contactSheet(const std::vector<RgbImage>& pictures, int columns);
