// TiPlotComponent in the form stream: its defined properties and the image lists' format.

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/PngImage.h"
#include "framework/text/Filer.h"
#include "plot/engine/iPlotComponent.h"
#include "plot/engine/iPlotLabel.h"
#include "plot/engine/iPlotLayoutManager.h"
#include "plot/engine/iPlotToolBar.h"
#include "plot/engine/iPlotTranslation.h"

namespace dsp {

namespace {

constexpr char kImageListMagic[4] = {'D', 'S', 'I', 'L'};
// The colour that marks the transparent pixels of the strip: one a designer is unlikely to use.
constexpr TColor kImageListMask = 0x00FE01FD;
// More than any plot holds; a larger count is a damaged stream.
constexpr std::uint32_t kImageListMaxCount = 4096;
constexpr std::uint32_t kImageListMaxSide = 1024;

void PutUint32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::uint32_t GetUint32(const std::vector<std::uint8_t>& in, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(in[at + i]) << (8 * i);
    return value;
}

}  // namespace

void TiPlotComponent::WriteImageList(const TImageList& list, TStream& stream) {
    try {
        const int count = list.Count();
        const int width = list.Width();
        const int height = list.Height();
        TBitmap strip(width * count, height);
        strip.Canvas()->Brush()->SetColor(kImageListMask);
        strip.Canvas()->FillRect({0, 0, strip.Width(), strip.Height()});
        // Each picture with its transparent parts in the mask colour.
        TBitmap picture(width, height);
        for (int i = 0; i < count; ++i) {
            picture.Canvas()->Brush()->SetColor(kImageListMask);
            picture.Canvas()->FillRect({0, 0, width, height});
            list.Draw(picture.Canvas(), 0, 0, i, true);
            strip.Canvas()->Draw(i * width, 0, &picture);
        }
        TPngImage png;
        png.Assign(&strip);
        const std::vector<std::uint8_t> bytes = png.SaveToBytes();
        std::vector<std::uint8_t> out(kImageListMagic, kImageListMagic + 4);
        PutUint32(out, static_cast<std::uint32_t>(count));
        PutUint32(out, static_cast<std::uint32_t>(width));
        PutUint32(out, static_cast<std::uint32_t>(height));
        PutUint32(out, static_cast<std::uint32_t>(kImageListMask));
        out.insert(out.end(), bytes.begin(), bytes.end());
        stream.WriteBuffer(out.data(), static_cast<std::int64_t>(out.size()));
    } catch (const Exception&) {
        throw EWriteError("Failed to write ImageList data to stream");
    }
}

void TiPlotComponent::ReadImageList(TImageList& list, TStream& stream) {
    list.Clear();
    const auto fail = [] { throw EReadError("Failed to read ImageList data from stream"); };
    const std::int64_t size = stream.Size() - stream.Position();
    if (size < 20) fail();
    std::vector<std::uint8_t> in(static_cast<std::size_t>(size));
    stream.ReadBuffer(in.data(), size);
    if (!std::equal(kImageListMagic, kImageListMagic + 4, in.begin())) fail();
    const std::uint32_t count = GetUint32(in, 4);
    const std::uint32_t width = GetUint32(in, 8);
    const std::uint32_t height = GetUint32(in, 12);
    const auto mask = static_cast<TColor>(GetUint32(in, 16));
    if (count > kImageListMaxCount || width == 0 || width > kImageListMaxSide || height == 0 ||
        height > kImageListMaxSide) {
        fail();
    }
    TBitmap strip;
    try {
        TPngImage png;
        png.LoadFromBytes(std::vector<std::uint8_t>(in.begin() + 20, in.end()));
        strip.Assign(&png);
    } catch (const Exception&) {
        fail();
    }
    if (static_cast<std::uint32_t>(strip.Width()) != count * width ||
        static_cast<std::uint32_t>(strip.Height()) != height) {
        fail();
    }
    list.SetSize(static_cast<int>(width), static_cast<int>(height));
    if (count > 0) list.AddMasked(&strip, mask);
}

void TiPlotComponent::DefineProperties(TFiler* filer) {
    // Reading gathers the objects without laying them out or painting them one by one; Loaded
    // ends it. Writing must leave the plot as it was: a batch opened here would never close.
    if (filer->IsReader()) {
        DisableLayoutManager();
        BeginUpdate();
    }
    filer->DefineProperty(
        "DataViewZHorz", [this](TReader& reader) { SetDataViewZHorz(reader.ReadInteger()); },
        [this](TWriter& writer) { writer.WriteInteger(DataViewZHorz()); }, true);
    filer->DefineProperty(
        "DataViewZVert", [this](TReader& reader) { SetDataViewZVert(reader.ReadInteger()); },
        [this](TWriter& writer) { writer.WriteInteger(DataViewZVert()); }, true);
    for (int i = 0; i < 3; ++i) {
        TImageList* list = imageLists_[static_cast<std::size_t>(i)].get();
        filer->DefineBinaryProperty(
            "ImageList" + std::to_string(i),
            [list](TStream& stream) { ReadImageList(*list, stream); },
            [list](TStream& stream) { WriteImageList(*list, stream); }, list->Count() > 0);
    }
    TiPlotMasterManager* master = FMaster.get();
    const std::pair<const char*, TiPlotObjectManagerCustom*> managers[] = {
        {"ToolBarManager", master->ToolBarManager()},
        {"LegendManager", master->LegendManager()},
        {"TableManager", master->TableManager()},
        {"XAxisManager", master->XAxisManager()},
        {"YAxisManager", master->YAxisManager()},
        {"ChannelManager", master->ChannelManager()},
        {"DataViewManager", master->DataViewManager()},
        {"DataCursorManager", master->DataCursorManager()},
        {"LimitManager", master->LimitManager()},
        {"LabelManager", master->LabelManager()},
    };
    for (const auto& entry : managers) {
        TiPlotObjectManagerCustom* manager = entry.second;
        const char* name = entry.first;
        if (manager == nullptr) continue;
        filer->DefineProperty(
            name, [manager](TReader& reader) { manager->ReadFromStream(reader); },
            [manager](TWriter& writer) { manager->WriteToStream(writer); },
            manager->DoWriteToStream());
    }
    TiPlotTranslationManager* translations = GetTranslationManager();
    filer->DefineProperty(
        "TranslationManager",
        [translations](TReader& reader) { translations->ReadFromStream(reader); },
        [translations](TWriter& writer) { translations->WriteToStream(writer); },
        translations->DoWriteToStream());
    TiCustomComponent::DefineProperties(filer);
}

void TiPlotComponent::Loaded() {
    TiCustomComponent::Loaded();
    // A toolbar and a title stored in the same band: the toolbar goes one band further out.
    if (ToolBarCount() > 0 && LabelCount() > 0) {
        TiPlotToolBar* toolBar = GetToolBar(0);
        const TiPlotLabel* label = GetLabel(0);
        if (toolBar->Horizontal() == label->Horizontal() && toolBar->ZOrder() == label->ZOrder()) {
            toolBar->SetZOrder(toolBar->ZOrder() + 1);
        }
    }
    EnableLayoutManager();
    EndUpdate();
}

}  // namespace dsp
