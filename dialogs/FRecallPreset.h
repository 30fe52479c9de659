#pragma once
// TfmRecallPreset: the grid of the factory preset F00 and the user presets U01 to U30 (row
// index n is preset number n); choosing one opens the preset-name dialog to recall it.

#include "dialogs/PresetGridForm.h"

namespace dsp {

class TfmRecallPreset : public TPresetGridForm {
public:
    explicit TfmRecallPreset(TComponent* owner);
    ~TfmRecallPreset() override;
};

extern TfmRecallPreset* fmRecallPreset;

}  // namespace dsp
