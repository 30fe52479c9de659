#pragma once
// Small pixel maps for the graphics tests: a part of a bitmap as rows of characters, one per
// pixel, from a legend of colours (anything else shows as '?').

#include <map>
#include <string>
#include <vector>

#include "framework/graphics/Bitmap.h"

namespace dsp::testing {

using Legend = std::map<TColorRef, char>;

inline const Legend& DefaultLegend() {
    static const Legend legend = {{0xFFFFFF, '.'}, {0x000000, '#'}, {0x0000FF, 'r'},
                                  {0x00FF00, 'g'}, {0xFF0000, 'b'}, {0x00FFFF, 'y'},
                                  {0x808080, 'x'}};
    return legend;
}

inline std::vector<std::string> Map(const TBitmap& bitmap, const Legend& legend = DefaultLegend()) {
    std::vector<std::string> rows;
    for (int y = 0; y < bitmap.Height(); ++y) {
        std::string row;
        for (int x = 0; x < bitmap.Width(); ++x) {
            const auto it = legend.find(bitmap.PixelAt(x, y));
            row += it == legend.end() ? '?' : it->second;
        }
        rows.push_back(row);
    }
    return rows;
}

// A white bitmap of the given size.
inline std::unique_ptr<TBitmap> Blank(int width, int height) {
    auto bitmap = std::make_unique<TBitmap>(width, height);
    return bitmap;
}

// Pixels that are not the background colour: the "ink" of a drawing.
inline TRect InkBounds(const TBitmap& bitmap, TColorRef background = 0xFFFFFF) {
    TRect r{bitmap.Width(), bitmap.Height(), 0, 0};
    bool any = false;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            if (bitmap.PixelAt(x, y) != background) {
                any = true;
                r.Left = std::min(r.Left, x);
                r.Top = std::min(r.Top, y);
                r.Right = std::max(r.Right, x + 1);
                r.Bottom = std::max(r.Bottom, y + 1);
            }
    return any ? r : TRect{};
}

inline int CountPixels(const TBitmap& bitmap, TColorRef color) {
    int n = 0;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) n += bitmap.PixelAt(x, y) == color;
    return n;
}

}  // namespace dsp::testing
