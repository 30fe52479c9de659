#include "model/UnitFiles.h"

namespace dsp {

std::string UnitFileName(std::string_view chosen) {
    const std::size_t slash = chosen.rfind('/');
    const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    std::size_t end = chosen.size();
    for (std::size_t i = nameStart; i < chosen.size(); ++i) {
        if (chosen[i] != '.') continue;
        const std::string_view rest = chosen.substr(i + 1, 3);
        if (rest == "unt" || rest == "UNT") {
            end = i;
            break;
        }
    }
    std::string name(chosen.substr(0, end));
    name += ".unt";
    return name;
}

}  // namespace dsp
