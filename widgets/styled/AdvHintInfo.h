#pragma once
// TAdvHintInfo: the settings of a rich hint: a title, notes, a picture and whether the hint
// offers help.

#include <memory>
#include <string>

#include "framework/core/Object.h"
#include "framework/core/TypeInfo.h"
#include "framework/text/StringList.h"
#include "widgets/styled/GDIPicture.h"

namespace dsp {

class TAdvHintInfo : public TPersistent {
public:
    TAdvHintInfo();
    ~TAdvHintInfo() override;

    // Only from another hint; any other source is ignored.
    void Assign(TPersistent* source) override;
    // True when there is neither a title nor any notes (the picture does not count).
    bool IsEmpty() const;

    TGDIPPicture* Picture() const { return FPicture.get(); }
    void SetPicture(TGDIPPicture* value) { FPicture->Assign(value); }
    bool ShowHelp() const { return FShowHelp; }
    void SetShowHelp(bool value) { FShowHelp = value; }
    TStrings* Notes() const { return FNotes.get(); }
    void SetNotes(TStrings* value) { FNotes->Assign(value); }
    const std::string& Title() const { return FTitle; }
    void SetTitle(const std::string& value) { FTitle = value; }
    const std::string& WideTitle() const { return FWideTitle; }
    void SetWideTitle(const std::string& value) { FWideTitle = value; }
    const std::string& WideNotes() const { return FWideNotes; }
    void SetWideNotes(const std::string& value) { FWideNotes = value; }

    DSP_PUBLISHED(TAdvHintInfo, TPersistent) {
        using P = Published<TAdvHintInfo>;
        using B = TAdvHintInfo;
        return {
            P::Property("Picture", &B::Picture, &B::SetPicture),
            P::Property("ShowHelp", &B::ShowHelp, &B::SetShowHelp).Default(false),
            P::Property("Notes", &B::Notes, &B::SetNotes),
            P::Property("Title", &B::Title, &B::SetTitle),
        };
    }

private:
    std::unique_ptr<TGDIPPicture> FPicture;
    bool FShowHelp = false;
    std::unique_ptr<TStringList> FNotes;
    std::string FTitle;
    std::string FWideTitle;
    std::string FWideNotes;
};

}  // namespace dsp
