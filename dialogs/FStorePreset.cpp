#include "dialogs/FStorePreset.h"

namespace dsp {

TfmStorePreset* fmStorePreset = nullptr;

TfmStorePreset::TfmStorePreset(TComponent* owner)
    : TPresetGridForm(owner, "fmStorePreset", true, "SID_SAVE_PRESET") {}

TfmStorePreset::~TfmStorePreset() {
    if (fmStorePreset == this) fmStorePreset = nullptr;
}

}  // namespace dsp
