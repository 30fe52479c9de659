#pragma once
// Numbers in files and edit boxes use "." whatever the user's locale. The framework's own
// conversions never ask the locale; this keeps the C library's (and so the host toolkit's
// lower layers') numeric conversions in line too. The application calls it once at start, after
// the host toolkit has read the user's locale.

namespace dsp {

void UseCNumericLocale();

}  // namespace dsp
