#pragma once
// Small helpers for talking to the simulator as the editor does.

#include <cstdint>
#include <vector>

#include "tools/sim/ProcessorSimulator.h"
#include "tools/sim/SimFrame.h"

namespace dsp::sim {

using Bytes = std::vector<std::uint8_t>;

// A frame from the editor (sender 0) to device id.
inline Bytes EditorFrame(std::uint8_t code, const Bytes& payload = {}, std::uint8_t id = 1) {
    return BuildFrame(0, id, code, payload);
}

// Sends one frame and reads the one answer back as a frame (code 0 and empty when none).
inline SimFrame Ask(ProcessorSimulator& sim, std::uint8_t code, const Bytes& payload = {}) {
    std::vector<SimReply> replies = sim.Receive(EditorFrame(code, payload));
    SimFrame answer;
    if (replies.size() != 1 || replies[0].bytes.empty()) return answer;
    StrictFrameReader reader;
    std::vector<SimFrame> frames;
    std::vector<std::string> faults;
    reader.Feed(replies[0].bytes.data(), replies[0].bytes.size(), frames, faults);
    if (frames.size() == 1 && faults.empty()) answer = frames[0];
    return answer;
}

// The 800 bytes of the current settings as the editor reads them back (16 blocks).
inline Bytes ReadSettings(ProcessorSimulator& sim) {
    Bytes image;
    for (std::uint8_t b = 0; b < 16; ++b) {
        SimFrame r = Ask(sim, 39, {b});
        if (r.code != 36 || r.payload.size() != 51 || r.payload[0] != b) return {};
        image.insert(image.end(), r.payload.begin() + 1, r.payload.end());
    }
    return image;
}

}  // namespace dsp::sim
