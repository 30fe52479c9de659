#include "widgets/styled/AdvHintInfo.h"

namespace dsp {

TAdvHintInfo::TAdvHintInfo()
    : FPicture(std::make_unique<TGDIPPicture>()), FNotes(std::make_unique<TStringList>()) {}

TAdvHintInfo::~TAdvHintInfo() = default;

void TAdvHintInfo::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TAdvHintInfo*>(source);
    if (other == nullptr || other == this) return;
    FTitle = other->FTitle;
    FNotes->Assign(other->FNotes.get());
    FShowHelp = other->FShowHelp;
    FPicture->Assign(other->FPicture.get());
    FWideTitle = other->FWideTitle;
    FWideNotes = other->FWideNotes;
}

bool TAdvHintInfo::IsEmpty() const { return FTitle.empty() && FNotes->Text().empty(); }

}  // namespace dsp
