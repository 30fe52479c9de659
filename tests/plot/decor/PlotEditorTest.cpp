// The plot property editor: committing a control writes the whole page and reloads it, Escape
// restores, pages of kinds without objects are disabled by their name prefix, adding and
// removing objects, the title tab, name combo boxes, the layout page's menu, opening the editor
// modal through the decor services, and its texts translated.

#include <gtest/gtest.h>

#include <QtCore/Qt>

#include <string>
#include <vector>

#include "framework/controls/Menus.h"
#include "framework/desktop/ScriptedDialogs.h"
#include "framework/graphics/Graphic.h"
#include "framework/runtime/MainThread.h"
#include "framework/text/FileNames.h"
#include "framework/text/PropertyText.h"
#include "plot/decor/iPlotEditor.h"
#include "plot/decor/iPlotLayoutViewer.h"
#include "plot/engine/iPlotMasterManager.h"
#include "plot/engine/iPlotTable.h"
#include "plot/engine/iPlotTranslation.h"
#include "plot/engine/iXYPlot.h"
#include "tests/framework/controls/ControlTestSupport.h"
#include "tests/plot/engine/PlotTestSupport.h"
#include "tests/support/RunLoop.h"
#include "tests/support/TempFolder.h"

namespace dsp {
namespace {

// An editor on a plot of the usual objects, as its master makes it (not shown).
class PlotEditorTest : public ::testing::Test {
protected:
    PlotEditorTest() {
        test::UseFakeClasses(plot_);
        plot_.SetBounds(0, 0, 400, 300);
        editor_ = CreatePlotEditorForm(plot_.Master());
    }
    ~PlotEditorTest() override { delete editor_; }

    template <typename T>
    T* Get(const std::string& name) {
        T* control = editor_->Control<T>(name);
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    // What the user does: types the text and commits it with Enter.
    void Type(const std::string& edit, const std::string& text) {
        auto* e = Get<TiComponentEditorEdit>(edit);
        e->SetText(text);
        e->DoUpdate();
    }
    bool Enabled(const std::string& name) { return Get<TControl>(name)->Enabled(); }

    test::TAxesPlot plot_{nullptr};
    TiPlotEditorForm* editor_ = nullptr;
};

TEST_F(PlotEditorTest, CommittingAControlWritesThePageAndShowsWhatTheObjectKept) {
    TiPlotToolBar* toolBar = plot_.GetToolBar(0);
    Get<TiComponentEditorCheckBox>("ToolBarFlatButtonsCheckBox")->SetAsBoolean(true);
    Type("ToolBarZoomInOutFactorEdit", "0.5");
    EXPECT_TRUE(toolBar->FlatButtons()) << "the whole page is written, not only the edit";
    EXPECT_EQ(toolBar->ZoomInOutFactor(), 1);
    EXPECT_EQ(Get<TiComponentEditorEdit>("ToolBarZoomInOutFactorEdit")->Text(), "1")
        << "the reload shows the clamped value";

    // Escape before Enter: the last committed text comes back and nothing is written.
    auto* span = Get<TiComponentEditorEdit>("XAxisSpanEdit");
    span->SetText("250");
    span->Perform(WM_CHAR, 27, 0);
    EXPECT_EQ(span->Text(), "100");
    EXPECT_EQ(plot_.GetXAxis(0)->Span(), 100);
    Type("XAxisSpanEdit", "250");
    EXPECT_EQ(plot_.GetXAxis(0)->Span(), 250);
}

TEST_F(PlotEditorTest, TheUsersClicksAndKeysReachTheObjects) {
    editor_->PageControl->SetActivePage(editor_->PageOf(TiPlotObjectKind::ToolBar));
    test::ShowAndPaint(*editor_);
    auto* flat = Get<TiComponentEditorCheckBox>("ToolBarFlatBorderCheckBox");
    test::Click(*flat, 5, 5);
    EXPECT_TRUE(plot_.GetToolBar(0)->FlatBorder());

    auto* factor = Get<TiComponentEditorEdit>("ToolBarZoomInOutFactorEdit");
    factor->SetFocus();
    factor->SelectAll();
    test::Type(*editor_, "3");
    EXPECT_EQ(plot_.GetToolBar(0)->ZoomInOutFactor(), 2) << "not before Enter";
    test::SendKey(*editor_, Qt::Key_Return);
    EXPECT_EQ(plot_.GetToolBar(0)->ZoomInOutFactor(), 3);
}

TEST_F(PlotEditorTest, ChoicesWriteTheirOrdinalAndEditableFormatsWriteTheirText) {
    auto* style = Get<TiComponentEditorComboBox>("XAxisTrackingStyleComboBox");
    EXPECT_EQ(style->Items()->Count(), 8);
    style->SetAsInteger(3);
    style->OnChange(style);  // what the user's choice raises
    EXPECT_EQ(static_cast<int>(plot_.GetXAxis(0)->TrackingStyle()), 3);

    auto* format = Get<TiComponentEditorComboBox>("YAxisDateTimeFormatComboBox");
    format->SetText("hh:nn");
    format->OnChange(format);  // what every keystroke raises
    EXPECT_EQ(GetPropTextByPath(plot_.GetYAxis(0), "DateTimeFormat"), "hh:nn");

    auto* rotation = Get<TiComponentEditorComboBox>("YAxisLabelRotationComboBox");
    EXPECT_EQ(rotation->Items()->Strings(3), "270");
}

TEST_F(PlotEditorTest, APageWithoutObjectsIsDisabledByItsPrefixAndAddEnablesIt) {
    EXPECT_EQ(plot_.LimitCount(), 0);
    EXPECT_FALSE(Enabled("LimitNameEdit"));
    EXPECT_FALSE(Enabled("LimitRemoveButton"));
    EXPECT_FALSE(Enabled("LimitListBox"));
    EXPECT_EQ(Get<TiComponentEditorEdit>("LimitNameEdit")->Text(), "");
    EXPECT_TRUE(Enabled("iLimitAddButton")) << "the Add buttons never match a prefix";

    Get<TiComponentEditorButton>("iLimitAddButton")->Click();
    ASSERT_EQ(plot_.LimitCount(), 1);
    EXPECT_TRUE(Enabled("LimitNameEdit"));
    EXPECT_TRUE(Enabled("LimitRemoveButton"));
    EXPECT_EQ(Get<TiComponentEditorEdit>("LimitNameEdit")->Text(), "Limit 1");
    EXPECT_EQ(editor_->Selected(TiPlotObjectKind::Limit), plot_.GetLimit(0));
}

TEST_F(PlotEditorTest, RemovingSelectsTheNewLastItemAndTheTitleLabelStays) {
    plot_.AddXAxis();
    plot_.AddXAxis();
    auto* list = editor_->ListOf(TiPlotObjectKind::XAxis);
    ASSERT_EQ(list->Count(), 3);
    EXPECT_EQ(list->ItemIndex(), 2) << "an object the plot_ adds is selected";
    Get<TiComponentEditorButton>("XAxisRemoveButton")->Click();
    EXPECT_EQ(plot_.XAxisCount(), 2);
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_EQ(Get<TiComponentEditorEdit>("XAxisNameEdit")->Text(), plot_.GetXAxis(1)->Name());

    auto* labels = editor_->ListOf(TiPlotObjectKind::Label);
    labels->SetItemIndex(0);
    editor_->UpdateLabelEdit();
    EXPECT_FALSE(Enabled("LabelRemoveButton")) << "the title cannot go";

    RegisterPlotObjectClass(TiPlotObjectKind::Table, PlotObjectFactory<TiPlotTable>());
    Get<TiComponentEditorButton>("iTableAddButton")->Click();
    EXPECT_TRUE(Enabled("TableNameEdit"));
    Get<TiComponentEditorButton>("TableRemoveButton")->Click();
    EXPECT_EQ(plot_.TableCount(), 0);
    EXPECT_FALSE(Enabled("TableNameEdit")) << "the only one gone: the page is empty";
    EXPECT_FALSE(Enabled("TableRemoveButton"));
}

TEST_F(PlotEditorTest, TitleTabAndFirstLabelFollowEachOther) {
    Type("TitleTextEdit", "Response");
    EXPECT_EQ(plot_.GetLabel(0)->Caption(), "Response");
    EXPECT_EQ(Get<TiComponentEditorEdit>("LabelCaptionMemo")->Text(), "Response");

    editor_->ListOf(TiPlotObjectKind::Label)->SetItemIndex(0);
    editor_->UpdateLabelEdit();
    Type("LabelMarginBottomEdit", "0.75");
    EXPECT_EQ(plot_.GetLabel(0)->MarginBottom(), 0.75);
    EXPECT_EQ(Get<TiComponentEditorEdit>("TitleMarginEdit")->Text(), "0.75");
}

TEST_F(PlotEditorTest, NameListsOfferNoneAllAndTheAxesOfTheRightKind) {
    plot_.AddYAxis();
    editor_->UpdateAll();
    const auto entries = [this](const std::string& name) {
        std::vector<std::string> items;
        auto* combo = Get<TiComponentEditorComboBox>(name);
        for (int i = 0; i < combo->Items()->Count(); ++i)
            items.push_back(combo->Items()->Strings(i));
        return items;
    };
    EXPECT_EQ(entries("XAxisCartesianChildRefAxisNameComboBox"),
              (std::vector<std::string>{"<None>", "Y-Axis 1", "Y-Axis 2"}));
    EXPECT_EQ(entries("YAxisCartesianChildRefAxisNameComboBox"),
              (std::vector<std::string>{"<None>", "X-Axis 1"}));
    EXPECT_EQ(entries("DataViewGridYAxisNameComboBox"),
              (std::vector<std::string>{"<None>", "Y-Axis 1", "Y-Axis 2", "<All>"}));

    // A renamed axis keeps its place in the lists that showed it.
    auto* grid = Get<TiComponentEditorComboBox>("DataViewGridXAxisNameComboBox");
    EXPECT_EQ(grid->AsString(), "X-Axis 1");
    plot_.GetXAxis(0)->SetName("Time");
    EXPECT_EQ(grid->AsString(), "Time");

    // Choosing "<All>" writes that text.
    grid->SetAsInteger(grid->Items()->Count() - 1);
    grid->OnChange(grid);
    EXPECT_EQ(plot_.GetDataView(0)->GridXAxisName(), "<All>");
}

TEST_F(PlotEditorTest, CopyDefaultCopiesTheDefaultFormatAndWritesTheAxis) {
    TiPlotXAxis* axis = plot_.GetXAxis(0);
    axis->SetLabelsPrecision(7);
    axis->SetLabelsFormatStyle(static_cast<TiPlotTextFormat>(2));
    editor_->UpdateXAxesEdit();
    Get<TiComponentEditorButton>("XAxisLegendCopyDefaultButton")->Click();
    EXPECT_EQ(GetPropTextByPath(axis, "LegendPrecision"), "7");
    TPropertyRef style = FindPropertyByPath(axis, "LegendFormatStyle");
    EXPECT_EQ(style.property->GetOrdinal(style.instance), 2);
    EXPECT_EQ(Get<TiComponentEditorEdit>("XAxisLegendPrecisionEdit")->Text(), "7");
}

TEST_F(PlotEditorTest, LayoutMenuOffersWhatTheBlockUnderTheMouseAllows) {
    const auto item = [this](const char* name) { return editor_->Control<TMenuItem>(name); };
    editor_->FRightClickObject = plot_.GetXAxis(0);
    editor_->LayoutPopupMenuPopup();
    EXPECT_TRUE(item("DeleteMenuItem")->Enabled());
    EXPECT_TRUE(item("VisibleMenuItem")->Checked());
    editor_->FRightClickObject = plot_.GetLabel(0);
    editor_->LayoutPopupMenuPopup();
    EXPECT_FALSE(item("DeleteMenuItem")->Enabled()) << "the title";
    EXPECT_TRUE(item("EditMenuItem")->Enabled());
    editor_->FRightClickObject = plot_.GetDataView(0);
    editor_->LayoutPopupMenuPopup();
    EXPECT_FALSE(item("VisibleMenuItem")->Enabled());

    plot_.AddXAxis();
    editor_->FRightClickObject = plot_.GetXAxis(1);
    editor_->LayoutPopupMenuPopup();
    editor_->DeleteMenuItemClick();
    EXPECT_EQ(plot_.XAxisCount(), 1);
    editor_->LayoutPopupMenuPopup();  // by keyboard: no block under the mouse
    EXPECT_FALSE(item("DeleteMenuItem")->Enabled());
    EXPECT_FALSE(item("VisibleMenuItem")->Enabled());
    EXPECT_FALSE(item("EditMenuItem")->Enabled());
    EXPECT_TRUE(item("AddXAxisMenuItem")->Enabled());

    editor_->FRightClickObject = plot_.GetLegend(0);
    editor_->VisibleMenuItemClick();
    EXPECT_FALSE(plot_.GetLegend(0)->Visible());
    EXPECT_FALSE(Get<TiComponentEditorCheckBox>("LegendVisibleCheckbox")->AsBoolean());
    editor_->EditMenuItemClick();
    EXPECT_EQ(editor_->PageControl->ActivePage(), editor_->PageOf(TiPlotObjectKind::Legend));

    editor_->XYAxesReverseMenuItemClick();
    EXPECT_TRUE(plot_.XYAxesReverse());
}

TEST_F(PlotEditorTest, ControlPageWritesThePlotsOwnSettings) {
    editor_->LoadControlPage();
    EXPECT_EQ(Get<TiComponentEditorEdit>("UpdateFrameRateEdit")->Text(), "60");
    Type("UpdateFrameRateEdit", "250");
    EXPECT_EQ(plot_.GetUpdateFrameRate(), 250) << "typed values are not clamped";
    Get<TiComponentEditorRadioGroup>("BorderStyleRadioGroup")->SetItemIndex(1);
    EXPECT_EQ(plot_.GetBorderStyle(), ibsRaised);
    auto* spin = Get<TiUpDown>("UpdateFrameRateEditUpDown");
    EXPECT_EQ(spin->Max(), 100);
}

TEST_F(PlotEditorTest, TextsGoThroughTheTranslationTable) {
    plot_.AddTranslation("Visible", "Sichtbar");
    plot_.AddTranslation("<None>", "<Keine>");
    plot_.Master()->TranslateForm(editor_);
    EXPECT_EQ(Get<TiComponentEditorCheckBox>("XAxisVisibleCheckBox")->Caption(), "Sichtbar");
    editor_->UpdateXAxesEdit();
    EXPECT_EQ(Get<TiComponentEditorComboBox>("XAxisCartesianChildRefAxisNameComboBox")
                  ->Items()
                  ->Strings(0),
              "<Keine>");
}

TEST_F(PlotEditorTest, DialogsOfThePickersWriteWhatTheUserChose) {
    TScriptedDialogs dialogs;
    dialogs.AnswerColor(0x0000FF);
    Get<TiComponentEditorColorPicker>("LegendBackgroundColorPicker")->Button()->Click();
    EXPECT_EQ(GetPropTextByPath(plot_.GetLegend(0), "BackGroundColor"), "255");

    TLogFont font = plot_.GetXAxis(0)->TitleFont()->LogFont();
    font.lfFaceName = "Arial";
    font.lfHeight = -20;
    dialogs.AnswerFont(font, 0x00FF00);
    Get<TiComponentEditorFontPicker>("XAxisTitleFontPicker")->Click();
    EXPECT_EQ(plot_.GetXAxis(0)->TitleFont()->Name(), "Arial");
    EXPECT_EQ(plot_.GetXAxis(0)->TitleFont()->Color(), static_cast<TColor>(0x00FF00));

    // A cancelled dialog changes nothing.
    dialogs.Cancel();
    Get<TiComponentEditorColorPicker>("LegendBackgroundColorPicker")->PickColor();
    EXPECT_EQ(GetPropTextByPath(plot_.GetLegend(0), "BackGroundColor"), "255");
}

TEST_F(PlotEditorTest, PropertyFilePickersSaveAndLoadThePlot) {
    test::TTempFolder folder;
    TScriptedDialogs dialogs;
    editor_->LoadControlPage();
    plot_.SetHintsPause(123);
    dialogs.AnswerFile(folder.File("plot_"));
    Get<TiComponentEditorSavePicker>("ControlPropertiesSavePicker")->Click();
    ASSERT_TRUE(FileExists(folder.File("plot_.cfg"))) << "the filter's extension";
    plot_.SetHintsPause(500);
    dialogs.AnswerFile(folder.File("plot_.cfg"));
    Get<TiComponentEditorOpenPicker>("ControlPropertiesOpenPicker")->Click();
    EXPECT_EQ(plot_.HintsPause(), 123);
    EXPECT_EQ(Get<TiComponentEditorEdit>("HintsPauseEdit")->Text(), "123") << "reloaded";
}

// The channel page on an XY plot with data: statistics, the channel's files and its log.
class XYChannelPageTest : public ::testing::Test {
protected:
    XYChannelPageTest() {
        plot_.SetBounds(0, 0, 400, 300);
        for (const auto& [x, y] :
             {std::pair{0.0, 10.0}, {1.0, 9.0}, {2.0, 8.0}, {3.0, 9.0}, {4.0, 2.0}}) {
            plot_.GetChannel(0)->AddXY(x, y);
        }
        editor_ = CreatePlotEditorForm(plot_.Master());
    }
    ~XYChannelPageTest() override { delete editor_; }
    std::string Shown(const char* name) { return editor_->Control<TLabel>(name)->Caption(); }
    template <typename T>
    T* Get(const std::string& name) {
        T* control = editor_->Control<T>(name);
        EXPECT_NE(control, nullptr) << name;
        return control;
    }

    TiXYPlot plot_{nullptr};
    TiPlotEditorForm* editor_ = nullptr;
};

TEST_F(XYChannelPageTest, RefreshShowsTheChannelsFiguresAndAClickAsksForItAgain) {
    editor_->ResetChannelStats();
    EXPECT_EQ(Shown("ChannelStatsYMeanDisplay"), "Click Refresh");
    Get<TiComponentEditorButton>("ChannelStatsRefreshButton")->Click();
    const TiXYPlotChannel* channel = plot_.GetChannel(0);
    EXPECT_EQ(Shown("ChannelStatsPointCountDisplay"), "5");
    EXPECT_EQ(Shown("ChannelStatsPointCapacityDisplay"), std::to_string(channel->Capacity()));
    EXPECT_EQ(Shown("ChannelStatsMemoryDisplay"), std::to_string(channel->MemoryUsed()) + " Bytes");
    EXPECT_EQ(Shown("ChannelStatsDataPointSizeDisplay"), "24 Bytes");
    EXPECT_EQ(Shown("ChannelStatsMaxDataPointsDisplay"), std::to_string(channel->MaxDataPoints()));
    // X and Y by their axes' label rule (three significant digits of the span of 100), not in
    // full: a mean of 7.6 shows as the axis would label it.
    EXPECT_EQ(Shown("ChannelStatsXMinDisplay"), "0");
    EXPECT_EQ(Shown("ChannelStatsXMaxDisplay"), "4");
    EXPECT_EQ(Shown("ChannelStatsXMeanDisplay"), "2");
    EXPECT_EQ(Shown("ChannelStatsYMinDisplay"), "2");
    EXPECT_EQ(Shown("ChannelStatsYMaxDisplay"), "10");
    EXPECT_EQ(Shown("ChannelStatsYMeanDisplay"), "8");

    plot_.AddChannel();
    Get<TiComponentEditorListBox>("ChannelListBox")->SetItemIndex(1);
    Get<TiComponentEditorListBox>("ChannelListBox")->OnClick(nullptr);
    EXPECT_EQ(Shown("ChannelStatsPointCountDisplay"), "Click Refresh");
}

TEST_F(XYChannelPageTest, ChannelFilesGoThroughTheirDialogsAndTheLogButtonsFollowTheLog) {
    test::TTempFolder folder;
    TScriptedDialogs dialogs;
    TiXYPlotChannel* channel = plot_.GetChannel(0);

    dialogs.AnswerFile(folder.File("points"));
    Get<TiComponentEditorSavePicker>("ChannelDataSavePicker")->Click();
    ASSERT_TRUE(FileExists(folder.File("points.dat")));
    channel->Clear();
    channel->AddXY(99, 99);
    dialogs.AnswerFile(folder.File("points.dat"));
    Get<TiComponentEditorOpenPicker>("ChannelDataOpenPicker")->Click();
    EXPECT_EQ(channel->Count(), 5) << "the old points are cleared first";
    EXPECT_EQ(channel->GetDataY(4), 2);

    channel->SetColor(clLime);
    dialogs.AnswerFile(folder.File("channel"));
    Get<TiComponentEditorSavePicker>("ChannelPropertiesSavePicker")->Click();
    channel->SetColor(clRed);
    dialogs.AnswerFile(folder.File("channel.cfg"));
    Get<TiComponentEditorOpenPicker>("ChannelPropertiesOpenPicker")->Click();
    EXPECT_EQ(channel->Color(), clLime);

    // The picked log name goes into the edit and, with the page, into the channel.
    dialogs.AnswerFile(folder.File("run.log"));
    Get<TiComponentEditorOpenPicker>("ChannelLogFileNamePicker")->Click();
    EXPECT_EQ(channel->LogFileName(), folder.File("run.log"));
    EXPECT_FALSE(Get<TControl>("ChannelLogDeactivateButton")->Enabled());
    Get<TiComponentEditorButton>("ChannelLogActivateButton")->Click();
    EXPECT_TRUE(channel->LoggingActive());
    EXPECT_TRUE(FileExists(folder.File("run.log")));
    EXPECT_FALSE(Get<TControl>("ChannelLogActivateButton")->Enabled());
    EXPECT_FALSE(Get<TControl>("ChannelLogFileNameEdit")->Enabled()) << "no new name while logging";
    EXPECT_TRUE(Get<TControl>("ChannelLogDeactivateButton")->Enabled());
    Get<TiComponentEditorButton>("ChannelLogDeactivateButton")->Click();
    EXPECT_FALSE(channel->LoggingActive());
    EXPECT_TRUE(Get<TControl>("ChannelLogActivateButton")->Enabled());
}

TEST(PlotEditorBareTest, AnEditorOnAPlotWithoutObjectsHasEveryPageEmptyAndChangesNothing) {
    TiPlotComponent plot(nullptr);
    TiPlotEditorForm* editor = CreatePlotEditorForm(plot.Master());
    EXPECT_FALSE(editor->Control<TControl>("XAxisNameEdit")->Enabled());
    EXPECT_FALSE(editor->Control<TControl>("LegendVisibleCheckbox")->Enabled());
    // The title tab without a title label does nothing (no index error).
    editor->Control<TiComponentEditorEdit>("TitleTextEdit")->SetText("Lost");
    EXPECT_NO_THROW(editor->TitleChange());
    EXPECT_EQ(plot.LabelCount(), 0);
    delete editor;
}

// ---- opening through the master

TEST(PlotEditorOpenTest, ModalEditorOpensOnThePlotAndRemembersItsPages) {
    InstallPlotDecor();
    test::TAxesPlot plot(nullptr);
    plot.SetBounds(0, 0, 400, 300);
    int opened = 0;
    int closed = 0;
    plot.OnAfterOpenEditor = [&](TObject* sender) {
        ++opened;
        EXPECT_EQ(sender, plot.Master());
        PostToMainThread([&] {
            auto* form = static_cast<TiPlotEditorForm*>(plot.Master()->EditorForm());
            form->PageControl->SetActivePage(form->PageOf(TiPlotObjectKind::YAxis));
            auto* span = form->Control<TiComponentEditorEdit>("YAxisSpanEdit");
            span->SetText("40");
            span->DoUpdate();
            form->Close();
        });
    };
    plot.OnAfterCloseEditor = [&](TObject*) { ++closed; };
    plot.GetToolBar(0)->DoButtonClickEdit();
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(plot.Master()->EditorForm(), nullptr) << "a modal editor goes when it closes";
    EXPECT_EQ(plot.GetYAxis(0)->Span(), 40);

    plot.OnAfterOpenEditor = [&](TObject*) {
        PostToMainThread([&] {
            auto* form = static_cast<TiPlotEditorForm*>(plot.Master()->EditorForm());
            EXPECT_EQ(form->PageControl->ActivePage(), form->PageOf(TiPlotObjectKind::YAxis))
                << "the page shown last is shown again";
            EXPECT_EQ(form->Control<TiComponentEditorEdit>("YAxisSpanEdit")->Text(), "40");
            form->Close();
        });
    };
    plot.Master()->EditProperties();
    EXPECT_EQ(closed, 2);

    // A value the object clamped shows so when the editor opens again.
    plot.OnAfterOpenEditor = [&](TObject*) {
        PostToMainThread([&] {
            auto* form = static_cast<TiPlotEditorForm*>(plot.Master()->EditorForm());
            auto* factor = form->Control<TiComponentEditorEdit>("ToolBarZoomInOutFactorEdit");
            factor->SetText("0.25");
            factor->DoUpdate();
            form->Close();
        });
    };
    plot.Master()->EditProperties();
    std::string shown;
    plot.OnAfterOpenEditor = [&](TObject*) {
        PostToMainThread([&] {
            auto* form = static_cast<TiPlotEditorForm*>(plot.Master()->EditorForm());
            shown = form->Control<TiComponentEditorEdit>("ToolBarZoomInOutFactorEdit")->Text();
            form->Close();
        });
    };
    plot.Master()->EditProperties();
    EXPECT_EQ(shown, "1");
}

TEST(PlotEditorOpenTest, EditingAnObjectOpensItsPageWithItSelected) {
    InstallPlotDecor();
    test::TAxesPlot plot(nullptr);
    plot.AddXAxis();
    std::string shown;
    plot.OnAfterOpenEditor = [&](TObject*) {
        PostToMainThread([&] {
            auto* form = static_cast<TiPlotEditorForm*>(plot.Master()->EditorForm());
            shown = form->Control<TiComponentEditorEdit>("XAxisNameEdit")->Text();
            EXPECT_EQ(form->PageControl->ActivePage(), form->PageOf(TiPlotObjectKind::XAxis));
            form->Close();
        });
    };
    plot.GetXAxis(1)->DoEdit();
    EXPECT_EQ(shown, "X-Axis 2");
}

TEST(PlotEditorOpenTest, SaveImageDialogOffersTheFormatsAndWritesWhatWasChosen) {
    InstallPlotDecor();
    test::TTempFolder folder;
    TScriptedDialogs dialogs;
    auto form = std::make_unique<TForm>(nullptr);
    form->AfterConstruction();
    auto* plot = new test::TAxesPlot(form.get());
    plot->SetParent(form.get());
    plot->SetBounds(0, 0, 200, 100);
    plot->SetDefaultSaveImageDirectory(folder.Path());
    plot->SetDefaultSaveImageFormat(ipifPNG);

    dialogs.AnswerFile(folder.File("PLOT.PNG"));
    plot->Save();
    const TFileDialogRequest& first = dialogs.FileDialogs().back();
    EXPECT_EQ(first.kind, fdSave);
    EXPECT_EQ(first.filterIndex, 4);
    EXPECT_EQ(first.filters.size(), 4u);
    EXPECT_EQ(first.fileName, "Untitled");
    EXPECT_EQ(first.initialDir, folder.Path());
    EXPECT_EQ(ReadFileBytes(folder.File("PLOT.PNG")).at(1), 'P');

    dialogs.AnswerFile(folder.File("shot"), 3);
    plot->Save();
    EXPECT_EQ(dialogs.FileDialogs().back().initialDir, ".") << "the default folder only once";
    EXPECT_EQ(ReadFileBytes(folder.File("shot.jpg")).at(0), 0xFF);
}

TEST(PlotEditorOpenTest, StayOnTopEditorFollowsThePlotUntilItsOwnCloseFreesIt) {
    InstallPlotDecor();
    auto plot = std::make_unique<test::TAxesPlot>(nullptr);
    plot->SetEditorFormStyle(ipfsStayOnTop);
    plot->Master()->EditProperties();
    auto* form = static_cast<TiPlotEditorForm*>(plot->Master()->EditorForm());
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->Visible());
    plot->GetXAxis(0)->SetSpan(33);
    form->Activate();
    EXPECT_EQ(form->Control<TiComponentEditorEdit>("XAxisSpanEdit")->Text(), "33");
    // Destroying the plot takes its editor with it.
    plot.reset();
    SUCCEED();
}

}  // namespace
}  // namespace dsp
