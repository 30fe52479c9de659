#pragma once
// TImageList: a row of equally sized pictures with transparent parts, drawn by index, either
// as they are or greyed (the disabled look: the dark parts embossed in the button-shadow colour
// with a button-highlight edge below and right).

#include <memory>

#include "framework/core/Component.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"

namespace dsp {

class TImageList : public TComponent {
public:
    explicit TImageList(TComponent* owner);
    ~TImageList() override;

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Changing the size empties the list.
    void SetSize(int width, int height);
    void SetWidth(int value) { SetSize(value, height_); }
    void SetHeight(int value) { SetSize(width_, value); }
    int Count() const;

    // Adds every Width-wide piece of image; where mask (if given) is white the piece is
    // transparent. Returns the index of the first piece added, -1 when the image is narrower
    // than the list.
    int Add(TBitmap* image, TBitmap* mask);
    // The same with the pixels of maskColor transparent; clDefault takes the bottom-left pixel's
    // colour, clNone makes nothing transparent.
    int AddMasked(TBitmap* image, TColor maskColor);
    void Delete(int index);
    void Clear();
    // Copies picture index onto image: the list's size, transparent parts in the list's
    // background colour (white when it has none).
    bool GetBitmap(int index, TBitmap* image) const;

    void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true) const;

    TColor BkColor() const { return bkColor_; }
    void SetBkColor(TColor value) { bkColor_ = value; }

    TNotifyEvent OnChange;

    struct Impl;

private:
    void Changed();

    std::unique_ptr<Impl> impl_;
    int width_ = 16;
    int height_ = 16;
    TColor bkColor_ = clNone;
};

}  // namespace dsp
