#pragma once
// TfmNetworkSetup: sets the session's device ID and the processor's network address. Nothing
// is stored: both last for the session.
//
// The boxes take digits only, but an empty box or a typed value out of range must never raise:
// an ID that is empty or not a number in 1..250 shows the ID error and the box shows the
// current ID again; an address with a box that is empty or not a number changes nothing; an
// octet above 255 counts as 255, as leaving the box would have made it.

#include <array>
#include <cstdint>
#include <string>

#include "framework/controls/ControlTypes.h"
#include "framework/controls/Form.h"

namespace dsp {

class TEdit;
class TGroupBox;
class TImage;
class TLabel;
class TRadioButton;
class TRzBmpButton;

class TfmNetworkSetup : public TForm {
public:
    explicit TfmNetworkSetup(TComponent* owner);
    ~TfmNetworkSetup() override;

    // The main window's address as "192.168.2.1".
    std::string GetIpText() const;
    // Before showing (the main window's NetworkSetupClick): online, the address cannot be
    // changed and the boxes are disabled and silver; the same for the boxes when the
    // automatic choice is set.
    void PrepareFor(bool online);

    // Handlers.
    void FormShow(TObject* sender);
    void bnSetClick(TObject* sender);
    void bnExitClick(TObject* sender);
    void edIdEnter(TObject* sender);
    void edIdMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void edIdKeyPress(TObject* sender, char16_t& key);
    void edIdExit(TObject* sender);
    // Shared by the four address boxes.
    void edIp1Enter(TObject* sender);
    void edIp1MouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void edIp1KeyPress(TObject* sender, char16_t& key);
    void edIp1Exit(TObject* sender);
    void rbManualSettingClick(TObject* sender);
    void rbAutoSettingClick(TObject* sender);

    TImage* Image1 = nullptr;
    TGroupBox* gbIdSetting = nullptr;
    TLabel* lbMessage = nullptr;
    TEdit* edId = nullptr;
    TGroupBox* gbIpSetting = nullptr;
    TEdit* edIp1 = nullptr;
    TEdit* edIp2 = nullptr;
    TEdit* edIp3 = nullptr;
    TEdit* edIp4 = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label3 = nullptr;
    TRadioButton* rbManualSetting = nullptr;
    TRadioButton* rbAutoSetting = nullptr;
    TRzBmpButton* bnSet = nullptr;
    TRzBmpButton* bnExit = nullptr;

private:
    std::array<TEdit*, 4> AddressBoxes() const { return {edIp1, edIp2, edIp3, edIp4}; }
    // The address boxes usable (window colour) or not (silver).
    void EnableAddressBoxes(bool enabled);
    // Clamps the ID box to 1..250 (true when it changed it).
    bool ClampId();
};

extern TfmNetworkSetup* fmNetworkSetup;

}  // namespace dsp
