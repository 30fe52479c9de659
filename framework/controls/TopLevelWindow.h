#pragma once
// Features of a form's top-level window beyond its frame settings: staying above other windows,
// showing (and being clicked) without taking the activation, a window region that cuts the
// window to a shape, and a layered window that shows a picture with per-pixel alpha in place of
// its painted client area.
//
// A layered picture reaches the screen in the best way the desktop offers, chosen once when the
// form becomes layered (a form made layered again, for its next show, chooses again):
// - Translucent: a window with per-pixel alpha. Wayland composes every window; X11 does so
//   while a compositing manager runs.
// - ShapedOpaque: X11 without a compositing manager shows no alpha. The window stays opaque,
//   cut to the picture's mask (pixels of alpha 128 and above); the soft edge pixels left in it
//   are blended over white.
// - Plain: anywhere else an opaque rectangle: the whole picture blended over white.
// A form that becomes layered after its window was first shown cannot turn translucent any more
// (the toolkit fixes a window's pixel format when it makes it) and takes the shaped step at best.
//
// The layer keeps the picture as the window shows it (ComposedLayeredImage), so that tests read
// what a user would see at each step.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace dsp {

class TCustomForm;
class TRegion;

namespace Gdiplus {
struct GpImage;
}

enum class TLayeredMode { Translucent, ShapedOpaque, Plain };

// The step this desktop offers (or the forced one).
TLayeredMode DesktopLayeredMode();
// Makes every form made layered from now on take the given step; nullopt asks the desktop again.
// For tests.
void ForceLayeredMode(std::optional<TLayeredMode> mode);

// Keeps the window above the windows that do not stay on top.
void SetStayOnTop(TCustomForm& form, bool value);
bool StaysOnTop(const TCustomForm& form);

// The window shows without taking the activation from the active form, and a click in it
// leaves the activation where it is.
void SetShowWithoutActivation(TCustomForm& form, bool value);
bool ShowsWithoutActivation(const TCustomForm& form);

// Cuts the window to the region, in client coordinates; null shows the whole window again.
void SetWindowRegion(TCustomForm& form, const TRegion* region);
bool HasWindowRegion(const TCustomForm& form);

// Turns the layered mode on (choosing the step) or off. While layered, the window shows the
// picture handed to UpdateLayeredImage and nothing of its painted client area.
void SetLayered(TCustomForm& form, bool layered);
bool IsLayered(const TCustomForm& form);
// The step the form took (Plain while it is not layered).
TLayeredMode LayeredMode(const TCustomForm& form);

// Hands a layered window its picture: a bitmap of the anti-aliased drawing layer (ARGB), drawn
// at the client area's top-left corner; what lies outside the picture shows nothing. Any alpha
// the whole window should have is already multiplied into the picture. Does nothing for a form
// that is not layered or a null bitmap.
void UpdateLayeredImage(TCustomForm& form, Gdiplus::GpImage* image);

// What a layered window shows: the picture composed for its step. pixels holds width x height
// ARGB values (not premultiplied), row by row; inside tells the pixels that belong to the
// window (the window region and, on the shaped step, the mask). Empty before the first picture.
struct TComposedWindowImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    std::vector<bool> inside;

    std::uint32_t Pixel(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
    bool Inside(int x, int y) const {
        return inside[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
};
TComposedWindowImage ComposedLayeredImage(const TCustomForm& form);

// Runs the event loop, taking no user input, until the form's window is on the screen, but for
// at most capMs milliseconds of real time (the window system, not the program, decides how long
// that takes); then paints the window at once. True when the window came on the screen.
bool WaitForWindowExposed(TCustomForm& form, int capMs);

}  // namespace dsp
