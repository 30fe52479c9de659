// Renders the plot editor and its dialogs for people to look at (not a test):
//   plot_editor_render_samples <folder>
// writes editor_<page>[_<tab>...].png for every page and tab of the property editor of a sample
// plot, editor_stripchart_channels_<tab>.png for the channel page of a strip chart, layout_viewer.png, preview.png, preview_settings.png, value_converter_<tab>.png and
// widgets.png.

#include <algorithm>
#include <cctype>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "framework/controls/Form.h"
#include "framework/controls/PageControl.h"
#include "framework/graphics/PngImage.h"
#include "plot/decor/iEditorBasicComponents.h"
#include "plot/decor/iPlotEditor.h"
#include "plot/decor/iPlotLayoutViewer.h"
#include "plot/decor/iPlotPreview.h"
#include "plot/decor/iValueConverterEdit.h"
#include "plot/engine/iXYPlot.h"
#include "tests/framework/controls/SampleProgram.h"
#include "tests/plot/engine/PlotTestSupport.h"

namespace dsp {
namespace {

std::string FileWord(const std::string& caption) {
    std::string word;
    for (char c : caption) {
        if (std::isalnum(static_cast<unsigned char>(c)) != 0) {
            word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    return word.empty() ? std::string("page") : word;
}

void SavePng(TBitmap& bitmap, const std::string& file) {
    TPngImage png;
    png.Assign(&bitmap);
    png.SaveToFile(file);
}

// Every page rendered, for the contact sheets that show four at once.
std::vector<std::unique_ptr<TBitmap>>& Rendered() {
    static std::vector<std::unique_ptr<TBitmap>> images;
    return images;
}

void SaveForm(TCustomForm& form, const std::string& file) {
    std::unique_ptr<TBitmap> image = form.RenderToImage();
    SavePng(*image, file);
    Rendered().push_back(std::move(image));
}

// The renders four to a sheet (two by two): contact_<n>.png.
void SaveContactSheets(const std::string& folder) {
    const auto& images = Rendered();
    for (std::size_t first = 0; first < images.size(); first += 4) {
        int width = 0;
        int height = 0;
        for (std::size_t i = first; i < std::min(first + 4, images.size()); ++i) {
            width = std::max(width, images[i]->Width());
            height = std::max(height, images[i]->Height());
        }
        TBitmap sheet(2 * width + 4, 2 * height + 4);
        sheet.Canvas()->Brush()->SetColor(clBlack);
        sheet.Canvas()->FillRect({0, 0, sheet.Width(), sheet.Height()});
        for (std::size_t i = first; i < std::min(first + 4, images.size()); ++i) {
            const int k = static_cast<int>(i - first);
            sheet.Canvas()->Draw((k % 2) * (width + 4), (k / 2) * (height + 4), images[i].get());
        }
        SavePng(sheet, folder + "/contact_" + std::to_string(first / 4 + 1) + ".png");
    }
}

// Every page of the page control in turn, and of the page controls on it.
void RenderPages(TCustomForm& form, TPageControl* pages, const std::string& stem,
                 const std::string& folder) {
    for (int i = 0; i < pages->PageCount(); ++i) {
        TTabSheet* sheet = pages->Pages(i);
        if (!sheet->TabVisible()) continue;
        pages->SetActivePage(sheet);
        const std::string name = stem + "_" + FileWord(sheet->Caption());
        bool nested = false;
        for (int c = 0; c < sheet->ControlCount(); ++c) {
            if (auto* inner = dynamic_cast<TPageControl*>(sheet->Controls(c))) {
                RenderPages(form, inner, name, folder);
                nested = true;
            }
        }
        if (!nested) SaveForm(form, folder + "/" + name + ".png");
    }
}

// A plot whose channels are strip-chart channels: the channel page shows its Bar, High/Low, Fill
// and Digital tabs.
class TStripChartPlot : public TiXYPlot {
public:
    using TiXYPlot::TiXYPlot;
    bool IsStripChart() const override { return true; }
};

// A few waves in the plot's channels.
void AddWaves(TiPlotComponent& plot) {
    for (int c = 0; c < plot.ChannelCount(); ++c) {
        for (int i = 0; i <= 100; ++i) {
            plot.GetChannel(c)->AddXY(i, 50 + 40 * std::sin(i * 0.08 + c * 1.3));
        }
    }
}

int Render(const std::string& folder) {
    TiXYPlot plot(nullptr);
    plot.SetBounds(0, 0, 600, 300);
    plot.AddChannel();
    plot.GetChannel(1)->SetColor(clYellow);
    AddWaves(plot);
    plot.AddLimit();
    plot.AddTable();
    plot.AddXAxis();
    plot.AddLabel();

    TiPlotEditorForm* editor = CreatePlotEditorForm(plot.Master());
    editor->LoadControlPage();
    editor->RefreshChannelStats();
    RenderPages(*editor, editor->PageControl, "editor", folder);
    delete editor;

    TStripChartPlot stripChart(nullptr);
    stripChart.SetBounds(0, 0, 600, 300);
    editor = CreatePlotEditorForm(stripChart.Master());
    editor->PageControl->SetActivePage(editor->PageOf(TiPlotObjectKind::Channel));
    editor->UpdateChannelEdit();
    RenderPages(*editor, editor->Control<TPageControl>("ChannelPageControl"),
                "editor_stripchart_channels", folder);
    delete editor;

    TForm host(nullptr);
    host.AfterConstruction();
    host.SetBounds(0, 0, 420, 260);
    auto* viewer = new TiPlotLayoutViewer(&host);
    viewer->SetParent(&host);
    viewer->SetBounds(0, 0, host.ClientWidth(), host.ClientHeight());
    viewer->SetLayoutManager(plot.Master()->LayoutManager());
    TBitmap layout(viewer->Width(), viewer->Height());
    viewer->PaintToCanvas(layout.Canvas());
    SavePng(layout, folder + "/layout_viewer.png");

    TiPlotPreviewForm preview(nullptr);
    preview.AfterConstruction();
    preview.iComponent = &plot;
    preview.PrintOrientation = poLandscape;
    preview.PrintSize = 3;
    TBitmap page(preview.Preview->Width(), preview.Preview->Height());
    preview.DrawPage(page.Canvas(), page.Width(), page.Height());
    SavePng(page, folder + "/preview_page.png");
    SaveForm(preview, folder + "/preview.png");

    TiPlotPreviewSettingsForm settings(nullptr);
    settings.AfterConstruction();
    settings.PrintMarginLeftEdit->SetAsFloat(1);
    settings.PrintMarginTopEdit->SetAsFloat(1);
    settings.PrintMarginRightEdit->SetAsFloat(1);
    settings.PrintMarginBottomEdit->SetAsFloat(1);
    settings.PrintOrientationRadioGroup->SetAsInteger(1);
    settings.PrintPaperSizeComboBox->SetAsInteger(3);
    settings.PrintDocumentNameEdit->SetAsString("Untitled");
    SaveForm(settings, folder + "/preview_settings.png");

    TiValueConverterEditForm converter(nullptr);
    converter.AfterConstruction();
    converter.SetValue(10.25);
    RenderPages(converter, converter.PageControl, "value_converter", folder);

    TiCustomEditorForm widgets(nullptr);
    widgets.AfterConstruction();
    widgets.SetBounds(0, 0, 360, 200);
    auto* check = new TiComponentEditorCheckBox(&widgets);
    check->SetParent(&widgets);
    check->SetBounds(10, 10, 150, 17);
    check->SetCaption("Checked box");
    check->SetAsBoolean(true);
    auto* unchecked = new TiComponentEditorCheckBox(&widgets);
    unchecked->SetParent(&widgets);
    unchecked->SetBounds(10, 32, 150, 17);
    unchecked->SetCaption("Unchecked box");
    auto* radio = new TiComponentEditorRadioGroup(&widgets);
    radio->SetParent(&widgets);
    radio->SetBounds(10, 56, 160, 90);
    radio->SetCaption("Orientation");
    for (const char* item : {"Portrait", "Landscape", "Either"}) radio->Items()->Add(item);
    radio->SetAsInteger(1);
    auto* edit = new TiComponentEditorEdit(&widgets);
    edit->SetParent(&widgets);
    edit->SetBounds(190, 10, 60, 21);
    edit->SetAsInteger(42);
    auto* spin = new TiUpDown(&widgets);
    spin->SetParent(&widgets);
    spin->SetAssociate(edit);
    auto* colour = new TiComponentEditorColorPicker(&widgets);
    colour->SetParent(&widgets);
    colour->SetBounds(190, 40, 60, 21);
    colour->SetColor(clBlue);
    auto* list = new TiComponentEditorListBox(&widgets);
    list->SetParent(&widgets);
    list->SetBounds(190, 70, 150, 70);
    for (const char* item : {"Channel 1", "Channel 2", "Channel 3"}) list->AddItem(item, nullptr);
    list->OnGetData = [](int index, bool& box, TColor& color, std::string&) {
        box = true;
        color = index == 0 ? clRed : index == 1 ? clLime : clBlue;
    };
    list->SetItemIndex(1);
    SaveForm(widgets, folder + "/widgets.png");
    SaveContactSheets(folder);
    return 0;
}

}  // namespace
}  // namespace dsp

int main(int argc, char** argv) { return dsp::test::RunSampleProgram(argc, argv, dsp::Render); }
