#include "mainwindow/StripTexts.h"

#include <algorithm>
#include <cstddef>

#include "framework/text/Format.h"
#include "mainwindow/SharedConstants.h"
#include "model/Encodings.h"

namespace dsp {

std::string GainText(int position) {
    if (position >= 0) return Format("+%3.1fdB", position / 10.0f);
    const int d = -position;
    const float level = d <= 200 ? d / 10.0f : 20.0f + (d - 200) / 2.0f;
    return Format("-%3.1fdB", level);
}

std::string DelayText(int position, int unit) {
    switch (unit) {
        case 1:
            return Format("%4.3f m", position * static_cast<double>(SpeedOfSound) / 96.0 / 1000.0);
        case 2:
            return Format("%4.3f ft",
                          position * static_cast<double>(SpeedOfSound) / 96.0 * 3.2808 / 1000.0);
        default: return Format("%4.3f ms", position / 96.0);
    }
}

std::string DelayLineText(int markerLeft) {
    const int count = (markerLeft - 40) / 6;
    return std::string(static_cast<std::size_t>(std::clamp(count, 0, 132)), '-');
}

std::string CrossoverFrequencyText(int index) {
    const double hz = FreqIndexToHz(index);
    if (hz >= 1000) return Format("%4.2fKHz", hz * 0.001);
    return Format("%4.1fHz", hz);
}

std::string ThresholdText(int position) { return Format("%+1.1fdB", position * 0.5); }

std::string CompressorTimeText(int position) { return Format("%3dms", position + 1); }

std::string GateTimeText(int position) { return Format("%dms", position + 1); }

std::string RatioText(int index) {
    if (index == RatioLimiter) return "Limit";
    if (index < 0 || static_cast<std::size_t>(index) >= RatioNames.size()) return "";
    return "1:" + std::string(RatioNames[static_cast<std::size_t>(index)]);
}

std::string KneeText(int position) { return Format("%ddB", position); }

bool IsNumericText(std::string_view text) {
    for (char c : text) {
        if ((c < '0' || c > '9') && c != '.') return false;
    }
    return true;
}

}  // namespace dsp
