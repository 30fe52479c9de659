#pragma once
// TAdvOfficeImage: a picture control. It draws its picture at its top-left corner, centred (a
// picture larger than the control is cut on both sides) or stretched to its size, tells when
// the mouse enters and leaves it, and carries the settings of a rich hint.

#include <cstdint>
#include <memory>
#include <string>

#include "framework/controls/GraphicControl.h"
#include "framework/core/TypeInfo.h"
#include "widgets/styled/AdvHintInfo.h"
#include "widgets/styled/GDIPicture.h"

namespace dsp {

class TAdvOfficeImage : public TGraphicControl {
public:
    explicit TAdvOfficeImage(TComponent* owner);
    ~TAdvOfficeImage() override;

    TAdvHintInfo* OfficeHint() const { return FOfficeHint.get(); }
    void SetOfficeHint(TAdvHintInfo* value) { FOfficeHint->Assign(value); }
    TGDIPPicture* Picture() const { return FIPicture.get(); }
    void SetPicture(TGDIPPicture* value);
    bool Center() const { return FCenter; }
    void SetCenter(bool value);
    bool Stretch() const { return FStretch; }
    void SetStretch(bool value);
    bool MouseInControl() const { return FMouseInControl; }
    std::string Version() const;
    void SetVersion(const std::string&) {}

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    DSP_PUBLISHED(TAdvOfficeImage, TGraphicControl) {
        using P = Published<TAdvOfficeImage>;
        using B = TAdvOfficeImage;
        return {
            P::Property("OfficeHint", &B::OfficeHint, &B::SetOfficeHint),
            P::Property("Picture", &B::Picture, &B::SetPicture),
            P::Property("Center", &B::Center, &B::SetCenter).Default(true),
            P::Property("Stretch", &B::Stretch, &B::SetStretch).Default(false),
            P::Property("Version", &B::Version, &B::SetVersion).Stored(false),
        };
    }

protected:
    void Paint() override;
    void Dispatch(TMessage& message) override;
    virtual void DrawPicture(TCanvas* canvas);
    virtual std::uint32_t GetVersionNr() const;

private:
    [[maybe_unused]] int FOffSet = 4;
    bool FMouseInControl = false;
    std::unique_ptr<TAdvHintInfo> FOfficeHint;
    std::unique_ptr<TGDIPPicture> FIPicture;
    bool FCenter = true;
    bool FStretch = false;
};

}  // namespace dsp
