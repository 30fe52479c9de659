// The master manager's part of the property editor (creating, opening and closing it, the
// plot-wide settings), the editor's file commands and statistics, and the decor services that
// put the editor, the save-image dialog and the print preview in place.

#include <memory>

#include "framework/desktop/Screen.h"
#include "framework/text/Numbers.h"
#include "plot/decor/iPlotEditor.h"
#include "plot/decor/iPlotLayoutViewer.h"
#include "plot/decor/iPlotPreview.h"
#include "plot/engine/iPlotAxis.h"
#include "plot/engine/iPlotChannelCustom.h"
#include "plot/engine/iPlotComponent.h"
#include "plot/engine/iPlotMasterManager.h"

namespace dsp {

namespace {

TiPlotComponent* PlotOf(TiPlotMasterManager* master) {
    return master != nullptr ? dynamic_cast<TiPlotComponent*>(master->Owner()) : nullptr;
}

TiPlotEditorForm* EditorOf(TiPlotMasterManager* master) {
    return master != nullptr ? dynamic_cast<TiPlotEditorForm*>(master->EditorForm()) : nullptr;
}

void RememberPages(TiPlotMasterManager* master, TiPlotEditorForm* form) {
    const auto controls = form->RememberedPageControls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (controls[i] != nullptr) {
            master->SetEditorPageIndex(static_cast<int>(i), controls[i]->ActivePageIndex());
        }
    }
}

// The text of a statistic: by the axis's label rule, else the shortest decimal form.
std::string StatText(TiPlotAxis* axis, double value) {
    return axis != nullptr ? axis->GetLabelText(value) : FloatToStr(value);
}

}  // namespace

// ---- file commands, log buttons, Copy Default, statistics

void TiPlotEditorForm::WireFileCommands() {
    const auto open = [this](const char* name) {
        return Control<TiComponentEditorOpenPicker>(name);
    };
    const auto save = [this](const char* name) {
        return Control<TiComponentEditorSavePicker>(name);
    };
    open("ControlPropertiesOpenPicker")->OnChange = [this](TObject* sender) {
        if (PlotComponent == nullptr) return;
        PlotComponent->LoadPropertiesFromFile(
            static_cast<TiComponentEditorOpenPicker*>(sender)->FileName());
        UpdateAll();
        LoadControlPage();
    };
    save("ControlPropertiesSavePicker")->OnChange = [this](TObject* sender) {
        if (PlotComponent == nullptr) return;
        PlotComponent->SavePropertiesToFile(
            static_cast<TiComponentEditorSavePicker*>(sender)->FileName());
    };
    open("ControlLogFileNamePicker")->OnChange = [this](TObject* sender) {
        if (auto* edit = Control<TiComponentEditorEdit>("ControlLogFileNameEdit")) {
            edit->SetAsString(static_cast<TiComponentEditorOpenPicker*>(sender)->FileName());
        }
        if (Master != nullptr) PlotBasicPropertyChanged(Master);
    };
    // The plot's data, annotation and log files come with the plot's file operations; until
    // then their commands are offered greyed.
    for (const char* name : {"ControlDataOpenPicker", "ControlDataSavePicker",
                             "ControlAnnotationOpenPicker", "ControlAnnotationSavePicker",
                             "ControlLogActivateButton", "ControlLogDeactivateButton"}) {
        if (auto* c = Control<TControl>(name)) c->SetEnabled(false);
    }

    for (const char* axis : {"XAxis", "YAxis"}) {
        for (const char* tab : {"Cursor", "Legend"}) {
            auto* button =
                Control<TiComponentEditorButton>(std::string(axis) + tab + "CopyDefaultButton");
            if (button == nullptr) continue;
            button->OnClick = [this, axis = std::string(axis), tab = std::string(tab)](TObject*) {
                CopyDefaultFormat(axis, tab);
            };
        }
    }
    if (auto* refresh = Control<TiComponentEditorButton>("ChannelStatsRefreshButton")) {
        refresh->OnClick = [this](TObject*) { RefreshChannelStats(); };
    }
    // The selected channel's files and log.
    const auto channel = [this]() {
        return dynamic_cast<TiPlotChannelCustom*>(Selected(TiPlotObjectKind::Channel));
    };
    const auto picked = [](TObject* sender) {
        if (auto* o = dynamic_cast<TiComponentEditorOpenPicker*>(sender)) return o->FileName();
        return static_cast<TiComponentEditorSavePicker*>(sender)->FileName();
    };
    open("ChannelPropertiesOpenPicker")->OnChange = [this, channel, picked](TObject* sender) {
        if (TiPlotChannelCustom* c = channel()) {
            c->LoadPropertiesFromFile(picked(sender));
            if (TiComponentEditorListBox* list = ListOf(TiPlotObjectKind::Channel)) {
                list->Invalidate();
            }
        }
    };
    save("ChannelPropertiesSavePicker")->OnChange = [channel, picked](TObject* sender) {
        if (TiPlotChannelCustom* c = channel()) c->SavePropertiesToFile(picked(sender));
    };
    open("ChannelDataOpenPicker")->OnChange = [channel, picked](TObject* sender) {
        if (TiPlotChannelCustom* c = channel()) c->LoadDataFromFile(picked(sender), true);
    };
    save("ChannelDataSavePicker")->OnChange = [channel, picked](TObject* sender) {
        if (TiPlotChannelCustom* c = channel()) c->SaveDataToFile(picked(sender));
    };
    open("ChannelLogFileNamePicker")->OnChange = [this, picked](TObject* sender) {
        if (auto* edit = Control<TiComponentEditorEdit>("ChannelLogFileNameEdit")) {
            edit->SetAsString(picked(sender));
        }
        PageChange(TiPlotObjectKind::Channel);
    };
    if (auto* b = Control<TiComponentEditorButton>("ChannelLogActivateButton")) {
        b->OnClick = [this, channel](TObject*) {
            if (TiPlotChannelCustom* c = channel()) c->LogActivate(false);
            UpdateChannelEdit();
        };
    }
    if (auto* b = Control<TiComponentEditorButton>("ChannelLogDeactivateButton")) {
        b->OnClick = [this, channel](TObject*) {
            if (TiPlotChannelCustom* c = channel()) c->LogDeactivate();
            UpdateChannelEdit();
        };
    }
}

void TiPlotEditorForm::RefreshChannelStats() {
    auto* channel = dynamic_cast<TiPlotChannelCustom*>(Selected(TiPlotObjectKind::Channel));
    if (channel == nullptr) {
        ResetChannelStats();
        return;
    }
    const auto show = [this](const char* name, const std::string& text) {
        if (auto* label = Control<TLabel>(name)) label->SetCaption(text);
    };
    show("ChannelStatsPointCountDisplay", IntToStr(channel->GetCount()));
    show("ChannelStatsPointCapacityDisplay", IntToStr(channel->Capacity()));
    show("ChannelStatsMemoryDisplay", std::to_string(channel->MemoryUsed()) + " Bytes");
    show("ChannelStatsDataPointSizeDisplay", IntToStr(channel->DataPointSize()) + " Bytes");
    show("ChannelStatsMaxDataPointsDisplay", IntToStr(channel->MaxDataPoints()));
    channel->ReCalcRunningMinMaxMean();
    TiPlotAxis* x = channel->GetXAxis();
    show("ChannelStatsXMinDisplay", StatText(x, channel->RunningXMin()));
    show("ChannelStatsXMaxDisplay", StatText(x, channel->RunningXMax()));
    show("ChannelStatsXMeanDisplay", StatText(x, channel->RunningXMean()));
    TiPlotAxis* y = channel->GetYAxis();
    show("ChannelStatsYMinDisplay", StatText(y, channel->RunningYMin()));
    show("ChannelStatsYMaxDisplay", StatText(y, channel->RunningYMax()));
    show("ChannelStatsYMeanDisplay", StatText(y, channel->RunningYMean()));
}

// ---- the master's part

TiPlotEditorForm* CreatePlotEditorForm(TiPlotMasterManager* master) {
    TiPlotComponent* plot = PlotOf(master);
    if (plot == nullptr) return nullptr;
    auto* form = new TiPlotEditorForm(plot);
    form->AfterConstruction();
    form->Master = master;
    form->PlotComponent = plot;
    master->SetEditorForm(form, form);
    form->SetFormTranslationMethod([master](TCustomForm* f) { master->TranslateForm(f); });
    form->OnClose = [form, master](TObject*, TCloseAction& action) {
        form->FIsClosing = true;
        RememberPages(master, form);
        // A form beside the plot goes away once its closing is done.
        if (form->PlotComponent != nullptr &&
            form->PlotComponent->EditorFormStyle() == ipfsStayOnTop) {
            action = caFree;
        }
    };
    form->iPlotLayoutViewer->SetMaster(master);
    form->iPlotLayoutViewer->SetLayoutManager(master->LayoutManager());
    form->iPlotLayoutViewer->SetTranslationManager(master->TranslationManager());
    for (TiPlotObjectKind kind :
         {TiPlotObjectKind::ToolBar, TiPlotObjectKind::Legend, TiPlotObjectKind::Table,
          TiPlotObjectKind::XAxis, TiPlotObjectKind::YAxis, TiPlotObjectKind::DataView,
          TiPlotObjectKind::Channel, TiPlotObjectKind::DataCursor, TiPlotObjectKind::Limit,
          TiPlotObjectKind::Label}) {
        form->FillList(kind);
    }
    const auto controls = form->RememberedPageControls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const int index = master->EditorPageIndex(static_cast<int>(i));
        TPageControl* pc = controls[i];
        if (pc != nullptr && index >= 0 && index < pc->PageCount() &&
            pc->Pages(index)->TabVisible()) {
            pc->SetActivePageIndex(index);
        }
    }
    const bool addRemove = plot->UserCanAddRemoveChannels();
    for (const char* name : {"iChannelAddButton", "ChannelRemoveButton"}) {
        if (auto* c = form->Control<TControl>(name)) c->SetVisible(addRemove);
    }
    master->TranslateForm(form);
    return form;
}

void EditPlotProperties(TiPlotMasterManager* master) {
    TiPlotComponent* plot = PlotOf(master);
    if (plot == nullptr) return;
    TiPlotEditorForm* form = EditorOf(master);
    if (form == nullptr) form = CreatePlotEditorForm(master);
    form->PlotComponent = plot;
    form->UpdateAll();
    form->LoadControlPage();
    form->SetPosition(poDesigned);
    form->SetBounds(Screen->Width() / 2 - form->Width() / 2,
                    Screen->Height() / 2 - form->Height() / 2, form->Width(), form->Height());
    if (plot->OnAfterOpenEditor) plot->OnAfterOpenEditor(master);
    if (plot->EditorFormStyle() == ipfsStayOnTop) {
        form->Show();
        return;
    }
    // A modal editor lives as long as it shows.
    std::unique_ptr<TiPlotEditorForm> owned(form);
    form->ShowModal();
    form->FIsClosing = true;
    RememberPages(master, form);
}

void EditPlotObject(TiPlotMasterManager* master, TiPlotObject* object) {
    if (PlotOf(master) == nullptr) return;
    TiPlotEditorForm* form = EditorOf(master);
    if (form == nullptr) form = CreatePlotEditorForm(master);
    switch (object->Kind()) {
        case TiPlotObjectKind::Label:
        case TiPlotObjectKind::Annotation: break;
        default: form->SelectObject(object); break;
    }
    EditPlotProperties(master);
}

void PlotBasicPropertyChanged(TiPlotMasterManager* master) {
    TiPlotEditorForm* form = EditorOf(master);
    if (form == nullptr || form->FIsClosing || PlotOf(master) == nullptr) return;
    form->WriteControlPage();
}

// ---- the services

namespace {

class TiPlotDecorServices : public IPlotDecorServices {
public:
    void EditProperties(TiPlotMasterManager* master) override { EditPlotProperties(master); }
    void EditObject(TiPlotMasterManager* master, TiPlotObject* object) override {
        EditPlotObject(master, object);
    }
    bool ExecuteSaveImageDialog(TiPlotComponent* plot, const std::string& defaultDir,
                                int& filterIndex, std::string& fileName) override {
        // The plot keeps its dialog: it starts in the default folder only the first time.
        TiComponentEditorSavePicker* picker = nullptr;
        for (int i = 0; i < plot->ComponentCount() && picker == nullptr; ++i) {
            picker = dynamic_cast<TiComponentEditorSavePicker*>(plot->Components(i));
        }
        if (picker == nullptr) {
            picker = new TiComponentEditorSavePicker(plot);
            picker->SetVisible(false);
            picker->SetParent(plot);
        }
        picker->SetDefaultDir(defaultDir);
        picker->SetFilter(
            "Bitmap (*.bmp)|*.bmp|Enhanced Metafile (*.emf)|*.emf|JPEG File (*.jpg)|*.jpg|"
            "PNG (*.png)|*.png");
        picker->SetFileName("Untitled");
        picker->SetFilterIndex(filterIndex);
        if (!picker->Execute()) return false;
        fileName = picker->FileName();
        filterIndex = picker->ChosenFilterIndex();
        return true;
    }
    void PreviewChart(TiPlotComponent* plot) override {
        auto form = std::make_unique<TiPlotPreviewForm>(nullptr);
        form->AfterConstruction();
        iPlotPreviewForm = form.get();
        struct TForget {
            ~TForget() { iPlotPreviewForm = nullptr; }
        } forget;
        form->iComponent = plot;
        form->PrintMarginLeft = plot->PrintMarginLeft();
        form->PrintMarginTop = plot->PrintMarginTop();
        form->PrintMarginRight = plot->PrintMarginRight();
        form->PrintMarginBottom = plot->PrintMarginBottom();
        form->PrintOrientation = plot->PrintOrientation();
        form->PrintDocumentName = plot->PrintDocumentName();
        form->SetCaption(plot->PrintDocumentName() + " (Preview)");
        form->DoTranslation();
        form->ShowModal();
    }
};

}  // namespace

void InstallPlotDecor() {
    static TiPlotDecorServices services;
    SetPlotDecorServices(&services);
}

}  // namespace dsp
