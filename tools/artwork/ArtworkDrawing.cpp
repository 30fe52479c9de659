#include "tools/artwork/ArtworkDrawing.h"

#include <utility>
#include <vector>

namespace dsp::artwork {

std::unique_ptr<TBitmap> NewPicture(int width, int height, TColor fill) {
    auto picture = std::make_unique<TBitmap>(width, height);
    picture->SetPixelFormat(pf24bit);
    TCanvas& c = *picture->Canvas();
    c.Brush()->SetStyle(bsSolid);
    c.Brush()->SetColor(fill);
    c.FillRect(Rect(0, 0, width, height));
    return picture;
}

void KeyOutside(TBitmap& picture, const TRect& r, TColor outline, TColor key) {
    const TColorRef stop = ResolveColor(outline);
    const TColorRef fill = ResolveColor(key);
    TCanvas& c = *picture.Canvas();
    std::vector<std::pair<int, int>> todo = {
        {r.Left, r.Top}, {r.Right - 1, r.Top}, {r.Left, r.Bottom - 1}, {r.Right - 1, r.Bottom - 1}};
    while (!todo.empty()) {
        const auto [x, y] = todo.back();
        todo.pop_back();
        if (x < r.Left || x >= r.Right || y < r.Top || y >= r.Bottom) continue;
        const TColorRef here = picture.PixelAt(x, y);
        if (here == stop || here == fill) continue;
        c.SetPixels(x, y, static_cast<TColor>(fill));
        todo.push_back({x + 1, y});
        todo.push_back({x - 1, y});
        todo.push_back({x, y + 1});
        todo.push_back({x, y - 1});
    }
}

void VerticalGradient(TBitmap& picture, const TRect& r, TColor top, TColor bottom) {
    picture.Canvas()->GradientFill(r, top, bottom, GRADIENT_FILL_RECT_V);
}

}  // namespace dsp::artwork
