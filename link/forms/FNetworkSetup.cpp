#include "link/forms/FNetworkSetup.h"

#include <optional>

#include "framework/controls/Button.h"
#include "framework/controls/Edit.h"
#include "framework/controls/FormBuilder.h"
#include "framework/controls/GroupBox.h"
#include "framework/controls/Image.h"
#include "framework/controls/Label.h"
#include "framework/text/Format.h"
#include "framework/text/Numbers.h"
#include "link/forms/DialogKit.h"
#include "link/forms/NetworkSetupHost.h"
#include "widgets/panels/RzBmpBtn.h"

namespace dsp {

TfmNetworkSetup* fmNetworkSetup = nullptr;

namespace {

constexpr int kWidth = 280;
constexpr int kHeight = 220;
constexpr char16_t kEnter = 13;
constexpr int kMinId = 1;
constexpr int kMaxId = 250;
constexpr int kMaxOctet = 255;

TEdit* AddNumberBox(TFormBuilder& build, const std::string& name, TWinControl* parent, int left,
                    int top, int width) {
    auto* box = build.Add<TEdit>(name, parent, left, top, width, 24);
    box->SetNumbersOnly(true);
    box->SetMaxLength(3);
    box->SetAlignment(taCenter);
    dialogkit::SetFont(*box, 14, true, clBlack);
    return box;
}

TGroupBox* AddGroup(TFormBuilder& build, const std::string& name, TWinControl* parent, int top,
                    int height, const std::string& caption) {
    auto* box = build.Add<TGroupBox>(name, parent, 14, top, kWidth - 28, height);
    box->SetParentBackground(true);
    dialogkit::SetFont(*box, 12, true, dialogkit::kText);
    box->SetCaption(caption);
    return box;
}

// The number a box holds, or nothing when it is empty or not a number.
std::optional<int> BoxNumber(const TEdit& box) { return TryStrToInt(box.Text()); }

}  // namespace

TfmNetworkSetup::TfmNetworkSetup(TComponent* owner) : TForm(owner) {
    TFormBuilder build(*this);
    SetName("fmNetworkSetup");
    dialogkit::SetUpForm(*this, kWidth, kHeight);
    SetCaption("Setting ID/IP");
    Image1 = dialogkit::AddBackground(build, *this, "Image1", "NETSETUP_BACKGROUND");

    gbIdSetting = AddGroup(build, "gbIdSetting", this, 8, 54, "ID Number Setting ");
    lbMessage = dialogkit::AddLabel(build, "lbMessage", gbIdSetting, 14, 24, 96, 20, 13, true);
    lbMessage->SetLayout(tlCenter);
    lbMessage->SetCaption("Number  :");
    edId = AddNumberBox(build, "edId", gbIdSetting, 116, 22, 56);
    edId->SetText("1");

    gbIpSetting = AddGroup(build, "gbIpSetting", this, 76, 84, "IP Address Setting ");
    TEdit** boxes[] = {&edIp1, &edIp2, &edIp3, &edIp4};
    TLabel** dots[] = {&Label1, &Label2, &Label3};
    for (int i = 0; i < 4; ++i) {
        *boxes[i] =
            AddNumberBox(build, "edIp" + std::to_string(i + 1), gbIpSetting, 14 + i * 58, 30, 46);
        if (i < 3) {
            *dots[i] = dialogkit::AddLabel(build, "Label" + std::to_string(i + 1), gbIpSetting,
                                           60 + i * 58, 30, 12, 24, 16, true);
            (*dots[i])->SetAlignment(taCenter);
            (*dots[i])->SetLayout(tlCenter);
            (*dots[i])->SetCaption(".");
        }
    }
    rbManualSetting = build.Add<TRadioButton>("rbManualSetting", gbIpSetting, 14, 58, 110, 18);
    rbManualSetting->SetCaption("Manual Setting ");
    rbManualSetting->SetChecked(true);
    rbManualSetting->SetVisible(false);
    rbAutoSetting = build.Add<TRadioButton>("rbAutoSetting", gbIpSetting, 14, 58, 110, 18);
    rbAutoSetting->SetCaption("Auto Setting");
    rbAutoSetting->SetVisible(false);

    bnSet = dialogkit::AddButton(build, "bnSet", this, 36, 180, "Set");
    bnExit = dialogkit::AddButton(build, "bnExit", this, 148, 180, "Exit");

    build.Handle(OnShow, this, &TfmNetworkSetup::FormShow);
    build.Handle(bnSet->OnClick, this, &TfmNetworkSetup::bnSetClick);
    build.Handle(bnExit->OnClick, this, &TfmNetworkSetup::bnExitClick);
    build.Handle(edId->OnEnter, this, &TfmNetworkSetup::edIdEnter);
    build.Handle(edId->OnMouseDown, this, &TfmNetworkSetup::edIdMouseDown);
    build.Handle(edId->OnKeyPress, this, &TfmNetworkSetup::edIdKeyPress);
    build.Handle(edId->OnExit, this, &TfmNetworkSetup::edIdExit);
    for (TEdit* box : AddressBoxes()) {
        build.Handle(box->OnEnter, this, &TfmNetworkSetup::edIp1Enter);
        build.Handle(box->OnMouseDown, this, &TfmNetworkSetup::edIp1MouseDown);
        build.Handle(box->OnKeyPress, this, &TfmNetworkSetup::edIp1KeyPress);
        build.Handle(box->OnExit, this, &TfmNetworkSetup::edIp1Exit);
    }
    build.Handle(rbManualSetting->OnClick, this, &TfmNetworkSetup::rbManualSettingClick);
    build.Handle(rbAutoSetting->OnClick, this, &TfmNetworkSetup::rbAutoSettingClick);
    build.Finish();
}

TfmNetworkSetup::~TfmNetworkSetup() {
    if (fmNetworkSetup == this) fmNetworkSetup = nullptr;
}

std::string TfmNetworkSetup::GetIpText() const {
    const INetworkSetupHost* host = NetworkSetupHost();
    const std::uint32_t ip = host != nullptr ? host->GetDeviceIp() : 0;
    return Format("%d.%d.%d.%d", (ip >> 24) & 0xFF, (ip >> 16) & 0xFF, (ip >> 8) & 0xFF, ip & 0xFF);
}

void TfmNetworkSetup::PrepareFor(bool online) {
    gbIpSetting->SetEnabled(!online);
    rbManualSetting->SetEnabled(!online);
    rbAutoSetting->SetEnabled(!online);
    const bool usable = !online && !rbAutoSetting->Checked();
    EnableAddressBoxes(usable);
    edId->SetEnabled(usable);
    edId->SetColor(usable ? clWindow : clSilver);
}

void TfmNetworkSetup::EnableAddressBoxes(bool enabled) {
    for (TEdit* box : AddressBoxes()) {
        box->SetEnabled(enabled);
        box->SetColor(enabled ? clWindow : clSilver);
    }
}

void TfmNetworkSetup::FormShow(TObject*) {
    INetworkSetupHost* host = NetworkSetupHost();
    if (host == nullptr) return;
    const std::uint32_t ip = host->GetDeviceIp();
    const std::array<TEdit*, 4> boxes = AddressBoxes();
    for (int i = 0; i < 4; ++i) boxes[i]->SetText(IntToStr((ip >> (24 - 8 * i)) & 0xFF));
    SetCaption(host->GetText("SID_SET_NETWORK"));
    rbManualSetting->SetCaption(host->GetText("SID_MANU_NETWORK"));
    rbAutoSetting->SetCaption(host->GetText("SID_AUTO_NETWORK"));
    gbIdSetting->SetCaption(host->GetText("SID_INPUT_ID"));
    gbIpSetting->SetCaption(host->GetText("SID_IP_ADDRESS"));
    lbMessage->SetCaption(host->GetText("SID_NUMBER"));
    bnSet->SetCaption(host->GetText("SID_SET"));
    bnExit->SetCaption(host->GetText("SID_EXIT"));
}

void TfmNetworkSetup::bnSetClick(TObject*) {
    INetworkSetupHost* host = NetworkSetupHost();
    if (host == nullptr) return;
    bool set = false;

    const std::optional<int> id = BoxNumber(*edId);
    if (!id || *id < kMinId || *id > kMaxId) {
        host->ShowInformation("SID_ID_NUMBER_ERROR");
        edId->SetText(IntToStr(host->GetDeviceId()));
    } else {
        host->SetDeviceId(*id);
        set = true;
    }

    if (rbManualSetting->Checked() && !host->IsOnline()) {
        std::array<int, 4> octets{};
        bool numbers = true;
        const std::array<TEdit*, 4> boxes = AddressBoxes();
        for (int i = 0; i < 4; ++i) {
            const std::optional<int> value = BoxNumber(*boxes[i]);
            numbers = numbers && value.has_value() && *value >= 0;
            if (numbers) octets[i] = *value > kMaxOctet ? kMaxOctet : *value;
        }
        if (numbers) {
            const std::string text =
                Format("%d.%d.%d.%d", octets[0], octets[1], octets[2], octets[3]);
            host->ReconnectSocket(text);
            host->SetDeviceIp(static_cast<std::uint32_t>(octets[0]) << 24 |
                              static_cast<std::uint32_t>(octets[1]) << 16 |
                              static_cast<std::uint32_t>(octets[2]) << 8 |
                              static_cast<std::uint32_t>(octets[3]));
            host->ShowIpCaption("IP : " + text);
            set = true;
        }
    }

    if (set) {
        host->SetAutoIp(rbAutoSetting->Checked());
        Close();
    }
}

void TfmNetworkSetup::bnExitClick(TObject*) {
    if (INetworkSetupHost* host = NetworkSetupHost()) {
        edId->SetText(IntToStr(host->GetDeviceId()));
    }
    Close();
}

bool TfmNetworkSetup::ClampId() {
    const std::optional<int> id = BoxNumber(*edId);
    if (!id) return false;
    if (*id > kMaxId) {
        edId->SetText(IntToStr(kMaxId));
    } else if (*id < kMinId) {
        edId->SetText(IntToStr(kMinId));
    } else {
        return false;
    }
    return true;
}

void TfmNetworkSetup::edIdEnter(TObject*) { edId->SelectAll(); }

void TfmNetworkSetup::edIdMouseDown(TObject*, TMouseButton, TShiftState, int, int) {
    edId->SelectAll();
}

void TfmNetworkSetup::edIdKeyPress(TObject*, char16_t& key) {
    if (key != kEnter) return;
    ClampId();
    edId->SelectAll();
}

void TfmNetworkSetup::edIdExit(TObject*) {
    if (ClampId()) edId->SelectAll();
}

void TfmNetworkSetup::edIp1Enter(TObject* sender) {
    if (auto* box = dynamic_cast<TEdit*>(sender)) box->SelectAll();
}

void TfmNetworkSetup::edIp1MouseDown(TObject* sender, TMouseButton, TShiftState, int, int) {
    if (auto* box = dynamic_cast<TEdit*>(sender)) box->SelectAll();
}

void TfmNetworkSetup::edIp1KeyPress(TObject* sender, char16_t& key) {
    auto* box = dynamic_cast<TEdit*>(sender);
    if (key != kEnter || box == nullptr) return;
    const std::optional<int> value = BoxNumber(*box);
    if (value && *value > kMaxOctet) box->SetText(IntToStr(kMaxOctet));
    box->SelectAll();
}

void TfmNetworkSetup::edIp1Exit(TObject* sender) {
    auto* box = dynamic_cast<TEdit*>(sender);
    if (box == nullptr) return;
    const std::optional<int> value = BoxNumber(*box);
    if (value && *value > kMaxOctet) {
        box->SetText(IntToStr(kMaxOctet));
        box->SelectAll();
    }
}

void TfmNetworkSetup::rbManualSettingClick(TObject*) { EnableAddressBoxes(true); }

void TfmNetworkSetup::rbAutoSettingClick(TObject*) { EnableAddressBoxes(false); }

}  // namespace dsp
