#include "tools/sim/FactoryImage.h"

#include <cstring>
#include <string>

namespace dsp::sim {

namespace {
void Put16(std::vector<std::uint8_t>& b, int at, int v) {
    b[at] = static_cast<std::uint8_t>(v & 0xFF);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
void PutText(std::vector<std::uint8_t>& b, int at, const char* text) {
    std::memcpy(b.data() + at, text, std::strlen(text));
}
}  // namespace

std::vector<std::uint8_t> FactoryImage() {
    std::vector<std::uint8_t> b(798, 0);
    PutText(b, 2, "Default Preset");
    const int inFreq[8] = {41, 71, 101, 140, 170, 200, 240, 270};
    const int outFreq[9] = {31, 63, 95, 127, 158, 190, 222, 253, 285};
    for (int i = 0; i < 3; ++i) {
        const int r = 16 + 78 * i;
        const char* names[3] = {"InA", "InB", "InC"};
        PutText(b, r, names[i]);
        Put16(b, r + 8, 0);
        Put16(b, r + 10, 99);
        Put16(b, r + 12, 99);
        Put16(b, r + 14, 0);
        for (int k = 0; k < 8; ++k) {
            Put16(b, r + 16 + 6 * k, 120);
            Put16(b, r + 18 + 6 * k, inFreq[k]);
            b[r + 20 + 6 * k] = 35;
        }
        Put16(b, r + 64, 0);
        Put16(b, r + 66, 300);
        Put16(b, r + 76, 1 << i);
    }
    for (int j = 0; j < 6; ++j) {
        const int r = 250 + 86 * j;
        const std::string name = "Out" + std::to_string(j + 1);
        PutText(b, r, name.c_str());
        Put16(b, r + 8, 1 << (j % 3));
        Put16(b, r + 12, 300);
        for (int k = 0; k < 9; ++k) {
            Put16(b, r + 16 + 6 * k, 120);
            Put16(b, r + 18 + 6 * k, outFreq[k]);
            b[r + 20 + 6 * k] = 35;
        }
        Put16(b, r + 72, 49);
        Put16(b, r + 74, 499);
        Put16(b, r + 76, 220);
        Put16(b, r + 78, 280);
        Put16(b, r + 84, 1 << j);
    }
    return b;
}

}  // namespace dsp::sim
