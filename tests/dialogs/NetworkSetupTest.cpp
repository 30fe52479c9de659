// The network setup dialog: the ID and address boxes' rules, Set and Exit, and the boxes that
// hold no number (which must never raise).

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "framework/controls/Button.h"
#include "framework/controls/Edit.h"
#include "framework/controls/GroupBox.h"
#include "framework/controls/Label.h"
#include "link/forms/FNetworkSetup.h"
#include "link/forms/NetworkSetupHost.h"
#include "widgets/panels/RzBmpBtn.h"

namespace dsp {
namespace {

class TFakeHost : public INetworkSetupHost {
public:
    TFakeHost() { SetNetworkSetupHost(this); }
    ~TFakeHost() override { SetNetworkSetupHost(nullptr); }

    std::string GetText(const std::string& key) const override { return "<" + key + ">"; }
    int GetDeviceId() const override { return deviceId; }
    void SetDeviceId(int id) override {
        if (id >= 1 && id <= 254) deviceId = id;
    }
    bool IsOnline() const override { return online; }
    std::uint32_t GetDeviceIp() const override { return deviceIp; }
    void SetDeviceIp(std::uint32_t address) override { deviceIp = address; }
    void SetAutoIp(bool automatic) override { autoIp = automatic; }
    void ReconnectSocket(const std::string& address) override { socketAddress = address; }
    void ShowIpCaption(const std::string& caption) override { ipCaption = caption; }
    void ShowInformation(const std::string& key) override { messages.push_back(key); }

    int deviceId = 1;
    bool online = false;
    std::uint32_t deviceIp = 0xC0A80201;
    std::optional<bool> autoIp;
    std::string socketAddress;
    std::string ipCaption;
    std::vector<std::string> messages;
};

class NetworkSetup : public ::testing::Test {
protected:
    NetworkSetup() : form_(new TfmNetworkSetup(nullptr)) {}
    ~NetworkSetup() override { delete form_; }

    void Open() {
        form_->PrepareFor(host_.online);
        form_->Show();
    }
    void TypeAddress(const std::array<const char*, 4>& octets) {
        TEdit* boxes[] = {form_->edIp1, form_->edIp2, form_->edIp3, form_->edIp4};
        for (int i = 0; i < 4; ++i) boxes[i]->SetText(octets[i]);
    }

    TFakeHost host_;
    TfmNetworkSetup* form_;
};

TEST_F(NetworkSetup, ShowsTheAddressOctetsAndTheTexts) {
    host_.deviceIp = 0x0A000105;
    Open();
    EXPECT_EQ(form_->edIp1->Text(), "10");
    EXPECT_EQ(form_->edIp2->Text(), "0");
    EXPECT_EQ(form_->edIp3->Text(), "1");
    EXPECT_EQ(form_->edIp4->Text(), "5");
    EXPECT_EQ(form_->GetIpText(), "10.0.1.5");
    EXPECT_EQ(form_->Caption(), "<SID_SET_NETWORK>");
    EXPECT_EQ(form_->gbIdSetting->Caption(), "<SID_INPUT_ID>");
    EXPECT_EQ(form_->gbIpSetting->Caption(), "<SID_IP_ADDRESS>");
    EXPECT_EQ(form_->lbMessage->Caption(), "<SID_NUMBER>");
    EXPECT_EQ(form_->bnSet->Caption(), "<SID_SET>");
    EXPECT_EQ(form_->bnExit->Caption(), "<SID_EXIT>");
    EXPECT_EQ(form_->rbManualSetting->Caption(), "<SID_MANU_NETWORK>");
}

TEST_F(NetworkSetup, SetAppliesIdAndAddressOffline) {
    Open();
    form_->edId->SetText("7");
    TypeAddress({"10", "0", "0", "5"});
    form_->bnSetClick(form_->bnSet);
    EXPECT_EQ(host_.deviceId, 7);
    EXPECT_EQ(host_.socketAddress, "10.0.0.5");
    EXPECT_EQ(host_.deviceIp, 0x0A000005u);
    EXPECT_EQ(host_.ipCaption, "IP : 10.0.0.5");
    EXPECT_EQ(host_.autoIp, false);
    EXPECT_TRUE(host_.messages.empty());
    EXPECT_FALSE(form_->Visible());
}

TEST_F(NetworkSetup, SetWithIdsThatAreNoValidNumber) {
    // Empty and non-numeric boxes take the path of a number out of range: the ID error, the box
    // back to the current ID; offline the address still applies and the dialog closes, online
    // it stays open.
    struct Case {
        const char* id;
        bool online;
    };
    const Case cases[] = {{"0", false},   {"251", false}, {"", false},
                          {"12a", false}, {"0", true},    {"", true}};
    for (const Case& c : cases) {
        host_ = {};
        SetNetworkSetupHost(&host_);
        host_.deviceId = 3;
        host_.online = c.online;
        Open();
        form_->edId->SetText(c.id);
        TypeAddress({"10", "0", "0", "9"});
        form_->bnSetClick(form_->bnSet);
        const std::string what = std::string("id '") + c.id + (c.online ? "' online" : "'");
        EXPECT_EQ(host_.messages, std::vector<std::string>{"SID_ID_NUMBER_ERROR"}) << what;
        EXPECT_EQ(form_->edId->Text(), "3") << what;
        EXPECT_EQ(host_.deviceId, 3) << what;
        EXPECT_EQ(host_.socketAddress, c.online ? "" : "10.0.0.9") << what;
        EXPECT_EQ(form_->Visible(), c.online) << what;
        form_->Close();
    }
}

TEST_F(NetworkSetup, AnAddressBoxWithoutANumberChangesNothing) {
    for (const char* bad : {"", "x", "-1"}) {
        host_.socketAddress.clear();
        Open();
        form_->edId->SetText("9");
        TypeAddress({"10", bad, "0", "5"});
        form_->bnSetClick(form_->bnSet);
        EXPECT_EQ(host_.socketAddress, "") << bad;
        EXPECT_EQ(host_.deviceIp, 0xC0A80201u) << bad;
        EXPECT_EQ(host_.ipCaption, "") << bad;
        // The ID was set, so the dialog has done its part.
        EXPECT_EQ(host_.deviceId, 9);
        EXPECT_FALSE(form_->Visible()) << bad;
    }
    // Neither part applies: the dialog stays for another try.
    Open();
    form_->edId->SetText("");
    TypeAddress({"", "", "", ""});
    form_->bnSetClick(form_->bnSet);
    EXPECT_TRUE(form_->Visible());
}

TEST_F(NetworkSetup, BoxesClampWhenLeftOrOnEnter) {
    Open();
    struct Case {
        TEdit* box;
        const char* typed;
        const char* left;
    };
    const Case cases[] = {{form_->edIp2, "300", "255"}, {form_->edIp2, "255", "255"},
                          {form_->edIp2, "", ""},       {form_->edId, "300", "250"},
                          {form_->edId, "0", "1"},      {form_->edId, "250", "250"},
                          {form_->edId, "", ""}};
    for (const Case& c : cases) {
        for (bool enter : {false, true}) {
            c.box->SetText(c.typed);
            if (enter) {
                char16_t key = 13;
                c.box->OnKeyPress(c.box, key);
            } else {
                c.box->OnExit(c.box);
            }
            EXPECT_EQ(c.box->Text(), c.left) << c.typed << (enter ? " Enter" : " exit");
        }
    }
    // An octet typed above 255 and never left counts as 255.
    TypeAddress({"10", "300", "0", "5"});
    form_->bnSetClick(form_->bnSet);
    EXPECT_EQ(host_.socketAddress, "10.255.0.5");
}

TEST_F(NetworkSetup, ExitDiscardsTheTypedId) {
    host_.deviceId = 4;
    Open();
    form_->edId->SetText("99");
    form_->bnExitClick(form_->bnExit);
    EXPECT_EQ(form_->edId->Text(), "4");
    EXPECT_EQ(host_.deviceId, 4);
    EXPECT_FALSE(form_->Visible());
    EXPECT_EQ(host_.socketAddress, "");
}

TEST_F(NetworkSetup, OnlineTheBoxesAreDisabledAndSilver) {
    host_.online = true;
    Open();
    EXPECT_FALSE(form_->gbIpSetting->Enabled());
    for (TEdit* box : {form_->edId, form_->edIp1, form_->edIp4}) {
        EXPECT_FALSE(box->Enabled());
        EXPECT_EQ(box->Color(), clSilver);
    }
    form_->Close();
    host_.online = false;
    Open();
    EXPECT_TRUE(form_->edIp1->Enabled());
    EXPECT_EQ(form_->edIp1->Color(), clWindow);
}

}  // namespace
}  // namespace dsp
