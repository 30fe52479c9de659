#include "framework/text/Locale.h"

#include <clocale>

namespace dsp {

void UseCNumericLocale() { std::setlocale(LC_NUMERIC, "C"); }

}  // namespace dsp
