#include "tests/realwindow/PrivateNetwork.h"

#include <fstream>
#include <set>
#include <string>

namespace dsp::realwindow {

bool NetworkIsPrivate() {
    // /proc/net/dev lists this network namespace's interfaces, after two heading lines.
    std::ifstream devices("/proc/net/dev");
    std::set<std::string> interfaces;
    std::string line;
    for (int i = 0; std::getline(devices, line); ++i) {
        if (i < 2) continue;
        const auto colon = line.find(':');
        const auto start = line.find_first_not_of(' ');
        if (colon != std::string::npos) interfaces.insert(line.substr(start, colon - start));
    }
    return interfaces == std::set<std::string>{"lo"};
}

}  // namespace dsp::realwindow
