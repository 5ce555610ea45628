#include "ContactSheet.h"

#include <cstddef>

RgbImage contactSheet(const std::vector<RgbImage>& pictures, int columns) {
    RgbImage sheet;
    if (pictures.empty() || columns < 1) return sheet;
    const int tileWidth = pictures.front().width / 2;
    const int tileHeight = pictures.front().height / 2;
    const int rows = (static_cast<int>(pictures.size()) + columns - 1) / columns;
    sheet.width = tileWidth * columns;
    sheet.height = tileHeight * rows;
    sheet.pixels.assign(static_cast<size_t>(sheet.width) * sheet.height * 3, 0);
    for (size_t i = 0; i < pictures.size(); ++i) {
        const RgbImage& picture = pictures[i];
        const int left = static_cast<int>(i) % columns * tileWidth;
        const int top = static_cast<int>(i) / columns * tileHeight;
        // Each tile pixel is the mean of the 2 x 2 picture pixels it covers.
        for (int y = 0; y < tileHeight; ++y) {
            for (int x = 0; x < tileWidth; ++x) {
                for (int c = 0; c < 3; ++c) {
                    int sum = 0;
                    for (int k = 0; k < 4; ++k) {
                        const size_t at =
                            (static_cast<size_t>(2 * y + k / 2) * picture.width + 2 * x + k % 2) *
                                3 +
                            c;
                        sum += picture.pixels[at];
                    }
                    sheet.pixels[(static_cast<size_t>(top + y) * sheet.width + left + x) * 3 + c] =
                        static_cast<uint8_t>((sum + 2) / 4);
                }
            }
        }
    }
    return sheet;
}
