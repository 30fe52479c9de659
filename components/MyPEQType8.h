#pragma once
// The EQ band table with nine band types: high- and low-pass of two slopes each instead of one
// low and one high cut. Everything else is the seven-type table's.

#include "components/MyPEQAllpass.h"

namespace dsp {

class TMyPEQType8 : public TMyPEQAllpass {
public:
    explicit TMyPEQType8(TComponent* owner);
};

}  // namespace dsp
