// libFuzzer target over the parameter model's readers of whole images: the preset-file body,
// the settings and preset blocks read from the processor, the preset map and the device bytes.
// The input is a run of operations with their payloads. A shadow of what each reader promises
// is kept beside the model: a payload a reader refuses changes nothing (image, receive buffer,
// presets, map, device bytes, frames sent); one it takes changes exactly what it says. After
// every operation the model's image and its unit file must match the shadow, and a preset file
// written from the image must apply back to the same image. A broken rule aborts, which
// libFuzzer reports as a crash.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/Lcmd.h"
#include "model/Lunitcontrol.h"
#include "model/UnitControlHost.h"
#include "model/UnitFiles.h"

namespace dsp {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The line of the broken rule goes to the error stream before the abort.
void Check(bool condition, int line = __builtin_LINE()) {
    if (condition) return;
    std::fprintf(stderr, "broken rule at line %d\n", line);
    std::abort();
}

// A main window that only counts the frames it is handed.
class CountingHost : public IUnitControlHost {
public:
    void SendCommand(const LCmd&, bool, bool) override { ++sent; }
    int GetDeviceId() const override { return 1; }
    bool IsApplyingImage() const override { return false; }
    void MarkCurveDirty(int) override {}
    void SetRecallPresetName(int, const std::string&) override {}
    void SetStorePresetName(int, const std::string&) override {}
    std::optional<std::string> ExecuteSaveUnitDialog() override { return std::nullopt; }

    int sent = 0;
};

// What the readers promise, kept apart from the model.
struct Shadow {
    std::array<std::uint8_t, UnitImageSize> image{};
    std::array<std::uint8_t, DeviceMemorySize> received{};
    std::array<std::array<std::uint8_t, UnitImageSize>, PresetSlotCount> presets{};
    std::array<bool, PresetSlotCount> filed{};  // a preset block 15 came for the slot
    std::array<bool, PresetSlotCount> used{};
    std::array<std::uint8_t, DeviceBlockSize> device{};
    int sent = 0;

    // A block reply: block number, then at most 50 bytes; false when the model must refuse it.
    bool Store(const Bytes& payload, bool& last) {
        if (payload.empty() || payload[0] >= MemoryBlockCount) return false;
        if (payload.size() - 1 > MemoryBlockSize) return false;
        std::copy(payload.begin() + 1, payload.end(),
                  received.begin() + payload[0] * MemoryBlockSize);
        last = payload[0] == MemoryBlockCount - 1;
        return true;
    }
};

// The unit file the shadow stands for.
Bytes ShadowUnitFile(const Shadow& s) {
    Bytes file(FileHeader.begin(), FileHeader.end());
    file.insert(file.end(), s.device.begin(), s.device.end());
    for (int k = 0; k < PresetSlotCount; ++k) {
        if (s.used[k]) {
            // A slot the map names but no upload filled keeps the model's empty record.
            file.push_back(s.filed[k] ? std::uint8_t(k + 1) : 0);
            const auto& image = s.presets[k];
            file.insert(file.end(), image.begin(), image.begin() + UnitRecordImageBytes);
        } else {
            file.insert(file.end(), 1 + UnitRecordImageBytes, EmptySlotByte);
        }
        file.push_back(0x0D);
        file.push_back(0x0A);
    }
    return file;
}

void CheckAgainst(const LUnitControl& model, const CountingHost& host, const Shadow& s) {
    const auto image = model.GetImage().Bytes();
    Check(std::equal(image.begin(), image.end(), s.image.begin()));
    Check(host.sent == s.sent);
    Check(model.EncodeUnitFile() == ShadowUnitFile(s));
    for (int k = 0; k < PresetSlotCount; ++k) Check(model.IsPresetUsed(k) == s.used[k]);
}

}  // namespace
}  // namespace dsp

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace dsp;
    FuzzedDataProvider input(data, size);
    CountingHost host;
    LUnitControl model(host);
    Shadow s;
    {
        const auto image = model.GetImage().Bytes();
        std::copy(image.begin(), image.end(), s.image.begin());
    }
    const int frames = 166;  // what applying a preset file sends
    while (input.remaining_bytes() > 0) {
        const int op = input.ConsumeIntegralInRange<int>(0, 5);
        const Bytes payload =
            input.ConsumeBytes<std::uint8_t>(input.ConsumeIntegralInRange<std::size_t>(0, 900));
        switch (op) {
            case 0: {  // a preset-file body
                const bool taken = model.ApplyPresetFile(payload);
                Check(taken == (payload.size() >= PresetBodySize));
                if (taken) {
                    std::copy_n(payload.begin(), PresetBodySize, s.image.begin() + PresetBodyStart);
                    s.sent += frames;
                }
                break;
            }
            case 1: {  // a settings block
                bool last = false;
                Check(model.ReceiveSettingsBlock(payload) == s.Store(payload, last));
                if (last)
                    std::copy(s.received.begin() + PresetBodyStart,
                              s.received.begin() + UnitImageSize,
                              s.image.begin() + PresetBodyStart);
                break;
            }
            case 2: {  // a preset block for preset number n
                const int n = input.ConsumeIntegralInRange<int>(-1, PresetSlotCount + 1);
                bool last = false;
                const bool fits = n >= 1 && n <= PresetSlotCount;
                Check(model.ReceivePresetBlock(n, payload) == (fits && s.Store(payload, last)));
                if (fits && last) {
                    std::copy_n(s.received.begin(), UnitImageSize, s.presets[n - 1].begin());
                    s.filed[n - 1] = true;
                }
                break;
            }
            case 3: {  // the preset map
                const bool taken = model.SetPresetMap(payload);
                Check(taken == (payload.size() >= PresetSlotCount));
                if (taken)
                    for (int k = 0; k < PresetSlotCount; ++k) s.used[k] = payload[k] == 0xFF;
                break;
            }
            case 4: {  // the device bytes
                const bool taken = model.SetDeviceBlock(payload);
                Check(taken == (payload.size() <= DeviceBlockSize));
                if (taken) std::copy(payload.begin(), payload.end(), s.device.begin());
                break;
            }
            default: {  // the preset file of the image applies back to the same image
                const Bytes file = model.EncodePresetFile();
                Check(file.size() == FileHeaderSize + PresetBodySize);
                Check(std::equal(FileHeader.begin(), FileHeader.end(), file.begin()));
                Check(model.ApplyPresetFile(std::span(file).subspan(FileHeaderSize)));
                s.sent += frames;
                break;
            }
        }
        CheckAgainst(model, host, s);
    }
    return 0;
}
