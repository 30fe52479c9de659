// TiPlotComponent: points added to many channels at once, and copied between channels.

#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/graphics/Bitmap.h"
#include "framework/text/DateTime.h"
#include "plot/engine/iPlotChannelCustom.h"
#include "plot/engine/iPlotComponent.h"

namespace dsp {

void TiPlotComponent::AddDataArray(double xValue, const TVariant& data) {
    const int dims = VarArrayDimCount(data);
    if (dims != 1 && dims != 2) throw Exception("Data Array must be 1 or 2 Dimensions");
    // Every channel the array names must exist, and every element must be a number, before the
    // first point goes in, so that a bad array adds nothing and the log's row count stays in step
    // with the points.
    const auto check = [this](long long channel) {
        if (channel < 0 || channel >= ChannelCount()) throw EListError::IndexOutOfBounds(channel);
    };
    const int low = data.LowBound(1);
    const int high = data.HighBound(1);
    std::vector<double> values;
    if (dims == 1) {
        if (high >= low) check(static_cast<long long>(high) - low);
        for (int i = low; i <= high; ++i) values.push_back(data[i].AsDouble());
        for (int i = low; i <= high; ++i) {
            TiPlotChannelCustom* channel = GetChannel(i - low);
            const double value = values[static_cast<std::size_t>(i - low)];
            if (IsNullMarker(value)) {
                channel->AddNullPoint(xValue);
            } else if (IsEmptyMarker(value)) {
                channel->AddEmptyPoint(xValue);
            } else {
                channel->AddXY(xValue, value);
            }
        }
        ++FLogBufferCount;
        if (FLoggingActive && FLogBufferCount >= FLogBufferSize) FlushLogBuffer();
        return;
    }
    for (int c = low; c <= high; ++c) check(c);
    const int rowLow = data.LowBound(2);
    const int rowHigh = data.HighBound(2);
    for (int r = rowLow; r <= rowHigh; ++r) {
        for (int c = low; c <= high; ++c) values.push_back(data.GetElement({c, r}).AsDouble());
    }
    auto value = values.begin();
    for (int r = rowLow; r <= rowHigh; ++r) {
        for (int c = low; c <= high; ++c) {
            TiPlotChannelCustom* channel = GetChannel(c);
            const double x = channel->Count() > 0 ? channel->XLast() + xValue : 0;
            channel->AddXY(x, *value++);
        }
    }
    if (rowHigh >= rowLow) FLogBufferCount += rowHigh - rowLow + 1;
    if (FLoggingActive && FLogBufferCount >= FLogBufferSize) FlushLogBuffer();
}

void TiPlotComponent::TransferChannelData(int sourceChannelIndex, int destinationChannelIndex,
                                          int startIndex, int stopIndex) {
    TiPlotChannelCustom* source = GetChannel(sourceChannelIndex);
    TiPlotChannelCustom* destination = GetChannel(destinationChannelIndex);
    if (startIndex < 0) throw Exception("Start Index Must be 0 or Greater");
    if (stopIndex > source->IndexLast()) throw Exception("StopIndex Must Out Of Range");
    for (int i = startIndex; i <= stopIndex; ++i) {
        const int n = destination->AddXY(source->GetDataX(i), source->GetDataY(i));
        destination->SetDataNull(n, source->GetDataNull(i));
        destination->SetDataEmpty(n, source->GetDataEmpty(i));
    }
}

double TiPlotComponent::GetNow() const { return Now(); }

static TImageList* CheckedImageList(const TiPlotComponent* plot, int index) {
    TImageList* list = plot->GetImageList(index);
    if (list == nullptr) throw Exception("ImageList Index must be 0-2");
    return list;
}

void TiPlotComponent::ImageListClear(int imageListIndex) {
    CheckedImageList(this, imageListIndex)->Clear();
    RequestRepaint();
}

void TiPlotComponent::ImageListAdd(int imageListIndex, TBitmap* bitmap) {
    ImageListAddBitmap(imageListIndex, bitmap);
}

void TiPlotComponent::ImageListAddBitmap(int index, TBitmap* bitmap) {
    TImageList* list = CheckedImageList(this, index);
    if (list->Count() > 0) {
        const int listWidth = list->Width();
        const int listHeight = list->Height();
        const int w = bitmap->Width();
        const int h = bitmap->Height();
        if (w < listWidth && h < listHeight) {
            const TColor transparent = bitmap->TransparentColor();
            TBitmap centred;
            centred.SetSize(listWidth, listHeight);
            centred.Canvas()->Brush()->SetColor(transparent);
            centred.Canvas()->FillRect(Rect(0, 0, listWidth, listHeight));
            centred.Canvas()->Draw(listWidth / 2 - w / 2, listHeight / 2 - h / 2, bitmap);
            centred.SetTransparentColor(transparent);
            bitmap->Assign(&centred);
        } else if (!(w > listWidth && h > listHeight) && w != listWidth && h != listHeight) {
            throw Exception(
                "Image Width and Height must be the same as other images, or both smaller, or "
                "both larger");
        }
    } else {
        list->SetSize(bitmap->Width(), bitmap->Height());
    }
    list->AddMasked(bitmap, bitmap->TransparentColor());
    RequestRepaint();
}

}  // namespace dsp
