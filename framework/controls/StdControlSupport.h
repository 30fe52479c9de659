#pragma once
// Small services the standard controls share: the warning beep, painting a parent's background
// into a control or letting it show, and one text of the form's accelerator characters.

#include <functional>
#include <string>

#include "framework/controls/Control.h"
#include "framework/graphics/Canvas.h"

namespace dsp {

// The platform's default warning sound. Tests replace it to count the beeps (null restores it).
void MessageBeep();
void SetBeepHandler(std::function<void()> handler);

// Paints the parent's background and content under the control into the control's canvas
// (whose origin is the control's top-left corner): the parent's erase and client painting
// through WM_ERASEBKGND and WM_PRINTCLIENT. Nothing without a parent.
void PaintParentBackground(TControl& control, TCanvas& canvas);
// Marks a control opaque (it paints all of itself) or lets its parent show through.
void SetOpaque(TControl& control, bool opaque);

// The accelerator character of a caption: the character after a single "&", upper-cased;
// 0 when there is none ("&&" is a plain ampersand).
char16_t AcceleratorOf(const std::string& caption);
// The caption without its accelerator marks.
std::string StripAccelerators(const std::string& caption);
// Whether the key (a character from WM_CHAR or CM_DIALOGCHAR) is the caption's accelerator.
bool IsAccelerator(char16_t key, const std::string& caption);

}  // namespace dsp
