// Level polling and the level meters.

#include "components/LProgressBar.h"
#include "framework/controls/UpDown.h"
#include "framework/runtime/Timer.h"
#include "mainwindow/FMainSession.h"
#include "mainwindow/SessionRules.h"
#include "model/Lcmd.h"

namespace dsp {

namespace {
constexpr std::size_t kLimitFlagsByte = 36;
}  // namespace

void TfmMainSession::BindLevelMeters() {
    for (int i = 0; i < InputCount; ++i) {
        const std::string x(1, static_cast<char>('A' + i));
        pbLevelIn[i] = RequiredComponent<LProgressBar>("pbLevelIn" + x);
        pbLevelBackupIn[i] = RequiredComponent<LProgressBar>("pbLevelBackupIn" + x);
        pbLevelGateIn[i] = RequiredComponent<LProgressBar>("pbLevelGateIn" + x);
    }
    for (int i = 0; i < OutputCount; ++i) {
        const std::string n = std::to_string(i + 1);
        pbLevelOut[i] = RequiredComponent<LProgressBar>("pbLevelOut" + n);
        pbLevelBackupOut[i] = RequiredComponent<LProgressBar>("pbLevelBackupOut" + n);
        pbLevelCompOut[i] = RequiredComponent<LProgressBar>("pbLevelCompOut" + n);
        pbLimitOut[i] = RequiredComponent<LProgressBar>("pbLimitOut" + n);
        pbLimitBackupOut[i] = RequiredComponent<LProgressBar>("pbLimitBackupOut" + n);
        pbLimitCompOut[i] = RequiredComponent<LProgressBar>("pbLimitCompOut" + n);
        udCompRatioOut[i] = RequiredComponent<TUpDown>("udCompRatioOut" + n);
    }
    pbLevelGateInPage = RequiredComponent<LProgressBar>("pbLevelGateIn");
    pbLevelCompOutPage = RequiredComponent<LProgressBar>("pbLevelCompOut");
    pbLimitCompOutPage = RequiredComponent<LProgressBar>("pbLimitCompOut");
}

void TfmMainSession::tmInLevelDetTimer(TObject*) { SendCoalescable(CommandCode::MCS_GET_LEVELS); }

void TfmMainSession::ShowLevels(std::span<const std::uint8_t> payload) {
    if (!bound_ || payload.size() < kLevelReplySize) return;
    for (int c = 0; c < ChannelCount; ++c) {
        if (c < InputCount) {
            const int position = MeterPosition(LevelDb(UnpackLevel(payload, c)), LevelMeterSteps);
            pbLevelBackupIn[c]->SetPosition(position);
            pbLevelIn[c]->SetPosition(position);
            pbLevelGateIn[c]->SetPosition(position);
            if (c == FGateChannel) pbLevelGateInPage->SetPosition(position);
            continue;
        }
        // Level 3 is not shown: the outputs' levels are 4 to 9.
        const int j = c - InputCount;
        const int position = MeterPosition(LevelDb(UnpackLevel(payload, c + 1)), GateMeterSteps);
        pbLevelCompOut[j]->SetPosition(position);
        pbLevelBackupOut[j]->SetPosition(position);
        pbLevelOut[j]->SetPosition(position);
        // Limiting shows only where the compressor compresses (ratio above 1.0).
        const bool limiting =
            ((payload[kLimitFlagsByte] >> j) & 1) != 0 && udCompRatioOut[j]->Position() != 0;
        const int limit = limiting ? 1 : 0;
        pbLimitCompOut[j]->SetPosition(limit);
        pbLimitBackupOut[j]->SetPosition(limit);
        pbLimitOut[j]->SetPosition(limit);
        if (c == FCompChannel) {
            pbLimitCompOutPage->SetPosition(limit);
            pbLevelCompOutPage->SetPosition(position);
        }
    }
}

void TfmMainSession::ResetLevels() {
    if (!bound_) return;
    for (int i = 0; i < InputCount; ++i) {
        for (LProgressBar* meter : {pbLevelIn[i], pbLevelBackupIn[i], pbLevelGateIn[i]})
            meter->SetPosition(0);
    }
    for (int i = 0; i < OutputCount; ++i) {
        for (LProgressBar* meter : {pbLevelOut[i], pbLevelBackupOut[i], pbLevelCompOut[i],
                                    pbLimitOut[i], pbLimitBackupOut[i], pbLimitCompOut[i]})
            meter->SetPosition(0);
    }
    for (LProgressBar* meter : {pbLevelCompOutPage, pbLimitCompOutPage, pbLevelGateInPage})
        meter->SetPosition(0);
}

}  // namespace dsp
