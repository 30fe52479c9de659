#include "framework/graphics/GraphicsObject.h"

namespace dsp {

void TGraphicsObject::Changed() {
    if (OnChange) OnChange(this);
}

}  // namespace dsp
