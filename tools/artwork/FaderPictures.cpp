// Fader thumbs: the cap of a console fader seen from above, 16 pixels across the track and 29
// along it, with grip ridges above and below a bright value line across its middle (row 14,
// where a vertical fader's centre pointer marks the value). Lit from the upper left: the cap is
// rounded across its width and its ridges catch the light on their upper edge. Outside the
// rounded cap every pixel is the key colour clTeal, which the fader leaves out (the picture's
// bottom-left pixel).

#include <algorithm>
#include <cmath>

#include "tools/artwork/Artwork.h"
#include "tools/artwork/ArtworkDrawing.h"

namespace dsp::artwork {

namespace {

constexpr TColor kKey = clTeal;
constexpr int kWidth = 16;
constexpr int kHeight = 29;
constexpr int kValueRow = 14;

struct TCapColours {
    int body;   // grey level of the cap's face at its brightest
    int tintR;  // a small colour cast added to every face pixel
    int tintG;
    int tintB;
    TColor line;  // the value line
    TColor outline;
};

// Normal, hot (the pointer over it: lighter, a cool cast), down (pressed: darker, warm line).
const TCapColours kCaps[] = {
    {206, 0, 0, 0, static_cast<TColor>(RGB(255, 255, 255)), static_cast<TColor>(RGB(28, 30, 34))},
    {226, -6, 2, 14, static_cast<TColor>(RGB(255, 255, 255)), static_cast<TColor>(RGB(24, 40, 70))},
    {160, 4, 0, -6, static_cast<TColor>(RGB(255, 196, 64)), static_cast<TColor>(RGB(20, 20, 22))},
};

bool InsideCap(int x, int y) {
    // A rectangle with corners cut by a radius of 3.
    const int r = 3;
    const int cx = x < r ? r : (x > kWidth - 1 - r ? kWidth - 1 - r : x);
    const int cy = y < r ? r : (y > kHeight - 1 - r ? kHeight - 1 - r : y);
    const double dx = x - cx;
    const double dy = y - cy;
    return dx * dx + dy * dy <= r * r + 0.5;
}

TColor Shade(const TCapColours& cap, double level) {
    auto channel = [&](int tint) {
        return std::clamp(static_cast<int>(std::lround(cap.body * level)) + tint, 0, 255);
    };
    return static_cast<TColor>(RGB(channel(cap.tintR), channel(cap.tintG), channel(cap.tintB)));
}

std::unique_ptr<TBitmap> Cap(const TCapColours& cap) {
    auto picture = NewPicture(kWidth, kHeight, kKey);
    TCanvas& c = *picture->Canvas();
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            if (!InsideCap(x, y)) continue;
            // Across the cap: a cylinder lit from the left.
            const double u = (x + 0.5) / kWidth;
            double level = 0.62 + 0.38 * std::sin(u * 3.14159265) - 0.22 * u;
            // Along it: a little darker towards both ends.
            const double v = (y + 0.5) / kHeight;
            level *= 0.9 + 0.1 * std::sin(v * 3.14159265);
            // Ridges every third row away from the value line, lit on their upper edge.
            const int d = std::abs(y - kValueRow);
            if (d >= 3 && d <= 12) {
                const int phase = (y - kValueRow + 30) % 3;
                if (phase == 0) level *= 0.62;
                if (phase == 1) level *= 1.12;
            }
            if (d == 1) level *= 0.55;
            c.SetPixels(x, y, Shade(cap, std::min(level, 1.2)));
        }
    }
    // The value line across the face, one pixel in from the edges.
    c.Pen()->SetColor(cap.line);
    c.MoveTo(2, kValueRow);
    c.LineTo(kWidth - 2, kValueRow);
    // The outline along the rounded edge.
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            if (!InsideCap(x, y)) continue;
            const bool edge = !InsideCap(x - 1, y) || !InsideCap(x + 1, y) ||
                              !InsideCap(x, y - 1) || !InsideCap(x, y + 1) || x == 0 || y == 0 ||
                              x == kWidth - 1 || y == kHeight - 1;
            if (edge) c.SetPixels(x, y, cap.outline);
        }
    }
    return picture;
}

}  // namespace

std::vector<TPictureDef> FaderPictures() {
    return {
        // The faders' thumbs in their normal, hot and pressed looks: 16 x 29.
        {"FADER_THUMB", TFileKind::Bitmap, [] { return Cap(kCaps[0]); }},
        {"FADER_THUMB_HOT", TFileKind::Bitmap, [] { return Cap(kCaps[1]); }},
        {"FADER_THUMB_DOWN", TFileKind::Bitmap, [] { return Cap(kCaps[2]); }},
    };
}

}  // namespace dsp::artwork
