#pragma once
// Framework-internal: the host toolkit's side of a TRegion.

#include <QRegion>

#include "framework/graphics/Region.h"

namespace dsp {

struct TRegionData {
    QRegion region;
};

inline TRegion RegionFromQt(const QRegion& region) {
    TRegion r;
    r.Data().region = region;
    return r;
}

}  // namespace dsp
