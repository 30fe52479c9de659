#pragma once
// What the panel widgets' tests share: a parent that paints a picture every pixel of which
// differs from its neighbours (so a copy placed one pixel off shows), rendering a form, and
// comparing pictures.

#include <memory>
#include <string>
#include <vector>

#include "framework/controls/CustomControl.h"
#include "framework/controls/Form.h"
#include "framework/graphics/Bitmap.h"
#include "tests/framework/controls/ControlTestSupport.h"

namespace dsp::test {

// A windowed control painting a fixed picture of diagonal stripes; counts its paints.
class TPictureControl : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    int paints = 0;

    static TColor PixelColor(int x, int y) {
        return static_cast<TColor>(
            RGB((x * 7 + y * 3) & 0xFF, (x * 5 + 90) & 0xFF, (y * 9) & 0xFF));
    }

protected:
    void Paint() override {
        ++paints;
        TCanvas& c = *Canvas();
        for (int y = 0; y < Height(); ++y)
            for (int x = 0; x < Width(); ++x) c.SetPixels(x, y, PixelColor(x, y));
    }
};

// A windowed control that is not custom painted (a plain container); counts its paints.
class TPlainParent : public TWinControl {
public:
    using TWinControl::TWinControl;
    int paints = 0;

protected:
    void Dispatch(TMessage& message) override {
        if (message.Msg == WM_PAINT) ++paints;
        TWinControl::Dispatch(message);
    }
};

// The form's client area as it would show now.
inline std::unique_ptr<TBitmap> Render(TCustomForm& form) { return form.RenderToImage(); }

// The number of pixels in which two pictures of one size differ.
inline int DifferingPixels(const TBitmap& a, const TBitmap& b) {
    int n = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x) n += a.PixelAt(x, y) != b.PixelAt(x, y);
    return n;
}

}  // namespace dsp::test
