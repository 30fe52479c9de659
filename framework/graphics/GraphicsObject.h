#pragma once
// The common base of pens, brushes and fonts: a persistent setting object that tells its
// owner (a canvas or a control) when it changes.

#include "framework/core/Object.h"

namespace dsp {

class TGraphicsObject : public TPersistent {
public:
    TNotifyEvent OnChange;

protected:
    // Raises OnChange; every setter calls it after storing a different value.
    virtual void Changed();
};

}  // namespace dsp
