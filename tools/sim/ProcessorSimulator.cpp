#include "tools/sim/ProcessorSimulator.h"

#include <algorithm>
#include <cstring>

#include "tools/sim/FactoryImage.h"
#include "tools/sim/SimCommands.h"

namespace dsp::sim {

namespace {

constexpr int kLevelReplySize = 37;

// Commands the processor answers with its acknowledgement.
bool AnsweredByAck(std::uint8_t code) {
    switch (code) {
        case command::kKeepAlive:
        case command::kWriteDevice:
        case command::kRecall:
        case command::kStore:
        case command::kFactoryReset:
        case command::kSelectPreset:
        case command::kPresetName:
        case command::kCopyChannel: return true;
        default: return false;
    }
}

}  // namespace

ProcessorSimulator::ProcessorSimulator(SimulatorOptions options)
    : options_(std::move(options)),
      memory_(options_.factoryImage.empty() ? FactoryImage() : options_.factoryImage),
      levels_(kLevelReplySize, 0) {
    if (!options_.lockPassword.empty()) {
        std::string pw = options_.lockPassword;
        options_.lockPassword.clear();
        std::copy_n(pw.begin(), std::min<std::size_t>(4, pw.size()), memory_.password.begin());
        memory_.locked = true;
    }
}

std::vector<SimReply> ProcessorSimulator::Receive(const std::uint8_t* data, std::size_t length) {
    std::lock_guard<std::mutex> guard(lock_);
    std::vector<SimFrame> frames;
    std::vector<std::string> faults;
    reader_.Feed(data, length, frames, faults);
    for (std::string& f : faults) RecordFault(std::move(f));
    std::vector<SimReply> replies;
    for (const SimFrame& f : frames) replies.push_back(Answer(f));
    return replies;
}

void ProcessorSimulator::StartConnection() {
    std::lock_guard<std::mutex> guard(lock_);
    reader_.Reset();
    connectionFrames_ = 0;
}

void ProcessorSimulator::RecordFault(std::string fault) {
    ++faultCount_;
    if (faults_.size() < kKeptFaults) faults_.push_back(std::move(fault));
}

SimReply ProcessorSimulator::Answer(const SimFrame& frame) {
    if (log_) log_("R " + HexBytes(frame.bytes));
    framesRead_.push_back(frame);
    if (framesRead_.size() > kKeptFrames) framesRead_.pop_front();
    ++framesReadCount_;
    ++connectionFrames_;
    SimReply reply;
    reply.delayMs = delayMs_;
    reply.dropLink = dropAfter_ > 0 && connectionFrames_ >= dropAfter_;

    std::uint8_t code = frame.code;
    bool answer = true;
    std::vector<std::uint8_t> payload = ReplyPayload(frame, code, answer);
    if (!answer || silent_) return reply;
    // A processor on a shared line leaves frames for another ID alone.
    if (options_.strictReceiver && frame.receiver != options_.deviceId && frame.receiver != 255)
        return reply;
    std::vector<std::uint8_t> f = BuildFrame(options_.deviceId, frame.sender, code, payload);
    if (log_) log_("W " + HexBytes(f));
    reply.bytes = garbage_;
    reply.bytes.insert(reply.bytes.end(), f.begin(), f.end());
    if (splitTail_ > 0 && reply.bytes.size() > splitTail_) reply.splitTail = splitTail_;
    return reply;
}

std::vector<std::uint8_t> ProcessorSimulator::ReplyPayload(const SimFrame& frame,
                                                           std::uint8_t& code, bool& answer) {
    const std::vector<std::uint8_t>& p = frame.payload;
    std::string fault;
    auto bad = [&](const std::string& what) { RecordFault(what); };
    auto block = [&](const MemoryImage& image, std::uint8_t b) {
        std::vector<std::uint8_t> out{b};
        out.insert(out.end(), image.begin() + kBlockSize * b, image.begin() + kBlockSize * (b + 1));
        return out;
    };

    switch (frame.code) {
        case command::kRestart:  // no answer
            answer = false;
            return {};
        case command::kConnect: return {};
        case command::kIdentity:
            return std::vector<std::uint8_t>(options_.identity.begin(), options_.identity.end());
        case command::kLockState:
            return {0, 0, 0, 0, 0, static_cast<std::uint8_t>(memory_.locked ? 1 : 0)};
        case command::kPresetMap: {
            std::vector<std::uint8_t> map(kPresetSlots, 0);
            for (int k = 0; k < kPresetSlots; ++k) map[k] = memory_.presetUsed[k] ? 0xFF : 0;
            return map;
        }
        case command::kPresetNumber: return {memory_.presetNumber};
        case command::kReadPresetName: {
            if (p.empty() || p[0] >= kPresetSlots) {
                bad("preset name request " + HexBytes(p));
                return {};
            }
            std::vector<std::uint8_t> out{p[0]};
            const MemoryImage& slot = memory_.presets[p[0]];
            out.insert(out.end(), slot.begin() + 2, slot.begin() + 16);
            if (TakeMalformation(SimMalformation::NameSlot30)) out[0] = kPresetSlots;
            return out;
        }
        case command::kReadSettingsBlock:
            code = command::kSettingsBlock;
            if (p.empty() || p[0] >= kBlocks) {
                bad("settings block request " + HexBytes(p));
                return {};
            }
            if (TakeMalformation(SimMalformation::Block16)) {
                std::vector<std::uint8_t> out = block(memory_.current, p[0]);
                out[0] = kBlocks;
                return out;
            }
            return block(memory_.current, p[0]);
        case command::kReadPresetBlock:
            if (p.empty() || p[0] >= kBlocks) {
                bad("preset block request " + HexBytes(p));
                return {};
            }
            return block(memory_.presets[memory_.selectedPreset - 1], p[0]);
        case command::kReadDevice: {
            if (p.size() < 3 || p[0] + (p[1] << 8) + p[2] > kDeviceBytes) {
                bad("device memory read " + HexBytes(p));
                return {};
            }
            const int address = p[0] + (p[1] << 8);
            return std::vector<std::uint8_t>(memory_.device.begin() + address,
                                             memory_.device.begin() + address + p[2]);
        }
        case command::kDownloadBlock:
            if (!memory_.Apply(command::kDownloadBlock, p, fault)) {
                bad(fault);
                return {};
            }
            return {p[0]};
        case command::kCheckPassword: {
            if (p.size() < 5 || p[0] != 0) {
                bad("password check " + HexBytes(p));
                return {0, 0};
            }
            const bool good = std::equal(p.begin() + 1, p.begin() + 5, memory_.password.begin());
            return {0, static_cast<std::uint8_t>(good ? 1 : 0)};
        }
        case command::kLevels:
            if (TakeMalformation(SimMalformation::ShortLevels))
                return std::vector<std::uint8_t>(levels_.begin(), levels_.begin() + 20);
            return levels_;
        default: break;
    }
    if (!memory_.Apply(frame.code, p, fault)) bad(fault);
    if (AnsweredByAck(frame.code)) code = command::kAck;
    return {};
}

void ProcessorSimulator::SetSilent(bool silent) {
    std::lock_guard<std::mutex> guard(lock_);
    silent_ = silent;
}

void ProcessorSimulator::SetReplyDelay(int ms) {
    std::lock_guard<std::mutex> guard(lock_);
    delayMs_ = ms;
}

void ProcessorSimulator::SetGarbageBeforeReply(std::vector<std::uint8_t> bytes) {
    std::lock_guard<std::mutex> guard(lock_);
    garbage_ = std::move(bytes);
}

void ProcessorSimulator::SetDeviceId(std::uint8_t id) {
    std::lock_guard<std::mutex> guard(lock_);
    options_.deviceId = id;
}

void ProcessorSimulator::SetIdentity(const std::string& text) {
    std::lock_guard<std::mutex> guard(lock_);
    options_.identity = text;
}

void ProcessorSimulator::SetLock(const std::string& password) {
    std::lock_guard<std::mutex> guard(lock_);
    memory_.password.fill(0);
    std::copy_n(password.begin(), std::min<std::size_t>(4, password.size()),
                memory_.password.begin());
    memory_.locked = !password.empty();
}

void ProcessorSimulator::SetDropAfterFrames(int count) {
    std::lock_guard<std::mutex> guard(lock_);
    dropAfter_ = count;
    connectionFrames_ = 0;
}

void ProcessorSimulator::SetStrictReceiver(bool strict) {
    std::lock_guard<std::mutex> guard(lock_);
    options_.strictReceiver = strict;
}

void ProcessorSimulator::SetSplitReplies(std::size_t tail) {
    std::lock_guard<std::mutex> guard(lock_);
    splitTail_ = tail;
}

void ProcessorSimulator::MalformNext(SimMalformation kind) {
    std::lock_guard<std::mutex> guard(lock_);
    malformations_.push_back(kind);
}

bool ProcessorSimulator::TakeMalformation(SimMalformation kind) {
    auto it = std::find(malformations_.begin(), malformations_.end(), kind);
    if (it == malformations_.end()) return false;
    malformations_.erase(it);
    return true;
}

void ProcessorSimulator::SetLevels(const std::vector<std::uint8_t>& levelReply) {
    std::lock_guard<std::mutex> guard(lock_);
    levels_ = levelReply;
    levels_.resize(kLevelReplySize, 0);
}

void ProcessorSimulator::PackLevel(std::vector<std::uint8_t>& levelReply, int index, float value) {
    levelReply.resize(kLevelReplySize, 0);
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    levelReply[3 * index + 1] = static_cast<std::uint8_t>(bits >> 24);
    levelReply[3 * index] = static_cast<std::uint8_t>(bits >> 16);
    levelReply[3 * index + 2] = static_cast<std::uint8_t>(bits >> 8);
}

void ProcessorSimulator::SetLogSink(std::function<void(const std::string&)> sink) {
    std::lock_guard<std::mutex> guard(lock_);
    log_ = std::move(sink);
}

ProcessorMemory ProcessorSimulator::Memory() const {
    std::lock_guard<std::mutex> guard(lock_);
    return memory_;
}

void ProcessorSimulator::ChangeMemory(const std::function<void(ProcessorMemory&)>& change) {
    std::lock_guard<std::mutex> guard(lock_);
    change(memory_);
}

std::vector<std::string> ProcessorSimulator::Faults() const {
    std::lock_guard<std::mutex> guard(lock_);
    return faults_;
}

std::size_t ProcessorSimulator::FaultCount() const {
    std::lock_guard<std::mutex> guard(lock_);
    return faultCount_;
}

std::vector<SimFrame> ProcessorSimulator::FramesRead() const {
    std::lock_guard<std::mutex> guard(lock_);
    return {framesRead_.begin(), framesRead_.end()};
}

int ProcessorSimulator::FrameCount() const {
    std::lock_guard<std::mutex> guard(lock_);
    return framesReadCount_;
}

void ProcessorSimulator::ClearRecord() {
    std::lock_guard<std::mutex> guard(lock_);
    framesRead_.clear();
    framesReadCount_ = 0;
    faults_.clear();
    faultCount_ = 0;
}

}  // namespace dsp::sim
