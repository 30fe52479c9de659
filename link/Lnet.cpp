#include "link/Lnet.h"

namespace dsp {

LNet::~LNet() = default;

}  // namespace dsp
