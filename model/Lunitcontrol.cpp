#include "model/Lunitcontrol.h"

#include "framework/core/Exceptions.h"
#include "model/Lcmd.h"

namespace dsp {

namespace {

void CheckChannel(int ch) {
    if (ch < 0 || ch >= ChannelCount) throw EListError::IndexOutOfBounds(ch);
}

// The first channel index of ch's side and the number of channels on it.
int SideStart(int ch) { return UnitImage::IsInput(ch) ? 0 : InputCount; }
int SideCount(int ch) { return UnitImage::IsInput(ch) ? InputCount : OutputCount; }

// ch's bit in the masks of its side.
std::uint16_t SideBit(int ch) {
    CheckChannel(ch);
    return static_cast<std::uint16_t>(1u << (ch - SideStart(ch)));
}

void SetBit(Le16& mask, std::uint16_t bit, bool on) {
    mask = static_cast<std::uint16_t>(on ? (mask | bit) : (mask & ~bit));
}

}  // namespace

LUnitControl::LUnitControl(IUnitControlHost& host) : host_(host), FImage(DefaultUnitImage()) {}

void LUnitControl::LoadDefaults() { FImage = DefaultUnitImage(); }

// --- Channel records and side masks ------------------------------------------------------------

InputChannelParams& LUnitControl::Input(int ch) {
    return const_cast<InputChannelParams&>(static_cast<const LUnitControl*>(this)->Input(ch));
}

const InputChannelParams& LUnitControl::Input(int ch) const {
    if (!UnitImage::IsInput(ch)) throw EListError::IndexOutOfBounds(ch);
    return FImage.Inputs[static_cast<std::size_t>(ch)];
}

OutputChannelParams& LUnitControl::Output(int ch) {
    return const_cast<OutputChannelParams&>(static_cast<const LUnitControl*>(this)->Output(ch));
}

const OutputChannelParams& LUnitControl::Output(int ch) const {
    if (ch < InputCount || ch >= ChannelCount) throw EListError::IndexOutOfBounds(ch);
    return FImage.Outputs[static_cast<std::size_t>(ch - InputCount)];
}

Le16& LUnitControl::MuteMask(int ch) {
    CheckChannel(ch);
    return UnitImage::IsInput(ch) ? FImage.InputMuteMask : FImage.OutputMuteMask;
}

Le16& LUnitControl::EqBypassMask(int ch) {
    CheckChannel(ch);
    return UnitImage::IsInput(ch) ? FImage.InputEqBypassMask : FImage.OutputEqBypassMask;
}

// --- Getters -----------------------------------------------------------------------------------

std::uint16_t LUnitControl::GetGain(int ch) const { return FImage.Gain(ch); }
std::uint16_t LUnitControl::GetDelay(int ch) const { return FImage.Delay(ch); }
bool LUnitControl::GetPolarity(int ch) const { return FImage.Polarity(ch) != 0; }

bool LUnitControl::GetMute(int ch) const {
    const std::uint16_t bit = SideBit(ch);
    const Le16& mask = UnitImage::IsInput(ch) ? FImage.InputMuteMask : FImage.OutputMuteMask;
    return (mask & bit) != 0;
}

bool LUnitControl::IsBandBypassed(int ch, int band) const {
    FImage.Band(ch, band);  // checks the channel and the band
    return (FImage.BandBypassMasks[static_cast<std::size_t>(ch)] >> band) & 1u;
}

PeqBandParams LUnitControl::GetPeqBand(int ch, int band) const { return FImage.Band(ch, band); }

PeqBandParams LUnitControl::GetDefaultPeqBand(int ch, int band) const {
    return DefaultUnitImage().Band(ch, band);
}

CrossoverParams LUnitControl::GetCrossover(int ch) const { return FImage.Crossover(ch); }
GateParams LUnitControl::GetGate(int ch) const { return Input(ch).Gate; }
CompressorParams LUnitControl::GetCompressor(int ch) const { return Output(ch).Compressor; }
std::uint16_t LUnitControl::GetRoutingMask(int ch) const { return Output(ch).RoutingMask; }
std::uint16_t LUnitControl::GetLinkMask(int ch) const { return FImage.LinkMask(ch); }
const ChannelNameBytes& LUnitControl::GetChannelName(int ch) const { return FImage.Name(ch); }

std::uint16_t LUnitControl::GetEqBypassMask(int ch) const {
    CheckChannel(ch);
    return UnitImage::IsInput(ch) ? FImage.InputEqBypassMask : FImage.OutputEqBypassMask;
}

std::uint16_t LUnitControl::GetDelayUnit() const { return FImage.DelayUnit; }
std::uint16_t LUnitControl::GetTestSignalMode() const { return FImage.TestSignalMode; }
std::uint16_t LUnitControl::GetSineIndex() const { return FImage.SineIndex; }
const PresetNameBytes& LUnitControl::GetPresetName() const { return FImage.PresetName; }

bool LUnitControl::IsPresetUsed(int k) const {
    if (k < 0 || k >= PresetSlotCount) throw EListError::IndexOutOfBounds(k);
    return FPresetUsed[static_cast<std::size_t>(k)] != 0;
}

// --- Link groups -------------------------------------------------------------------------------

int LUnitControl::GetLinkGroupLeader(int ch) const {
    const std::uint16_t bit = SideBit(ch);
    if (FImage.LinkMask(ch) & bit) return ch;
    for (int lower = SideStart(ch); lower < ch; ++lower) {
        if (FImage.LinkMask(lower) & bit) return lower;
    }
    return ch;
}

std::uint16_t LUnitControl::GetLinkGroupMask(int ch) const {
    return FImage.LinkMask(GetLinkGroupLeader(ch));
}

template <typename Write>
void LUnitControl::ForLinkGroup(int ch, Write write) {
    const std::uint16_t group = GetLinkGroupMask(ch);
    const int start = SideStart(ch);
    for (int i = 0; i < SideCount(ch); ++i) {
        if (group & (1u << i)) write(start + i);
    }
}

// --- Sending -----------------------------------------------------------------------------------

std::uint8_t LUnitControl::DeviceId() const {
    return static_cast<std::uint8_t>(host_.GetDeviceId());
}

void LUnitControl::Send(const LCmd& record, bool noCoalesce) {
    if (host_.IsApplyingImage()) return;
    host_.SendCommand(record, noCoalesce, true);
}

void LUnitControl::SendAlways(const LCmd& record) { host_.SendCommand(record, true, true); }

std::uint8_t LUnitControl::LeaderOf(int ch) const {
    return static_cast<std::uint8_t>(GetLinkGroupLeader(ch));
}

// --- Setters -----------------------------------------------------------------------------------

void LUnitControl::SetCompressor(int ch, const CompressorParams& comp) {
    Output(ch);
    ForLinkGroup(ch, [&](int c) { Output(c).Compressor = comp; });
    Send(CM_MCS_COMP(DeviceId(), LeaderOf(ch), comp), false);
}

void LUnitControl::SetGate(int ch, const GateParams& gate) {
    Input(ch);
    ForLinkGroup(ch, [&](int c) { Input(c).Gate = gate; });
    Send(CM_MCS_GATE(DeviceId(), LeaderOf(ch), gate), false);
}

void LUnitControl::SetPolarity(int ch, std::uint8_t polarity) {
    ForLinkGroup(ch, [&](int c) { FImage.Polarity(c) = polarity; });
    Send(CM_MCS_POLARITY(DeviceId(), LeaderOf(ch), polarity), false);
}

void LUnitControl::SetPeqBand(int ch, int band, const PeqBandParams& peq, std::uint8_t bypass) {
    FImage.Band(ch, band);
    const auto bit = static_cast<std::uint16_t>(1u << band);
    ForLinkGroup(ch, [&](int c) {
        FImage.Band(c, band) = peq;
        SetBit(FImage.BandBypassMasks[static_cast<std::size_t>(c)], bit, bypass != 0);
    });
    Send(CM_MCS_PEQ(DeviceId(), LeaderOf(ch), static_cast<std::uint8_t>(band), peq, bypass), false);
    host_.MarkCurveDirty(ch);
}

void LUnitControl::SetHighPass(int ch, const CrossoverParams& crossover) {
    ForLinkGroup(ch, [&](int c) {
        FImage.Crossover(c).HighPassFreq = crossover.HighPassFreq;
        FImage.Crossover(c).HighPassSlope = crossover.HighPassSlope;
    });
    Send(
        CM_MCS_HIGH_PASS(DeviceId(), LeaderOf(ch), crossover.HighPassFreq, crossover.HighPassSlope),
        false);
    host_.MarkCurveDirty(ch);
}

void LUnitControl::SetLowPass(int ch, const CrossoverParams& crossover) {
    ForLinkGroup(ch, [&](int c) {
        FImage.Crossover(c).LowPassFreq = crossover.LowPassFreq;
        FImage.Crossover(c).LowPassSlope = crossover.LowPassSlope;
    });
    Send(CM_MCS_LOW_PASS(DeviceId(), LeaderOf(ch), crossover.LowPassFreq, crossover.LowPassSlope),
         false);
    host_.MarkCurveDirty(ch);
}

void LUnitControl::SetGain(int ch, std::uint16_t gain) {
    ForLinkGroup(ch, [&](int c) { FImage.Gain(c) = gain; });
    Send(CM_MCS_GAIN(DeviceId(), LeaderOf(ch), gain), false);
}

void LUnitControl::SetDelay(int ch, std::uint16_t delay) {
    ForLinkGroup(ch, [&](int c) { FImage.Delay(c) = delay; });
    Send(CM_MCS_DELAY(DeviceId(), LeaderOf(ch), delay), false);
}

void LUnitControl::SetMute(int ch, std::uint8_t flag) {
    ForLinkGroup(ch, [&](int c) { SetBit(MuteMask(c), SideBit(c), flag != 0); });
    Send(CM_MCS_MUTE(DeviceId(), LeaderOf(ch), flag), false);
}

void LUnitControl::SetRouting(int ch, std::uint16_t mask) {
    Output(ch).RoutingMask = mask;
    Send(CM_MCS_MATRIX(DeviceId(), static_cast<std::uint8_t>(ch), mask), false);
}

void LUnitControl::SetDelayUnit(std::uint16_t unit) {
    FImage.DelayUnit = unit;
    Send(CM_MCS_DELAYUNIT(DeviceId(), static_cast<std::uint8_t>(unit & 0xFF)), false);
}

void LUnitControl::SetLinkMask(int ch, std::uint16_t mask) {
    FImage.LinkMask(ch) = mask;
    Send(CM_MCS_CMD(DeviceId(), CommandCode::MCS_SET_LINK, static_cast<std::uint8_t>(ch),
                    static_cast<std::uint8_t>(mask & 0xFF)),
         true);
}

void LUnitControl::SetChannelName(int ch, const ChannelNameBytes& name) {
    FImage.Name(ch) = name;
    Send(CM_MCS_CHANNEL_NAME(DeviceId(), static_cast<std::uint8_t>(ch), FImage.Name(ch)), true);
}

void LUnitControl::SetEqBypassMask(int ch, std::uint16_t mask) { EqBypassMask(ch) = mask; }

// --- Channel copy ------------------------------------------------------------------------------

void LUnitControl::CopyChannel(int a, int b) {
    CheckChannel(a);
    CheckChannel(b);
    if (UnitImage::IsInput(a) != UnitImage::IsInput(b)) throw EListError::IndexOutOfBounds(b);

    FImage.BandBypassMasks[static_cast<std::size_t>(b)] =
        FImage.BandBypassMasks[static_cast<std::size_t>(a)];
    SetBit(MuteMask(b), SideBit(b), (MuteMask(a) & SideBit(a)) != 0);
    SetBit(EqBypassMask(b), SideBit(b), (EqBypassMask(a) & SideBit(a)) != 0);

    // Everything of the record but name, routing and link mask.
    if (UnitImage::IsInput(a)) {
        InputChannelParams& to = Input(b);
        const InputChannelParams& from = Input(a);
        to.Gate = from.Gate;
        to.Bands = from.Bands;
        to.Crossover = from.Crossover;
        to.Gain = from.Gain;
        to.Polarity = from.Polarity;
        to.Delay = from.Delay;
    } else {
        OutputChannelParams& to = Output(b);
        const OutputChannelParams& from = Output(a);
        to.Crossover = from.Crossover;
        to.Bands = from.Bands;
        to.Compressor = from.Compressor;
        to.Gain = from.Gain;
        to.Polarity = from.Polarity;
        to.Delay = from.Delay;
    }
}

}  // namespace dsp
