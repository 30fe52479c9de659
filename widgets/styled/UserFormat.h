#pragma once
// Texts the user's format strings make (a progress bar's Format, a splash bar's ValueFormat).
// They never reach a printf-style function: the framework's type-checked Format fills them in,
// and a format that does not fit the values, or asks for widths or precisions of more than
// three digits, gives nothing, so that the caller shows its default text instead.

#include <optional>
#include <string>

#include "framework/core/Exceptions.h"
#include "framework/text/Format.h"

namespace dsp {

// False for a format with a run of more than three digits (a width or precision too large).
bool PlausibleUserFormat(const std::string& format);

template <typename... Args>
std::optional<std::string> TryUserFormat(const std::string& format, const Args&... args) {
    if (!PlausibleUserFormat(format)) return std::nullopt;
    try {
        return Format(format, args...);
    } catch (const EConvertError&) {
        return std::nullopt;
    }
}

}  // namespace dsp
