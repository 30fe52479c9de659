#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "framework/controls/WinControl.h"
#include "framework/text/FileNames.h"
#include "framework/text/Filer.h"
#include "framework/text/Streams.h"
#include "framework/text/StringList.h"
#include "framework/text/WholeFile.h"
#include "tests/support/TempFolder.h"
#include "widgets/panels/RzFrameController.h"
#include "widgets/panels/RzPanel.h"
#include "widgets/panels/RzRegIniFile.h"

namespace dsp {
namespace {

// Points an environment variable elsewhere for one test.
class TScopedEnv {
public:
    TScopedEnv(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old, had_ = true;
        setenv(name, value.c_str(), 1);
    }
    ~TScopedEnv() {
        if (had_) {
            setenv(name_, old_.c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }

private:
    const char* name_;
    std::string old_;
    bool had_ = false;
};

TEST(RzRegIniFile, IniPathsResolveNextToTheProgramOrAsGiven) {
    test::TTempFolder temp;
    TRzRegIniFile store(nullptr);
    // Defaults: the program's own name with ".ini", next to it.
    EXPECT_EQ(store.StorageFile(), ChangeFileExt(ProgramFileName(), ".ini"));
    EXPECT_EQ(store.Path(), store.StorageFile());

    store.SetPath("settings");
    EXPECT_EQ(store.StorageFile(), ProgramFolder() + "settings.ini");

    // A path with a folder is used as it stands, extension and all; writes reach the disk.
    const std::string file = temp.File("conf/editor.cfg");
    ForceDirectories(temp.File("conf"));
    store.SetPath(file);
    store.WriteInteger("Main", "Count", 7);
    store.WriteString("Main", "Name", "Out 1");
    EXPECT_EQ(store.StorageFile(), file);
    TRzRegIniFile other(nullptr);
    other.SetPath(file);
    EXPECT_EQ(other.ReadInteger("Main", "Count", 0), 7);
    EXPECT_EQ(other.ReadString("Main", "Name", ""), "Out 1");
    EXPECT_TRUE(other.ValueExists("Main", "Name"));
    other.DeleteKey("Main", "Name");
    TRzRegIniFile third(nullptr);
    third.SetPath(file);
    EXPECT_FALSE(third.ValueExists("Main", "Name"));
}

TEST(RzRegIniFile, SpecialFoldersAreTheirXdgCounterparts) {
    test::TTempFolder temp;
    TScopedEnv config("XDG_CONFIG_HOME", temp.File("config"));
    TScopedEnv data("XDG_DATA_HOME", temp.File("data"));
    TRzRegIniFile store(nullptr);
    store.SetSpecialFolder(sfUserAppDataRoaming);
    store.SetPath("Vendor/editor.cfg");
    store.WriteBool("Look", "Flat", true);
    const std::string expected = temp.File("config/Vendor/editor.ini");
    EXPECT_EQ(store.StorageFile(), expected);
    EXPECT_TRUE(FileExists(expected));
    // The resolved name replaced Path: a later rebuild (after any change) starts from it.
    EXPECT_EQ(store.Path(), expected);
    store.SetFileEncoding(feUTF8);
    EXPECT_EQ(store.StorageFile(), expected);
    EXPECT_TRUE(store.ReadBool("Look", "Flat", false));

    TRzRegIniFile local(nullptr);
    local.SetSpecialFolder(sfUserAppDataLocal);
    local.SetPath("state");
    EXPECT_EQ(local.StorageFile(), temp.File("data/state.ini"));

    // A relative XDG variable is ignored, as the XDG rules say: the home default applies.
    TScopedEnv relative("XDG_CONFIG_HOME", "relative/path");
    TScopedEnv home("HOME", temp.Path());
    EXPECT_EQ(SpecialFolderPath(sfUserAppDataRoaming), temp.File(".config"));
    EXPECT_EQ(SpecialFolderPath(sfNone), "");
}

TEST(RzRegIniFile, RegistryKeysLiveInIniFilesUnderTheConfigurationFolder) {
    test::TTempFolder temp;
    TScopedEnv config("XDG_CONFIG_HOME", temp.Path());
    TRzRegIniFile store(nullptr);
    store.SetPathType(ptRegistry);
    store.WriteString("Colors", "Face", "red");
    store.WriteInteger("Colors", "Count", 3);
    store.WriteString("Colors", "", "unnamed");
    TMemoryStream bytes;
    const std::uint8_t raw[] = {0x01, 0xAB, 0xFF};
    bytes.Write(raw, 3);
    bytes.SetPosition(0);
    store.WriteBinaryStream("Colors", "Blob", bytes);

    // An empty path opens "\Software\Temp\" and the program's title.
    EXPECT_EQ(store.Path().rfind("\\Software\\Temp\\", 0), 0u);
    EXPECT_EQ(store.StorageFile().rfind(temp.Path() + "/dsp-editor/registry/HKEY_CURRENT_USER/"
                                                      "Software/Temp/",
                                        0),
              0u);
    EXPECT_TRUE(FileExists(store.StorageFile()));

    TStringList lines;
    store.ReadSectionValues("Colors", lines);
    std::vector<std::string> got;
    for (int i = 0; i < lines.Count(); ++i) got.push_back(lines.Strings(i));
    EXPECT_EQ(got, (std::vector<std::string>{"Default=unnamed", "Blob=01 AB FF ", "Count=3",
                                             "Face=red"}));
    TMemoryStream back;
    EXPECT_EQ(store.ReadBinaryStream("Colors", "Blob", back), 3);

    // A key path cannot leave the registry folder.
    EXPECT_EQ(RegistryKeyFile(hkeyLocalMachine, "..\\..\\etc\\passwd"),
              temp.Path() + "/dsp-editor/registry/HKEY_LOCAL_MACHINE/etc/passwd.ini");
}

// A control that publishes every setting a frame controller pushes and logs each one it is set.
class TFramedProbe : public TWinControl {
    DSP_PUBLISHED(TFramedProbe, TWinControl) {
        using P = Published<TFramedProbe>;
        using C = TFramedProbe;
        return {
            P::Property("ParentColor", &C::ParentColor, &C::LogParentColor),
            P::Property("Color", &C::Color, &C::LogColor),
            P::Property("FocusColor", &C::focus_, &C::LogFocus),
            P::Property("DisabledColor", &C::disabled_, &C::LogDisabled),
            P::Property("ReadOnlyColor", &C::readOnly_, &C::LogReadOnly),
            P::Property("ReadOnlyColorOnFocus", &C::readOnlyOnFocus_, &C::LogReadOnlyOnFocus),
            P::Property("FlatButtonColor", &C::flatButtonColor_, &C::LogFlatButtonColor),
            P::Property("FlatButtons", &C::flatButtons_, &C::LogFlatButtons),
            P::Property("FrameColor", &C::frameColor_, &C::LogFrameColor),
            P::Property("FrameHotColor", &C::frameHotColor_, &C::LogFrameHotColor),
            P::Property("FrameHotTrack", &C::frameHotTrack_, &C::LogFrameHotTrack),
            P::Property("FrameHotStyle", &C::frameHotStyle_, &C::LogFrameHotStyle),
            P::Property("FrameSides", &C::frameSides_, &C::LogFrameSides),
            P::Property("FrameStyle", &C::frameStyle_, &C::LogFrameStyle),
            P::Property("FrameVisible", &C::frameVisible_, &C::LogFrameVisible),
            P::Property("FramingPreference", &C::framing_, &C::LogFraming),
            P::Property("FrameControllerNotifications", &C::notifications_, &C::notifications_),
        };
    }

public:
    using TWinControl::TWinControl;
    std::vector<std::string> log;
    TColor focus_ = clWindow, disabled_ = clBtnFace, readOnly_ = clInfoBk;
    bool readOnlyOnFocus_ = false, flatButtons_ = false, frameHotTrack_ = false;
    bool frameVisible_ = false;
    TColor flatButtonColor_ = clBtnFace, frameColor_ = clBtnShadow, frameHotColor_ = clBtnShadow;
    TFrameStyle frameHotStyle_ = fsFlatBold, frameStyle_ = fsFlat;
    TSides frameSides_ = kAllSides;
    TFramingPreference framing_ = fpXPThemes;
    TRzFrameControllerNotifications notifications_ = kAllFrameNotifications;

    void LogParentColor(bool v) { log.push_back("ParentColor"), SetParentColor(v); }
    void LogColor(TColor v) { log.push_back("Color"), SetColor(v); }
    void LogFocus(TColor v) { log.push_back("FocusColor"), focus_ = v; }
    void LogDisabled(TColor v) { log.push_back("DisabledColor"), disabled_ = v; }
    void LogReadOnly(TColor v) { log.push_back("ReadOnlyColor"), readOnly_ = v; }
    void LogReadOnlyOnFocus(bool v) { log.push_back("ReadOnlyColorOnFocus"), readOnlyOnFocus_ = v; }
    void LogFlatButtonColor(TColor v) { log.push_back("FlatButtonColor"), flatButtonColor_ = v; }
    void LogFlatButtons(bool v) { log.push_back("FlatButtons"), flatButtons_ = v; }
    void LogFrameColor(TColor v) { log.push_back("FrameColor"), frameColor_ = v; }
    void LogFrameHotColor(TColor v) { log.push_back("FrameHotColor"), frameHotColor_ = v; }
    void LogFrameHotTrack(bool v) { log.push_back("FrameHotTrack"), frameHotTrack_ = v; }
    void LogFrameHotStyle(TFrameStyle v) { log.push_back("FrameHotStyle"), frameHotStyle_ = v; }
    void LogFrameSides(TSides v) { log.push_back("FrameSides"), frameSides_ = v; }
    void LogFrameStyle(TFrameStyle v) { log.push_back("FrameStyle"), frameStyle_ = v; }
    void LogFrameVisible(bool v) { log.push_back("FrameVisible"), frameVisible_ = v; }
    void LogFraming(TFramingPreference v) { log.push_back("FramingPreference"), framing_ = v; }
};

TEST(RzFrameController, PushesEverySettingByNameInItsOrder) {
    TRzFrameController controller(nullptr);
    controller.SetColor(clYellow);
    controller.SetFrameSides({sdTop, sdBottom});
    TFramedProbe probe(nullptr);
    controller.AddControl(&probe);
    const std::vector<std::string> all{
        "ParentColor",          "Color",         "DisabledColor",   "ReadOnlyColor",
        "ReadOnlyColorOnFocus", "FocusColor",    "FlatButtonColor", "FlatButtons",
        "FrameColor",           "FrameHotColor", "FrameHotTrack",   "FrameHotStyle",
        "FrameSides",           "FrameStyle",    "FrameVisible",    "FramingPreference"};
    EXPECT_EQ(probe.log, all);
    EXPECT_EQ(probe.Color(), clYellow);
    // Colour set while FocusColor equalled it: both moved.
    EXPECT_EQ(probe.focus_, clYellow);
    EXPECT_EQ(probe.frameSides_, (TSides{sdTop, sdBottom}));

    // One setting at a time, only under its flag; a parent-coloured controller pushes no colour.
    probe.log.clear();
    probe.notifications_.Exclude(fcpFrameStyle);
    controller.SetFrameStyle(fsFlatBold);
    controller.SetFrameColor(clRed);
    EXPECT_EQ(probe.log, (std::vector<std::string>{"FrameColor"}));
    probe.log.clear();
    controller.SetParentColor(true);
    controller.UpdateControls();
    EXPECT_EQ(std::count(probe.log.begin(), probe.log.end(), "Color"), 0);
    EXPECT_EQ(probe.log.front(), "ParentColor");
    controller.RemoveControl(&probe);
}

TEST(RzFrameController, ChangesInsideAnUpdatePushOnceAndEndUpdateHasAFloor) {
    TRzFrameController controller(nullptr);
    TFramedProbe probe(nullptr);
    controller.AddControl(&probe);
    probe.log.clear();
    controller.BeginUpdate();
    controller.SetFrameColor(clRed);
    controller.SetFrameStyle(fsGroove);
    controller.SetFlatButtons(false);
    EXPECT_TRUE(probe.log.empty());
    controller.EndUpdate();
    EXPECT_EQ(probe.log.size(), 16u);
    EXPECT_EQ(probe.frameColor_, clRed);
    // An unmatched EndUpdate pushes and stays at zero: the next change goes out at once.
    probe.log.clear();
    controller.EndUpdate();
    EXPECT_EQ(probe.log.size(), 16u);
    probe.log.clear();
    controller.SetFrameHotColor(clBlue);
    EXPECT_EQ(probe.log, (std::vector<std::string>{"FrameHotColor"}));
    controller.RemoveControl(&probe);
}

TEST(RzFrameController, FramedPanelsReadTheSettingsThemselves) {
    TRzFrameController controller(nullptr);
    controller.SetFrameVisible(true);
    controller.SetFrameStyle(fsFlatBold);
    controller.SetFrameColor(clRed);
    TRzPanel panel(nullptr);
    panel.SetFrameController(&controller);
    EXPECT_EQ(panel.BorderOuter(), fsFlatBold);
    EXPECT_EQ(panel.FlatColor(), clRed);
    EXPECT_EQ(panel.FlatColorAdjustment(), 0);
    EXPECT_EQ(controller.ControlCount(), 1);
    // A controller that goes away leaves the panel without one.
    {
        TRzFrameController shortLived(nullptr);
        panel.SetFrameController(&shortLived);
        EXPECT_EQ(controller.ControlCount(), 0);
    }
    EXPECT_EQ(panel.FrameController(), nullptr);
}

TEST(RzFrameController, LoadsAndSavesThroughTheSettingsStore) {
    test::TTempFolder temp;
    TRzFrameController controller(nullptr);
    try {
        controller.Load("Look");
        FAIL() << "no store";
    } catch (const ENoRegIniFile& e) {
        EXPECT_EQ(e.Message(),
                  "Cannot load Custom Framing settings--No TRzRegIniFile component specified");
    }
    EXPECT_THROW(controller.Save("Look"), ENoRegIniFile);

    TRzRegIniFile store(nullptr);
    store.SetPath(temp.File("look.ini"));
    controller.SetRegIniFile(&store);
    controller.SetColor(clAqua);
    controller.SetFrameSides({sdLeft});
    controller.SetFrameHotStyle(fsLowered);
    controller.Save("Look");

    TRzFrameController loaded(nullptr);
    loaded.SetRegIniFile(&store);
    loaded.SetParentColor(true);
    loaded.Load("Look");
    EXPECT_EQ(loaded.Color(), clAqua);
    EXPECT_EQ(loaded.FrameSides(), TSides{sdLeft});
    EXPECT_EQ(loaded.FrameHotStyle(), fsLowered);
    EXPECT_TRUE(loaded.ParentColor());

    // A section without keys gives the defaults.
    loaded.Load("Empty");
    EXPECT_EQ(loaded.Color(), clWindow);
    EXPECT_EQ(loaded.FrameSides(), kAllSides);
    EXPECT_EQ(loaded.FrameStyle(), fsFlat);
    EXPECT_TRUE(loaded.ParentColor());
}

// Writes the old "FrameFlat" property, as older copies of the settings hold it.
class TOldSettings : public TRzFrameController {
public:
    using TRzFrameController::TRzFrameController;

protected:
    void DefineProperties(TFiler* filer) override {
        if (filer->IsReader()) {
            TRzFrameController::DefineProperties(filer);
            return;
        }
        filer->DefineProperty(
            "FrameFlat", nullptr, [](TWriter& w) { w.WriteBoolean(true); }, true);
    }
};

TEST(RzFrameController, ReadsTheOldFrameFlatPropertyAndNeverWritesIt) {
    TOldSettings old(nullptr);
    TMemoryStream stream;
    WriteComponentStream(stream, old);
    stream.SetPosition(0);
    // Read by the controller's own reading of its properties.
    TOldSettings controller(nullptr);
    ReadComponentStream(stream, controller);
    EXPECT_TRUE(controller.FrameHotTrack());
    EXPECT_EQ(controller.FrameStyle(), fsStatus);
    EXPECT_EQ(controller.FrameHotStyle(), fsLowered);

    TRzFrameController plain(nullptr);
    plain.Assign(&controller);
    TMemoryStream again;
    WriteComponentStream(again, plain);
    const std::string text(again.Bytes().begin(), again.Bytes().end());
    EXPECT_EQ(text.find("FrameFlat"), std::string::npos);
}

}  // namespace
}  // namespace dsp
