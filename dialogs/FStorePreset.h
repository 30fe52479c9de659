#pragma once
// TfmStorePreset: the grid of the 30 user presets U01 to U30 (row index n is preset n + 1);
// choosing one opens the preset-name dialog to store the current settings there.

#include "dialogs/PresetGridForm.h"

namespace dsp {

class TfmStorePreset : public TPresetGridForm {
public:
    explicit TfmStorePreset(TComponent* owner);
    ~TfmStorePreset() override;
};

extern TfmStorePreset* fmStorePreset;

}  // namespace dsp
