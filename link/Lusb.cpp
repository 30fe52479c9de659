#include "link/Lusb.h"

namespace dsp {

LUsb::~LUsb() = default;

}  // namespace dsp
