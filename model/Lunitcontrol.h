#pragma once
// The editor's model of the processor: the current parameter image, which of the processor's 30
// user preset slots hold a preset, and the presets and device bytes read during an upload. It
// answers questions about single parameters and is the one place where an edit becomes a
// command: each setter writes the image (for the whole link group where the parameter follows
// links), then, unless the main window is showing a whole image, sends the matching record.
//
// Channel index ch: 0 to 2 InA to InC, 3 to 8 Out1 to Out6. A channel or band outside the
// image, or an output-only operation given an input (and the other way round), raises
// EListError. Payloads received from the processor are checked: one that does not fit is
// rejected whole (the operation returns false and changes nothing).

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "model/UnitControlHost.h"
#include "model/UnitFiles.h"
#include "model/UnitImage.h"

namespace dsp {

// What became of a unit file write.
enum TUnitFileResult { ufWritten, ufCancelled, ufFailed };

class LUnitControl {
public:
    // Starts from the default image; every other field starts empty.
    explicit LUnitControl(IUnitControlHost& host);
    LUnitControl(const LUnitControl&) = delete;
    LUnitControl& operator=(const LUnitControl&) = delete;

    // Replaces the image with the built-in default image.
    void LoadDefaults();

    // The whole current image.
    const UnitImage& GetImage() const { return FImage; }

    // --- Single parameters -------------------------------------------------------------------
    std::uint16_t GetGain(int ch) const;
    std::uint16_t GetDelay(int ch) const;
    bool GetPolarity(int ch) const;  // the Polarity word is not 0
    bool GetMute(int ch) const;
    bool IsBandBypassed(int ch, int band) const;
    PeqBandParams GetPeqBand(int ch, int band) const;
    // The band as the built-in default image has it.
    PeqBandParams GetDefaultPeqBand(int ch, int band) const;
    CrossoverParams GetCrossover(int ch) const;
    GateParams GetGate(int ch) const;              // inputs only
    CompressorParams GetCompressor(int ch) const;  // outputs only
    std::uint16_t GetRoutingMask(int ch) const;    // outputs only
    std::uint16_t GetLinkMask(int ch) const;
    const ChannelNameBytes& GetChannelName(int ch) const;
    // The whole-EQ bypass mask of the channel's side.
    std::uint16_t GetEqBypassMask(int ch) const;
    std::uint16_t GetDelayUnit() const;
    std::uint16_t GetTestSignalMode() const;
    std::uint16_t GetSineIndex() const;
    const PresetNameBytes& GetPresetName() const;
    bool IsPresetUsed(int k) const;  // slot index 0 to 29

    // The channels that change together with ch, as a mask of its side (bit i input i, bit j
    // output j + 1). A group's leader is its lowest channel, whose mask holds its own bit and
    // its followers' bits; a follower's own mask is 0. So the group is ch's own mask when that
    // holds ch's bit, else the mask of the first lower channel of the side that holds ch's bit,
    // else ch's own mask.
    std::uint16_t GetLinkGroupMask(int ch) const;
    // The channel whose mask gives ch's group: the first channel of the side at or below ch
    // whose mask holds ch's bit, else ch itself. The processor applies a command to the group
    // its channel's mask names, so an edit of ch is sent for this channel.
    int GetLinkGroupLeader(int ch) const;

    // --- Setters -----------------------------------------------------------------------------
    // Written to the link group: compressor, gate, polarity, EQ band, crossover halves, gain,
    // delay and mute. The record sent names the group's leader, so the processor changes the
    // same channels; ch itself where it leads or follows nobody. The EQ band and crossover
    // setters also mark ch's curve dirty, whether or not they send.
    void SetCompressor(int ch, const CompressorParams& comp);  // outputs only
    void SetGate(int ch, const GateParams& gate);              // inputs only
    void SetPolarity(int ch, std::uint8_t polarity);
    // The band's bypass bit is set when bypass is not 0, else cleared.
    void SetPeqBand(int ch, int band, const PeqBandParams& peq, std::uint8_t bypass);
    // The crossover setters take the channel's whole crossover as edited and use only their half.
    void SetHighPass(int ch, const CrossoverParams& crossover);
    void SetLowPass(int ch, const CrossoverParams& crossover);
    void SetGain(int ch, std::uint16_t gain);
    void SetDelay(int ch, std::uint16_t delay);
    // The channel's mute bit is set when flag is not 0, else cleared; the flag is sent as given.
    void SetMute(int ch, std::uint8_t flag);
    // Written to ch only.
    void SetRouting(int ch, std::uint16_t mask);  // outputs only
    void SetDelayUnit(std::uint16_t unit);
    void SetLinkMask(int ch, std::uint16_t mask);
    void SetChannelName(int ch, const ChannelNameBytes& name);
    // Writes the whole-EQ bypass mask of ch's side and sends nothing (the caller sends the
    // bypass command).
    void SetEqBypassMask(int ch, std::uint16_t mask);

    // Copies channel a onto channel b of the same side, in the image only: band-bypass mask,
    // mute and whole-EQ bypass bits, and the record but for name, routing and link mask.
    void CopyChannel(int a, int b);

    // --- Preset slots and names --------------------------------------------------------------
    // The preset-map reply: slot k is in use when payload byte k is 0xFF. False (nothing
    // written) when the payload has fewer than 30 bytes.
    [[nodiscard]] bool SetPresetMap(std::span<const std::uint8_t> payload);
    // Slot k (0 to 29) now holds a preset.
    void SetPresetUsed(int k);
    // The image's preset name becomes the first 14 bytes of name. False (nothing written) when
    // there are fewer.
    [[nodiscard]] bool SetPresetName(std::span<const std::uint8_t> name);
    // Shows a preset-name reply (slot index, then 14 name bytes; a zero byte shows as a blank)
    // as the name of preset number n (1 to 30): recall grid row n, store grid row n - 1. False
    // (nothing shown) when the payload has fewer than 15 bytes or n is outside 1 to 30.
    [[nodiscard]] bool ShowPresetName(int n, std::span<const std::uint8_t> payload);
    // "Default Preset" in every user preset row of both grids.
    void ResetPresetGrids();

    // --- Files and memory blocks -------------------------------------------------------------
    // The header and the preset-file body of the current image (802 bytes; the caller adds
    // CR LF).
    std::vector<std::uint8_t> EncodePresetFile() const;
    // Applies a preset-file body (the bytes after the header; bytes beyond the 786 read are
    // ignored) to the image and sends every parameter, 166 frames appended without coalescing,
    // also while the main window is showing an image. False, with nothing written or sent, when
    // the body is shorter than 786 bytes.
    [[nodiscard]] bool ApplyPresetFile(std::span<const std::uint8_t> body);
    // A settings-block reply: block number b (0 to 15), then at most 50 bytes, stored at 50 * b.
    // Block 15 completes the image: buffer bytes 2 to 797 become the image's. False (nothing
    // stored) for an empty payload, b above 15 or more than 50 bytes.
    [[nodiscard]] bool ReceiveSettingsBlock(std::span<const std::uint8_t> payload);
    // A preset-block reply for preset number n (1 to 30), checked as above; block 15 files the
    // buffer as that preset. False (nothing stored) also for n outside 1 to 30.
    [[nodiscard]] bool ReceivePresetBlock(int n, std::span<const std::uint8_t> payload);
    // The device bytes read at the start of an upload (at most 18; false, nothing stored, for
    // more).
    [[nodiscard]] bool SetDeviceBlock(std::span<const std::uint8_t> payload);
    // The unit file of the uploaded presets (24,034 bytes): a slot in use carries its slot
    // number and image bytes 0 to 796, an empty one 798 bytes 0x64; each record ends in CR LF.
    std::vector<std::uint8_t> EncodeUnitFile() const;
    // Asks for a file name with the unit save dialog and writes the unit file whole, or leaves
    // the target as it was and reports the failure.
    TUnitFileResult WriteUnitFile();

private:
    // Sends a record unless the main window is showing a whole image.
    void Send(const LCmd& record, bool noCoalesce);
    // Sends a record even while the main window is showing a whole image.
    void SendAlways(const LCmd& record);
    std::uint8_t DeviceId() const;
    // The channel number a linked setter's record carries for an edit of ch.
    std::uint8_t LeaderOf(int ch) const;
    // Calls write(c) for every channel of ch's link group, in ascending order.
    template <typename Write>
    void ForLinkGroup(int ch, Write write);
    // Copies a received block into FRxBuffer, after checking it.
    bool StoreBlock(std::span<const std::uint8_t> payload, bool& last);

    InputChannelParams& Input(int ch);
    const InputChannelParams& Input(int ch) const;
    OutputChannelParams& Output(int ch);
    const OutputChannelParams& Output(int ch) const;
    Le16& MuteMask(int ch);
    Le16& EqBypassMask(int ch);

    IUnitControlHost& host_;
    UnitImage FImage;
    std::array<std::uint8_t, PresetSlotCount> FPresetUsed{};
    std::array<std::uint8_t, DeviceBlockSize> FDeviceBlock{};
    std::array<std::uint8_t, DeviceMemorySize> FRxBuffer{};
    std::array<PresetSlot, PresetSlotCount> FPresetSlots{};
};

}  // namespace dsp
