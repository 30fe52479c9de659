#include "dialogs/FRecallPreset.h"

namespace dsp {

TfmRecallPreset* fmRecallPreset = nullptr;

TfmRecallPreset::TfmRecallPreset(TComponent* owner)
    : TPresetGridForm(owner, "fmRecallPreset", false, "SID_RECALL_PRESET") {}

TfmRecallPreset::~TfmRecallPreset() {
    if (fmRecallPreset == this) fmRecallPreset = nullptr;
}

}  // namespace dsp
