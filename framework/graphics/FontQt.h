#pragma once
// Framework-internal: the host toolkit's side of a TFont. Only code inside framework/ includes it.

#include <QFont>

#include <mutex>
#include <string>
#include <unordered_map>

#include "framework/graphics/Font.h"

namespace dsp {

struct TFontResource {
    QFont font;
    int ascent = 0;           // pixels above the baseline
    int descent = 0;          // pixels below the baseline
    int height = 0;           // cell height: ascent + descent
    int externalLeading = 0;  // extra space between lines
    int aveCharWidth = 0;
    int underlinePos = 0;  // below the baseline
    int strikeOutPos = 0;  // above the baseline
    int lineWidth = 1;     // thickness of underline and strike-out
    int escapement = 0;    // tenths of a degree counter-clockwise

    // The advance of a one-line text in this font. Shaping a text costs microseconds and a
    // plot measures the same labels on every paint, so the widths are kept (a bounded set).
    int Advance(const std::string& text) const;

private:
    mutable std::mutex advancesLock_;
    mutable std::unordered_map<std::string, int> advances_;
};

}  // namespace dsp
