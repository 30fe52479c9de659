#include "tests/mainwindow/SessionTestForm.h"

#include <cstdio>

#include "components/LProgressBar.h"
#include "dialogs/FInformation.h"
#include "framework/controls/FormBuilder.h"
#include "framework/controls/Label.h"
#include "framework/controls/Menus.h"
#include "framework/controls/UpDown.h"
#include "framework/os/ClientSocket.h"
#include "link/LinkMessages.h"
#include "link/forms/FHidData.h"
#include "link/forms/FMemo.h"
#include "link/forms/FNetWorkScan.h"
#include "link/forms/FProcess.h"
#include "model/Lcmd.h"
#include "tools/sim/SimFrame.h"
#include "widgets/panels/RzBmpBtn.h"

namespace dsp::test {

namespace {

LProgressBar* Meter(TFormBuilder& build, TWinControl* parent, const std::string& name, int max,
                    int left) {
    auto* meter = build.Add<LProgressBar>(name, parent, left, 200, 14, max == 1 ? 22 : 132);
    meter->SetMax(max);
    return meter;
}

}  // namespace

TSessionTestForm::TSessionTestForm(TComponent* owner) : TfmMainOperations(owner) {
    SetClientSize(1118, 400);
    TFormBuilder build(*this);
    for (const char* name : {"lbStatus", "lbShowIdNumber", "lbShowIp", "lbPstNum", "lbPstName"})
        build.Add<TLabel>(name, this, 10, 10, 100, 16);
    auto* link = build.Add<TRzBmpButton>("rzbMenuLink", this, 10, 40, 64, 24);
    link->SetGroupIndex(1);
    link->SetAllowAllUp(true);
    build.Add<TRzBmpButton>("bStore", this, 80, 40, 64, 24);
    build.Add<TRzBmpButton>("bRecall", this, 150, 40, 64, 24);
    build.Create<TMainMenu>("MainMenu");
    for (const char* name :
         {"Open", "Save", "Upload", "Download", "FactoryDefault", "Exit", "Connect", "Connected",
          "ConnectHelp", "Lock", "LockSetup", "SettingID", "NetworkSetup", "TestTone", "ChNameList",
          "Rs232Code", "About", "MemoShow", "HidData"})
        build.Create<TMenuItem>(name);
    int left = 10;
    for (char x : {'A', 'B', 'C'}) {
        for (const char* stem : {"pbLevelIn", "pbLevelBackupIn", "pbLevelGateIn"})
            Meter(build, this, stem + std::string(1, x), 9, left += 16);
    }
    Meter(build, this, "pbLevelGateIn", 9, left += 16);
    for (int n = 1; n <= 6; ++n) {
        const std::string s = std::to_string(n);
        for (const char* stem : {"pbLevelOut", "pbLevelBackupOut", "pbLevelCompOut"})
            Meter(build, this, stem + s, 8, left += 16);
        for (const char* stem : {"pbLimitOut", "pbLimitBackupOut", "pbLimitCompOut"})
            Meter(build, this, stem + s, 1, left += 16);
        auto* ratio = build.Add<TUpDown>("udCompRatioOut" + s, this, 10 + n * 20, 360, 17, 21);
        ratio->SetMax(15);
    }
    Meter(build, this, "pbLevelCompOut", 8, left += 16);
    Meter(build, this, "pbLimitCompOut", 1, left += 16);
    build.Finish();
    BindOperationComponents();
}

void TSessionTestForm::SendCommand(const LCmd& record, bool noCoalesce, bool framed) {
    if (!recordSends) {
        TfmMainSession::SendCommand(record, noCoalesce, framed);
        return;
    }
    sent.push_back({record.GetId().value_or(0), record.GetCode(), record.GetData(), noCoalesce});
}

std::vector<std::uint8_t> TSessionTestForm::SentCodes() const {
    std::vector<std::uint8_t> codes;
    for (const TSent& s : sent) codes.push_back(s.code);
    return codes;
}

void TSessionTestForm::Reply(std::uint8_t code, const std::vector<std::uint8_t>& payload,
                             std::uint8_t from) {
    const std::vector<std::uint8_t> frame = sim::BuildFrame(from, 0, code, payload);
    Perform(WM_LINK_REPLY, ReplyFrameParam(frame), 0);
}

void TSessionTestForm::SetDeviceAddress(const std::string& dotted) {
    unsigned a = 0, b = 0, c = 0, d = 0;
    std::sscanf(dotted.c_str(), "%u.%u.%u.%u", &a, &b, &c, &d);
    FDeviceIp = (a << 24) | (b << 16) | (c << 8) | d;
    ClientSocket->SetAddress(dotted);
}

TSessionDialogs::TSessionDialogs() {
    fmNetwork = new TfmNetwork(nullptr);
    fmNetwork->AfterConstruction();
    fmProcess = new TfmProcess(nullptr);
    fmProcess->AfterConstruction();
    fmHidData = new TfmHidData(nullptr);
    fmHidData->AfterConstruction();
    fmMemo = new TfmMemo(nullptr);
    fmMemo->AfterConstruction();
    fmInformation = new TfmInformation(nullptr);
    fmInformation->AfterConstruction();
}

TSessionDialogs::~TSessionDialogs() {
    delete fmInformation;
    delete fmMemo;
    delete fmHidData;
    delete fmProcess;
    delete fmNetwork;
}

}  // namespace dsp::test
