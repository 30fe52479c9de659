// The processor operations end to end against the simulator, over TCP and a pseudo-terminal:
// presets stored, recalled and reset through the dialogs; preset files saved and opened; the
// processor's presets uploaded into a unit file and that file downloaded again; malformed files
// refused before anything is sent; the operation lock set and a locked processor unlocked.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "dialogs/FInformation.h"
#include "dialogs/FLockPassWord.h"
#include "dialogs/FLockSetup.h"
#include "dialogs/FRecallPreset.h"
#include "dialogs/FStoreName.h"
#include "dialogs/FStorePreset.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Label.h"
#include "framework/controls/ValueListEditor.h"
#include "framework/desktop/ScriptedDialogs.h"
#include "framework/runtime/Timer.h"
#include "link/forms/FNetWorkScan.h"
#include "link/forms/FNetworkSetup.h"
#include "link/forms/FProcess.h"
#include "model/Lunitcontrol.h"
#include "model/UnitFiles.h"
#include "tests/mainwindow/SessionHarness.h"
#include "tests/support/TempFolder.h"
#include "tools/sim/SimFrame.h"
#include "tools/sim/SimFrontEnds.h"
#include "widgets/panels/RzBmpBtn.h"

namespace dsp::test {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Clock = std::chrono::steady_clock;

struct TTransport {
    const char* name;
    bool tcp;
};

void PrintTo(const TTransport& t, std::ostream* os) { *os << t.name; }

std::string CodesText(const std::vector<std::uint8_t>& codes) {
    std::string text;
    for (std::uint8_t c : codes) text += std::to_string(c) + " ";
    return text;
}

Bytes ReadFile(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& name, const Bytes& bytes) {
    std::ofstream out(name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// The operation dialogs, made after the main window as the program makes them.
class TOperationDialogs {
public:
    TOperationDialogs() {
        Make(fmStorePreset);
        Make(fmRecallPreset);
        Make(fmStoreName);
        Make(fmLockSetup);
        Make(fmLockPassWord);
        Make(fmNetworkSetup);
    }
    ~TOperationDialogs() {
        delete fmNetworkSetup;
        delete fmLockPassWord;
        delete fmLockSetup;
        delete fmStoreName;
        delete fmRecallPreset;
        delete fmStorePreset;
    }

private:
    template <typename T>
    static void Make(T*& global) {
        global = new T(nullptr);
        global->AfterConstruction();
    }
};

class OperationsEndToEnd : public ::testing::TestWithParam<TTransport> {
protected:
    // Starts the harness with the simulator on the transport of the run, connects and waits
    // for the read-back.
    void Connect(sim::SimulatorOptions processor = {}, bool waitForReadBack = true) {
        THarnessOptions options;
        options.tcp = GetParam().tcp;
        options.pty = !GetParam().tcp;
        options.processor = processor;
        h_ = std::make_unique<TSessionHarness>(options);
        dialogs_ = std::make_unique<TOperationDialogs>();
        for (TCustomForm* form : std::initializer_list<TCustomForm*>{
                 fmStorePreset, fmRecallPreset, fmLockSetup, fmLockPassWord, fmNetworkSetup})
            h_->WatchModal(form);
        h_->Form().realLockDialogs = true;
        h_->onModal = [this](TCustomForm& form) {
            if (onModal) onModal(form);
        };
        h_->Processor().SetLogSink([this](const std::string& line) { Logged(line); });
        h_->StartConnect();
        if (waitForReadBack) {
            ASSERT_TRUE(h_->WaitUntil([&] { return h_->ReadBackDone(); }))
                << ::testing::PrintToString(h_->Timeline());
        }
    }

    TSessionTestForm& Form() { return h_->Form(); }
    sim::ProcessorMemory Memory() { return h_->Processor().Memory(); }
    std::size_t Mark() const { return h_->Processor().FramesRead().size(); }

    // The codes read since a mark, a repeated frame counted once; with quiet, without the level
    // polls and keep-alives that run all the time.
    std::vector<std::uint8_t> CodesSince(std::size_t mark, bool quiet = false) const {
        const std::vector<sim::SimFrame> frames = h_->Processor().FramesRead();
        std::vector<std::uint8_t> codes;
        Bytes last;
        for (std::size_t i = mark; i < frames.size(); ++i) {
            if (frames[i].bytes == last) continue;
            last = frames[i].bytes;
            if (quiet && (frames[i].code == 64 || frames[i].code == 18)) continue;
            codes.push_back(frames[i].code);
        }
        return codes;
    }
    std::vector<Bytes> PayloadsSince(std::size_t mark, std::uint8_t code) const {
        const std::vector<sim::SimFrame> frames = h_->Processor().FramesRead();
        std::vector<Bytes> payloads;
        for (std::size_t i = mark; i < frames.size(); ++i) {
            if (frames[i].code == code) payloads.push_back(frames[i].payload);
        }
        return payloads;
    }

    Bytes Image() {
        return Bytes(Form().UnitControl().GetImage().Bytes().begin(),
                     Form().UnitControl().GetImage().Bytes().end());
    }
    std::string InfoText() const { return fmInformation->lbMessage->Caption(); }
    std::string Label(const char* name) {
        return dynamic_cast<TLabel*>(Form().FindComponent(name))->Caption();
    }

    // When the simulator read a frame of a code first, and when the script first saw a form.
    void Logged(const std::string& line) {
        if (line.rfind("R ", 0) != 0 || line.size() < 19) return;
        const int code = std::stoi(line.substr(17, 2), nullptr, 16);
        std::lock_guard<std::mutex> guard(timesLock_);
        if (!readTimes_.count(code)) readTimes_[code] = Clock::now();
    }
    Clock::time_point ReadTime(int code) {
        std::lock_guard<std::mutex> guard(timesLock_);
        return readTimes_.at(code);
    }

    // The simulator's thread writes the read times until the harness stops it, so they are
    // declared before the harness and outlive it.
    std::mutex timesLock_;
    std::map<int, Clock::time_point> readTimes_;
    TScriptedDialogs scripted_;
    TTempFolder folder_;
    std::unique_ptr<TSessionHarness> h_;
    std::unique_ptr<TOperationDialogs> dialogs_;
    std::function<void(TCustomForm&)> onModal;
};

// Chooses a data row of a preset grid as a click on it does.
void ChooseRow(TPresetGridForm& grid, int row) { grid.vledPresetName->SetRow(row); }

// ---- scenario 3: presets on the processor

TEST_P(OperationsEndToEnd, StoreRecallAndFactoryResetThroughTheDialogs) {
    Connect();
    // Store: the grid, row U05, the name dialog, "Bass", OK.
    bool stored = false;
    onModal = [&](TCustomForm& form) {
        if (&form != fmStorePreset || stored) return;
        stored = true;
        ChooseRow(*fmStorePreset, 5);
        fmStoreName->edName->SetText("Bass");
        fmStoreName->btnOKClick(fmStoreName->btnOK);
    };
    std::size_t mark = Mark();
    Form().bStoreClick(nullptr);
    ASSERT_TRUE(stored);
    // The keep-alive that ends the chain is on its way when the progress window closes.
    EXPECT_TRUE(h_->WaitUntil([&] {
        return IsSubsequence({38, 33, 18}, CodesSince(mark));
    })) << CodesText(CodesSince(mark));
    EXPECT_EQ(PayloadsSince(mark, 38).at(0),
              Bytes({'B', 'a', 's', 's', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '}));
    EXPECT_EQ(PayloadsSince(mark, 33).at(0), Bytes{5});
    EXPECT_EQ(Label("lbPstNum"), "U05");
    EXPECT_EQ(fmStorePreset->PresetName(4), "Bass          ");
    EXPECT_EQ(fmRecallPreset->PresetName(5), "Bass          ");
    EXPECT_TRUE(Memory().presetUsed[4]);
    EXPECT_EQ(Memory().presetNumber, 5);
    EXPECT_FALSE(fmProcess->Visible());
    EXPECT_TRUE(Form().tmInLevelDet->Enabled());
    mark = Mark();
    ASSERT_TRUE(h_->WaitUntil([&] { return !PayloadsSince(mark, 64).empty(); }));

    // Recall: preset 5 as the processor keeps it, made unlike the current settings first.
    h_->Processor().ChangeMemory([](sim::ProcessorMemory& m) {
        for (int i = 100; i < 140; ++i) m.presets[4][i] = static_cast<std::uint8_t>(i);
    });
    bool recalled = false;
    onModal = [&](TCustomForm& form) {
        if (&form != fmRecallPreset || recalled) return;
        recalled = true;
        ChooseRow(*fmRecallPreset, 6);
        fmStoreName->btnOKClick(fmStoreName->btnOK);
    };
    mark = Mark();
    const int readBacks = h_->ReadBacks();
    Form().bRecallClick(nullptr);
    ASSERT_TRUE(recalled);
    ASSERT_TRUE(h_->WaitUntil([&] { return h_->ReadBacks() > readBacks && h_->ReadBackDone(); }));
    std::vector<std::uint8_t> recall{32};
    recall.insert(recall.end(), 16, 39);
    EXPECT_TRUE(IsSubsequence(recall, CodesSince(mark)));
    EXPECT_EQ(PayloadsSince(mark, 32).at(0), Bytes{5});
    const sim::MemoryImage preset5 = Memory().presets[4];
    const Bytes image = Image();
    EXPECT_TRUE(std::equal(image.begin() + 2, image.end(), preset5.begin() + 2));

    // Factory reset: 35, then the whole read-back.
    mark = Mark();
    Form().FactoryReset();
    ASSERT_TRUE(
        h_->WaitUntil([&] { return h_->ReadBacks() > readBacks + 1 && h_->ReadBackDone(); }));
    std::vector<std::uint8_t> factory{35};
    const std::vector<std::uint8_t> readBack = ConnectSequence();
    factory.insert(factory.end(), readBack.begin() + 3, readBack.end());
    EXPECT_TRUE(h_->WaitUntil([&] { return IsSubsequence(factory, CodesSince(mark)); }))
        << CodesText(CodesSince(mark));
    const Bytes reset = Image();
    const sim::MemoryImage factoryImage = Memory().FactoryImage();
    EXPECT_TRUE(std::equal(reset.begin() + 2, reset.end(), factoryImage.begin() + 2));
    EXPECT_EQ(Form().PresetNumber(), 0);
}

// ---- scenario 4: preset and unit files

TEST_P(OperationsEndToEnd, PresetFileSavedAndOpenedAgain) {
    Connect();
    const std::string name = folder_.File("show.prs.old");
    scripted_.AnswerFile(name);
    Form().SavePresetFile();
    // Written under the name chosen: not cut down to "show.prs".
    const Bytes file = ReadFile(name);
    ASSERT_EQ(file.size(), 804u);
    EXPECT_EQ(std::string(file.begin(), file.begin() + 16), "*****WQJV010****");
    EXPECT_EQ(file[802], 0x0D);
    EXPECT_EQ(file[803], 0x0A);

    // A file that cannot be written is reported, and nothing is left behind.
    onModal = [&](TCustomForm& form) {
        if (&form == fmInformation) fmInformation->btnOK->Click();
    };
    scripted_.AnswerFile(folder_.File("no-such-folder/show.prs"));
    Form().SavePresetFile();
    EXPECT_TRUE(h_->TimelineHas("info:Open File Error !!"));

    // Edits after the save reach the processor; opening the file takes them back there.
    Form().UnitControl().SetGain(0, 100);
    Form().UnitControl().SetDelay(5, 2000);
    const auto processorHasFile = [&] {
        const sim::MemoryImage current = Memory().current;
        return std::equal(file.begin() + 16, file.begin() + 802, current.begin() + 2);
    };
    ASSERT_TRUE(h_->WaitUntil([&] { return !processorHasFile(); }));
    const std::size_t mark = Mark();
    scripted_.AnswerFile(name);
    Form().OpenClick(nullptr);
    EXPECT_FALSE(fmProcess->Visible());
    ASSERT_TRUE(h_->WaitUntil(processorHasFile)) << "the processor did not get the file's settings";
    // The settings the edits changed come back early; the whole file is still on its way then.
    EXPECT_TRUE(h_->WaitUntil([&] { return CodesSince(mark, true).size() >= 166u; }))
        << CodesSince(mark, true).size() << " records sent";
    EXPECT_FALSE(Form().IsApplyingImage());
}

TEST_P(OperationsEndToEnd, UploadOfTwoPresetsAndDownloadOfTheirFile) {
    sim::SimulatorOptions processor;
    Connect(processor, false);
    // Presets 2 and 5 stored, each unlike the other, before the read-back takes the map.
    h_->Processor().ChangeMemory([](sim::ProcessorMemory& m) {
        for (int k : {1, 4}) {
            m.presetUsed[k] = true;
            m.presets[k] = m.current;
            m.presets[k][0] = 0xFF;
            for (int i = 300; i < 340; ++i) m.presets[k][i] = static_cast<std::uint8_t>(i + k);
        }
        for (int i = 0; i < 18; ++i) m.device[i] = static_cast<std::uint8_t>(0xA0 + i);
    });
    ASSERT_TRUE(h_->WaitUntil([&] { return h_->ReadBackDone(); }));

    const std::string unit = folder_.File("rig");
    scripted_.AnswerFile(unit);
    std::size_t mark = Mark();
    Form().UploadAllPresets();
    ASSERT_TRUE(h_->WaitUntil([&] { return ReadFile(unit + ".unt").size() == 24034u; }));
    std::vector<std::uint8_t> upload{25, 36};
    upload.insert(upload.end(), 16, 40);
    upload.push_back(36);
    upload.insert(upload.end(), 16, 40);
    upload.push_back(18);
    EXPECT_TRUE(IsSubsequence(upload, CodesSince(mark)));
    EXPECT_EQ(PayloadsSince(mark, 36), (std::vector<Bytes>{{2}, {5}}));
    const Bytes file = ReadFile(unit + ".unt");
    EXPECT_EQ(file, Form().UnitControl().EncodeUnitFile());
    const sim::ProcessorMemory before = Memory();
    for (int k : {1, 4}) {
        const auto record = file.begin() + 34 + 800 * k;
        EXPECT_EQ(record[0], k + 1);
        EXPECT_TRUE(std::equal(record + 1, record + 798, before.presets[k].begin())) << k;
    }
    EXPECT_TRUE(Form().tmInLevelDet->Enabled());

    // An upload whose file cannot be written says so instead of passing for done.
    onModal = [&](TCustomForm& form) {
        if (&form == fmInformation) fmInformation->btnOK->Click();
    };
    scripted_.AnswerFile(folder_.File("no-such-folder/rig"));
    Form().UploadAllPresets();
    ASSERT_TRUE(h_->WaitUntil([&] { return h_->TimelineHas("info:Open File Error !!"); }));

    // The processor forgets its presets; the download brings them back, then restarts it and
    // ends the link.
    h_->Processor().ChangeMemory([](sim::ProcessorMemory& m) { m.FactoryReset(); });
    scripted_.AnswerFile(unit + ".unt");
    mark = Mark();
    Form().DownloadUnitFile();
    EXPECT_FALSE(Form().Enabled());
    ASSERT_TRUE(h_->WaitUntil([&] { return !Form().SessionOpen() && !Form().HasTransport(); }))
        << ::testing::PrintToString(h_->Timeline());
    std::vector<std::uint8_t> download{35, 26};
    download.insert(download.end(), 32, 37);
    download.push_back(4);
    EXPECT_TRUE(IsSubsequence(download, CodesSince(mark)));
    // Every block of a record goes to the record's own slot.
    for (const Bytes& p : PayloadsSince(mark, 37)) EXPECT_TRUE(p[1] == 1 || p[1] == 4);
    const sim::ProcessorMemory after = Memory();
    for (int k : {1, 4}) {
        EXPECT_TRUE(after.presetUsed[k]) << k;
        EXPECT_TRUE(std::equal(before.presets[k].begin(), before.presets[k].begin() + 797,
                               after.presets[k].begin()))
            << k;
    }
    EXPECT_EQ(after.device, before.device);
    EXPECT_TRUE(Form().Enabled());
    EXPECT_FALSE(fmProcess->Visible());
}

TEST_P(OperationsEndToEnd, ARecordGoesWhollyToTheSlotItNames) {
    Connect();
    // A file not made by this program: its first record holds preset 3.
    Bytes file = Form().UnitControl().EncodeUnitFile();
    Bytes image = Image();
    image[0] = 0xFF;
    for (int i = 200; i < 260; ++i)
        image[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
    file[34] = 3;
    std::copy(image.begin(), image.begin() + 797, file.begin() + 35);
    const std::string name = folder_.File("hand.unt");
    WriteFile(name, file);
    onModal = [&](TCustomForm& form) {
        if (&form == fmNetwork && !Form().HasTransport()) fmNetwork->btnExitClick(nullptr);
    };
    scripted_.AnswerFile(name);
    const std::size_t mark = Mark();
    Form().DownloadUnitFile();
    ASSERT_TRUE(h_->WaitUntil([&] { return !Form().HasTransport(); }));
    const std::vector<Bytes> blocks = PayloadsSince(mark, 37);
    ASSERT_EQ(blocks.size(), 16u);
    for (std::size_t b = 0; b < blocks.size(); ++b) {
        EXPECT_EQ(blocks[b][0], b);
        EXPECT_EQ(blocks[b][1], 2) << "block " << b << " went to another slot";
    }
    const sim::ProcessorMemory after = Memory();
    EXPECT_TRUE(after.presetUsed[2]);
    EXPECT_FALSE(after.presetUsed[0]);
    EXPECT_TRUE(std::equal(image.begin(), image.begin() + 797, after.presets[2].begin()));
}

TEST_P(OperationsEndToEnd, ALinkLostDuringADownloadGivesTheWindowBack) {
    Connect();
    Bytes file = Form().UnitControl().EncodeUnitFile();
    file[34] = 3;  // record 1 holds preset 3
    file[35] = 0xFF;
    const std::string name = folder_.File("one.unt");
    WriteFile(name, file);
    // The processor answers nothing more, and then the link goes. The scan dialog that comes
    // up for the lost link is left in demonstration mode.
    h_->Processor().SetSilent(true);
    onModal = [&](TCustomForm& form) {
        if (&form == fmNetwork && !Form().HasTransport()) fmNetwork->btnExitClick(nullptr);
    };
    scripted_.AnswerFile(name);
    Form().DownloadUnitFile();
    EXPECT_FALSE(Form().Enabled());
    ASSERT_TRUE(h_->WaitUntil([&] { return !h_->PayloadsOf(35).empty(); }));
    if (GetParam().tcp) {
        h_->Tcp().DropConnection();
    } else {
        h_->Pty().HangUp();
    }
    ASSERT_TRUE(h_->WaitUntil([&] { return !Form().HasTransport(); }));
    EXPECT_TRUE(Form().Enabled());
    EXPECT_EQ(fmProcess->StatusText(), "");
    EXPECT_EQ(Form().SessionPhase(), TSessionPhase::Idle);
}

TEST_P(OperationsEndToEnd, MalformedFilesAreRefusedAndNothingIsSent) {
    Connect();
    // A good file of each kind to spoil.
    const std::string good = folder_.File("good.prs");
    scripted_.AnswerFile(good);
    Form().SavePresetFile();
    const Bytes preset = ReadFile(good);
    ASSERT_EQ(preset.size(), 804u);
    Bytes unit = Form().UnitControl().EncodeUnitFile();
    unit[34 + 1] = 0xFF;  // record 1 in use, on slot 0: no slot of the processor
    unit[34] = 0;

    Bytes noise(804);
    std::uint32_t x = 99;
    for (std::uint8_t& b : noise)
        b = static_cast<std::uint8_t>((x = x * 1664525u + 1013904223u) >> 24);
    Bytes wrongHeader = preset;
    wrongHeader[0] = '#';
    Bytes longer = preset;
    longer.push_back(0);
    std::vector<std::pair<std::string, Bytes>> presets = {
        {"empty", {}},
        {"header only", Bytes(preset.begin(), preset.begin() + 16)},
        {"803", Bytes(preset.begin(), preset.end() - 1)},
        {"805", longer},
        {"header", wrongHeader},
        {"noise", noise}};
    Bytes unitNoise(24034);
    for (std::uint8_t& b : unitNoise)
        b = static_cast<std::uint8_t>((x = x * 1664525u + 1013904223u) >> 24);
    Bytes unitLonger = Form().UnitControl().EncodeUnitFile();
    unitLonger.push_back(0x0A);
    std::vector<std::pair<std::string, Bytes>> units = {
        {"slot 0", unit},
        {"23974", Bytes(unitLonger.begin(), unitLonger.begin() + 23974)},
        {"24035", unitLonger},
        {"noise", unitNoise}};

    // Each refusal is told in the information dialog, closed as a user would.
    onModal = [&](TCustomForm& form) {
        if (&form == fmInformation) fmInformation->btnOK->Click();
    };
    const Bytes image = Image();
    const sim::MemoryImage current = Memory().current;
    const std::size_t mark = Mark();
    for (const auto& [what, bytes] : presets) {
        const std::string name = folder_.File("bad.prs");
        WriteFile(name, bytes);
        scripted_.AnswerFile(name);
        fmInformation->lbMessage->SetCaption("");
        Form().OpenClick(nullptr);
        EXPECT_EQ(InfoText(), "Open File Error !!") << what;
    }
    for (const auto& [what, bytes] : units) {
        const std::string name = folder_.File("bad.unt");
        WriteFile(name, bytes);
        scripted_.AnswerFile(name);
        fmInformation->lbMessage->SetCaption("");
        Form().DownloadUnitFile();
        EXPECT_EQ(InfoText(), "Download File Error !!") << what;
        EXPECT_TRUE(Form().Enabled()) << what;
    }
    EXPECT_EQ(CodesSince(mark, true), std::vector<std::uint8_t>{});
    EXPECT_EQ(Image(), image);
    EXPECT_EQ(Memory().current, current);
    EXPECT_TRUE(Form().SessionOpen());
}

// ---- scenario 6: the operation lock

TEST_P(OperationsEndToEnd, LockedProcessorIsUnlockedWithItsPassword) {
    sim::SimulatorOptions processor;
    processor.lockPassword = "7305";
    scripted_.AnswerButton(mrOk);  // "Password Error!!"
    Clock::time_point shown{};
    int tries = 0;
    onModal = [&](TCustomForm& form) {
        if (&form != fmLockPassWord) return;
        if (shown == Clock::time_point{}) shown = Clock::now();
        if (fmLockPassWord->CheckPending() || fmLockPassWord->tmCmd->Enabled()) return;
        // First a wrong password, then, once it has been refused, the right one.
        if (tries == 0 || (tries == 1 && fmLockPassWord->edName->Text() == "****" &&
                           scripted_.MessageBoxes().size() == 1)) {
            fmLockPassWord->edName->SetText(tries == 0 ? "1111" : "7305");
            fmLockPassWord->RzBmpButton1Click(fmLockPassWord->btnOK);
            ++tries;
        }
    };
    Connect(processor);
    EXPECT_EQ(tries, 2);
    ASSERT_EQ(scripted_.MessageBoxes().size(), 1u);
    EXPECT_EQ(scripted_.MessageBoxes()[0].text, "Password Error!!");
    const auto delay = std::chrono::duration_cast<std::chrono::milliseconds>(shown - ReadTime(44));
    EXPECT_GE(delay.count(), 950);
    EXPECT_LE(delay.count(), 1600);
    EXPECT_EQ(h_->PayloadsOf(45),
              (std::vector<Bytes>{{0, '1', '1', '1', '1'}, {0, '7', '3', '0', '5'}}));
    EXPECT_TRUE(h_->WaitUntil([&] { return IsSubsequence(ConnectSequence(), h_->CodesRead()); }))
        << CodesText(h_->CodesRead());
    EXPECT_FALSE(fmLockPassWord->Visible());
}

TEST_P(OperationsEndToEnd, CancelOfTheUnlockDialogDisconnectsOnce) {
    sim::SimulatorOptions processor;
    processor.lockPassword = "7305";
    int disconnects = 0;
    onModal = [&](TCustomForm& form) {
        if (&form != fmLockPassWord || disconnects > 0) return;
        fmLockPassWord->edName->SetText("7305");
        fmLockPassWord->RzBmpButton1Click(fmLockPassWord->btnOK);
        fmLockPassWord->bnCancelClick(fmLockPassWord->bnCancel);
        ++disconnects;
    };
    Connect(processor, false);
    ASSERT_TRUE(h_->WaitUntil([&] { return disconnects == 1 && !Form().HasTransport(); }));
    // Nothing of the dialog runs on: no poll that could time out with a message and a second
    // disconnect, no pending request of the preset map; the session is idle.
    EXPECT_FALSE(fmLockPassWord->Visible());
    EXPECT_FALSE(fmLockPassWord->tmCheck->Enabled());
    EXPECT_FALSE(fmLockPassWord->tmCmd->Enabled());
    EXPECT_FALSE(fmLockPassWord->CheckPending());
    EXPECT_EQ(Form().SessionPhase(), TSessionPhase::Idle);
    EXPECT_FALSE(Form().tmUnlockShow->Enabled());
    EXPECT_TRUE(scripted_.MessageBoxes().empty());
    EXPECT_LE(h_->PayloadsOf(17).size(), 1u);
    EXPECT_TRUE(h_->PayloadsOf(34).empty());
}

TEST_P(OperationsEndToEnd, ALostLinkClosesTheUnlockDialog) {
    sim::SimulatorOptions processor;
    processor.lockPassword = "7305";
    bool dropped = false;
    onModal = [&](TCustomForm& form) {
        if (&form == fmNetwork && dropped && !Form().HasTransport())
            fmNetwork->btnExitClick(nullptr);
        if (&form != fmLockPassWord || dropped) return;
        dropped = true;
        if (GetParam().tcp) {
            h_->Tcp().DropConnection();
        } else {
            h_->Pty().HangUp();
        }
    };
    Connect(processor, false);
    const Clock::time_point start = Clock::now();
    ASSERT_TRUE(h_->WaitUntil([&] { return dropped && !fmLockPassWord->Visible(); }));
    // Closed by the lost link itself, not left for the script's last resort.
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(10));
    for (const std::string& entry : h_->Timeline())
        EXPECT_EQ(entry.rfind("stuck:", 0), std::string::npos) << entry;
    EXPECT_FALSE(Form().HasTransport());
    EXPECT_FALSE(fmLockPassWord->tmCheck->Enabled());
    EXPECT_TRUE(scripted_.MessageBoxes().empty());
}

TEST_P(OperationsEndToEnd, LockSetupSendsThePasswordBeforeItDisconnects) {
    Connect();
    bool ok = false;
    onModal = [&](TCustomForm& form) {
        if (&form != fmLockSetup || ok) return;
        ok = true;
        fmLockSetup->edName->SetText("ab12");
        fmLockSetup->RzBmpButton1Click(fmLockSetup->btnOK);
    };
    Form().LockClick(nullptr);
    ASSERT_TRUE(ok);
    EXPECT_FALSE(Form().HasTransport());
    EXPECT_EQ(h_->PayloadsOf(47), (std::vector<Bytes>{{'A', 'B', '1', '2'}}));
    EXPECT_TRUE(Memory().locked);
    EXPECT_EQ(Memory().password, (std::array<std::uint8_t, 4>{'A', 'B', '1', '2'}));
    EXPECT_TRUE(scripted_.MessageBoxes().empty());
}

INSTANTIATE_TEST_SUITE_P(Transports, OperationsEndToEnd,
                         ::testing::Values(TTransport{"Tcp", true}, TTransport{"Pty", false}),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace dsp::test
