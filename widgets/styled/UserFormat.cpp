#include "widgets/styled/UserFormat.h"

#include <cctype>

namespace dsp {

bool PlausibleUserFormat(const std::string& format) {
    int digits = 0;
    for (char c : format) {
        if (std::isdigit(static_cast<unsigned char>(c)) != 0) {
            if (++digits > 3) return false;
        } else {
            digits = 0;
        }
    }
    return true;
}

}  // namespace dsp
