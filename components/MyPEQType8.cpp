#include "components/MyPEQType8.h"

#include <string>
#include <vector>

namespace dsp {

namespace {

// The nine type names, then the bypass caption.
std::vector<std::string> NineTypeNames() {
    return {" Peak       ", " Low Shelf  ", " High Shelf ", " HPF -6dB   ", " HPF -12dB  ",
            " LPF -6dB   ", " LPF -12dB  ", " Allpass 1  ", " Allpass 2  ", "   BYPASS   "};
}

}  // namespace

TMyPEQType8::TMyPEQType8(TComponent* owner) : TMyPEQAllpass(owner, NineTypeNames()) {}

}  // namespace dsp
