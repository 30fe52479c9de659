// The traffic monitor's lines of the serial link, and the hand-over of every line to the
// monitor.

#include "link/forms/FHidData.h"
#include "mainwindow/FMainSession.h"
#include "mainwindow/SessionRules.h"

namespace dsp {

bool TfmMainSession::TrafficMonitorVisible() const {
    return fmHidData != nullptr && fmHidData->Monitoring();
}

void TfmMainSession::PostTrafficLine(std::string line) {
    if (fmHidData) fmHidData->AddLine(std::move(line));
}

void TfmMainSession::LogCommWrite(const std::uint8_t* bytes, std::size_t count) {
    if (commSlot_.generation != 0 && TrafficMonitorVisible()) {
        PostTrafficLine("COM W " + HexBytes(bytes, count));
    }
}

void TfmMainSession::LogCommRead(const std::uint8_t* bytes, std::size_t count) {
    if (commSlot_.generation != 0 && TrafficMonitorVisible()) {
        PostTrafficLine("COM R " + HexBytes(bytes, count));
    }
}

}  // namespace dsp
