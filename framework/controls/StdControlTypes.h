#pragma once
// Enumerations the standard controls share: text alignment and layout, ellipses, scroll bars,
// letter case of edits and the bevels of panels.

#include "framework/core/TypeInfo.h"

namespace dsp {

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
DSP_ENUM_NAMES(TAlignment, "taLeftJustify", "taRightJustify", "taCenter")

enum TVerticalAlignment { taAlignTop, taAlignBottom, taVerticalCenter };
DSP_ENUM_NAMES(TVerticalAlignment, "taAlignTop", "taAlignBottom", "taVerticalCenter")

enum TTextLayout { tlTop, tlCenter, tlBottom };
DSP_ENUM_NAMES(TTextLayout, "tlTop", "tlCenter", "tlBottom")

enum TEllipsisPosition { epNone, epPathEllipsis, epEndEllipsis, epWordEllipsis };
DSP_ENUM_NAMES(TEllipsisPosition, "epNone", "epPathEllipsis", "epEndEllipsis", "epWordEllipsis")

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
DSP_ENUM_NAMES(TScrollStyle, "ssNone", "ssHorizontal", "ssVertical", "ssBoth")

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
DSP_ENUM_NAMES(TEditCharCase, "ecNormal", "ecUpperCase", "ecLowerCase")

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
DSP_ENUM_NAMES(TBevelCut, "bvNone", "bvLowered", "bvRaised", "bvSpace")
using TBevelWidth = int;

// How an input method may be used in an edit; kept for the forms, the platform decides.
enum TImeMode {
    imDisable,
    imClose,
    imOpen,
    imDontCare,
    imSAlpha,
    imAlpha,
    imHira,
    imSKata,
    imKata,
    imChinese,
    imSHanguel,
    imHanguel
};
DSP_ENUM_NAMES(TImeMode, "imDisable", "imClose", "imOpen", "imDontCare", "imSAlpha", "imAlpha",
               "imHira", "imSKata", "imKata", "imChinese", "imSHanguel", "imHanguel")

// The framework's text flag for an alignment (DT_LEFT, DT_RIGHT, DT_CENTER).
unsigned AlignmentTextFlag(TAlignment alignment);

}  // namespace dsp
