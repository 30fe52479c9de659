#pragma once
// Errors of controls and forms.

#include "framework/core/Exceptions.h"

namespace dsp {

// An operation the control's state forbids: focusing a hidden control, making a visible form
// modal, giving a control itself as its parent.
class EInvalidOperation : public Exception {
public:
    using Exception::Exception;
};

}  // namespace dsp
