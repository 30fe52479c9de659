// TiPlotComponent: the log of the rows AddDataArray adds, in the layouts of the data files
// (text with one shared X column, or "Compact Interval" without an end marker).
//
// Buffered rows go out in one append: the whole chunk is built first, so a channel shorter
// than channel 0 gives empty fields (1e38 in the binary layout) instead of a half-written chunk
// that the next flush would write again.

#include <string>

#include "framework/core/Exceptions.h"
#include "framework/text/Numbers.h"
#include "framework/text/StrUtils.h"
#include "framework/text/Streams.h"
#include "plot/engine/iPlotChannelCustom.h"
#include "plot/engine/iPlotComponent.h"
#include "plot/engine/iPlotFileFormat.h"

namespace dsp {

using namespace plotfile;

void TiPlotComponent::SetLogFileName(const std::string& value) {
    if (value == FLogFileName) return;
    if (FLoggingActive)
        throw Exception("Log File Name can not be changed while logging is active.");
    FLogFileName = value;
}

void TiPlotComponent::LogActivate(bool append) {
    if (Trim(FLogFileName).empty()) throw Exception("Log File Name not Defined");
    if (FLoggingActive) throw Exception("Logging Already Active");
    if (append) {
        // Proves that the log exists and can be written; its content stays.
        TFileStream file(FLogFileName, fmOpenReadWrite);
    } else {
        std::string header;
        if (FDataFileFormat == ipdffCompactInterval) {
            header = "Compact Interval\r\n" + IntToStr(ChannelCount()) + "\r\n";
        } else {
            header = "(X)";
            for (int c = 0; c < ChannelCount(); ++c) {
                header += DataFileColumnSeparatorChar();
                header += GetChannel(c)->TitleText() + "(Y)";
            }
            header += "\r\n";
        }
        WriteWhole(FLogFileName, header);
    }
    FLoggingActive = true;
    FLogBufferCount = 0;
}

void TiPlotComponent::LogDeactivate() {
    if (!FLoggingActive) throw Exception("Logging not Active");
    FLoggingActive = false;
    if (FLogBufferCount > 0) FlushLogBuffer();
}

void TiPlotComponent::FlushLogBuffer() {
    const char separator = DataFileColumnSeparatorChar();
    const int count0 = ChannelCount() > 0 ? GetChannel(0)->Count() : 0;
    std::string chunk;
    for (int k = 0; k < FLogBufferCount; ++k) {
        const int p = count0 + k - FLogBufferCount;
        if (FDataFileFormat == ipdffCompactInterval) {
            for (int c = 0; c < ChannelCount(); ++c) {
                const TiPlotChannelCustom* channel = GetChannel(c);
                const bool has = p >= 0 && p < channel->Count();
                if (p < 2) AppendFloat32(chunk, has ? channel->GetDataX(p) : 1e38);
                AppendFloat32(chunk, has ? channel->GetDataY(p) : 1e38);
            }
            continue;
        }
        const TiPlotChannelCustom* first = ChannelCount() > 0 ? GetChannel(0) : nullptr;
        if (first != nullptr && p >= 0 && p < first->Count())
            chunk += FloatToStr(first->GetDataX(p));
        for (int c = 0; c < ChannelCount(); ++c) {
            const TiPlotChannelCustom* channel = GetChannel(c);
            chunk += separator;
            if (p < 0 || p >= channel->Count()) continue;
            if (channel->GetDataNull(p)) {
                chunk += "Null";
            } else if (channel->GetDataEmpty(p)) {
                chunk += "Empty";
            } else {
                chunk += FloatToStr(channel->GetDataY(p));
            }
        }
        chunk += "\r\n";
    }
    TFileStream file(FLogFileName, fmOpenReadWrite);
    file.Seek(0, soEnd);
    file.WriteBuffer(chunk);
    FLogBufferCount = 0;
}

}  // namespace dsp
