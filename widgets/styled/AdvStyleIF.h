#pragma once
// The widget pack's colour styles: each component's SetComponentStyle applies its own presets of
// one of them.

#include "framework/core/TypeInfo.h"

namespace dsp {

enum TTMSStyle {
    tsOffice2003Blue,
    tsOffice2003Silver,
    tsOffice2003Olive,
    tsOffice2003Classic,
    tsOffice2007Luna,
    tsOffice2007Obsidian,
    tsWindowsXP,
    tsWhidbey,
    tsCustom,
    tsOffice2007Silver,
    tsWindowsVista,
    tsWindows7,
    tsTerminal,
    tsOffice2010Blue,
    tsOffice2010Silver,
    tsOffice2010Black,
};
DSP_ENUM_NAMES(TTMSStyle, "tsOffice2003Blue", "tsOffice2003Silver", "tsOffice2003Olive",
               "tsOffice2003Classic", "tsOffice2007Luna", "tsOffice2007Obsidian", "tsWindowsXP",
               "tsWhidbey", "tsCustom", "tsOffice2007Silver", "tsWindowsVista", "tsWindows7",
               "tsTerminal", "tsOffice2010Blue", "tsOffice2010Silver", "tsOffice2010Black")

}  // namespace dsp
