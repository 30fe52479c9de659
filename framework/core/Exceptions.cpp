#include "framework/core/Exceptions.h"

namespace dsp {

EListError EListError::IndexOutOfBounds(long long index) {
    return EListError("List index out of bounds (" + std::to_string(index) + ")");
}

}  // namespace dsp
