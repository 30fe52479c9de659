// TiPlotAxis: the texts of values, in the label, cursor and legend format settings.

#include <cmath>

#include "framework/core/Exceptions.h"
#include "framework/text/DateTime.h"
#include "framework/text/Format.h"
#include "framework/text/FormatFloat.h"
#include "framework/text/Numbers.h"
#include "framework/text/StrUtils.h"
#include "framework/text/Utf8.h"
#include "plot/engine/iPlotAxis.h"
#include "plot/engine/iPlotComponent.h"
#include "plot/engine/iPlotUtils.h"

namespace dsp {

namespace {

std::string Fixed(int decimals, double value) {
    return Trim(Format("%." + IntToStr(decimals) + "f", value));
}

const char* PrefixLetter(int exponent) {
    switch (exponent) {
        case 24: return "Y";
        case 21: return "Z";
        case 18: return "E";
        case 15: return "P";
        case 12: return "T";
        case 9: return "G";
        case 6: return "M";
        case 3: return "K";
        case 0: return "";
        case -3: return "m";
        case -6: return "\xC2\xB5";
        case -9: return "n";
        case -12: return "p";
        case -15: return "f";
        case -18: return "a";
        case -21: return "z";
        case -24: return "y";
        default: return nullptr;
    }
}

// Line breaks of a cursor or legend text become one blank each.
std::string OneLine(const std::string& text) {
    const std::string once = StringReplace(text, "\r\n", " ", {rfReplaceAll, rfIgnoreCase});
    return StringReplace(once, "\r", " ", {rfReplaceAll, rfIgnoreCase});
}

}  // namespace

std::string TiPlotAxis::FormatValue(TiPlotTextFormat formatStyle, const std::string& dateTimeFormat,
                                    int precision, TiPrecisionStyle precisionStyle, double value,
                                    bool& unknownLog) {
    auto decimals = [&](double of) {
        return PrecisionToDecimals(precision, precisionStyle, 0, of);
    };
    switch (formatStyle) {
        case iptfValue: {
            if (FScaleType == ipstLinear) return Fixed(decimals(FSpan), value);
            if (!(value > 0)) {
                unknownLog = true;
                return "Unknown";
            }
            // Log axes take the label precision whatever group asked.
            int n = FLabelsPrecisionStyle == ipsFixedDecimalPoints
                        ? FLabelsPrecision
                        : FLabelsPrecision - static_cast<int>(Trunc(std::log10(value))) - 1;
            if (n < 0) n = 0;
            return Fixed(n, value);
        }
        case iptfExponent: {
            const int digits = precisionStyle == ipsFixedDecimalPoints ? precision + 1 : precision;
            return Trim(Format("%." + IntToStr(digits) + "e", value));
        }
        case iptfPrefix: {
            int e = 0;
            if (value != 0) {
                e = static_cast<int>(Trunc(Int(std::log10(std::fabs(value)) / 3) * 3));
            }
            const double scaled = value / std::pow(10.0, e);
            const int n = decimals(scaled);
            std::string result = "Unknown";
            if (const char* letter = PrefixLetter(e)) result = Fixed(n, scaled) + letter;
            if (FSpan > 1e-10 && value > -1e-12 && value < 1e-12) {
                result = "0." + std::string(static_cast<std::size_t>(std::max(n, 0)), '0');
            }
            return result;
        }
        case iptfDateTime:
            if (!dateTimeFormat.empty() && (dateTimeFormat[0] == 'J' || dateTimeFormat[0] == 'j')) {
                return Trim(IntToStr(Trunc(value)) + " " +
                            FormatDateTime(dateTimeFormat.substr(1), value));
            }
            return Trim(FormatDateTime(dateTimeFormat, value));
        case iptfPrice32nds: {
            const double shifted = value + 0.001953125;
            const long long r = Round(Frac(shifted) * 1024);
            std::string thirtySeconds = IntToStr(r / 32);
            if (thirtySeconds.size() < 2) thirtySeconds.insert(0, 2 - thirtySeconds.size(), '0');
            return Format("%.0f", Int(shifted)) + "." + thirtySeconds + IntToStr((r % 32) / 4);
        }
        case iptfThousands: {
            std::string picture = "#,#0";
            const int n = decimals(FSpan);
            if (n >= 1) picture += "." + std::string(static_cast<std::size_t>(n), '0');
            return Trim(FormatFloat(picture, value));
        }
    }
    return "Unknown";
}

std::string TiPlotAxis::FormatValueText(TiPlotTextFormat formatStyle,
                                        const std::string& dateTimeFormat, double& minLength,
                                        bool minLengthAutoAdjust, int precision,
                                        TiPrecisionStyle precisionStyle, double value) {
    std::string result = "Unknown";
    bool unknownLog = false;
    try {
        result =
            FormatValue(formatStyle, dateTimeFormat, precision, precisionStyle, value, unknownLog);
    } catch (const Exception&) {
        result = "Error";
    }
    if (unknownLog) return result;

    FCustomizeLabelEventModified = false;
    FCustomizeLabelEventText = result;
    if (Plot() != nullptr) Plot()->DoAxisCustomizeLabel(this, result, value);
    if (FCustomizeLabelEventModified) result = FCustomizeLabelEventText;

    if (minLengthAutoAdjust && FAllowLabelMinAdjust) {
        const double length = static_cast<double>(Utf8Length(result));
        if (length > minLength) minLength = length;
    }
    return result;
}

std::string TiPlotAxis::GetLabelText(double value) {
    return FormatValueText(FLabelsFormatStyle, FDateTimeFormat, FLabelsMinLength,
                           FLabelsMinLengthAutoAdjust, FLabelsPrecision, FLabelsPrecisionStyle,
                           value);
}

std::string TiPlotAxis::GetLabelTextAdjusting(double value) {
    FAllowLabelMinAdjust = true;
    try {
        std::string text = GetLabelText(value);
        FAllowLabelMinAdjust = false;
        return text;
    } catch (...) {
        FAllowLabelMinAdjust = false;
        throw;
    }
}

std::string TiPlotAxis::GetCursorText(double value) {
    if (FCursorUseDefaultFormat) return OneLine(GetLabelText(value));
    return OneLine(FormatValueText(FCursorFormatStyle, FCursorDateTimeFormat, FCursorMinLength,
                                   FCursorMinLengthAutoAdjust, FCursorPrecision,
                                   FCursorPrecisionStyle, value));
}

std::string TiPlotAxis::GetCursorValueText(double value) {
    if (FCursorUseDefaultFormat) {
        return OneLine(FormatValueText(iptfValue, "", FLabelsMinLength, FLabelsMinLengthAutoAdjust,
                                       FLabelsPrecision, FLabelsPrecisionStyle, value));
    }
    return OneLine(FormatValueText(iptfValue, "", FCursorMinLength, FCursorMinLengthAutoAdjust,
                                   FCursorPrecision, FCursorPrecisionStyle, value));
}

std::string TiPlotAxis::GetLegendText(double value) {
    if (FLegendUseDefaultFormat) return OneLine(GetLabelText(value));
    return OneLine(FormatValueText(FLegendFormatStyle, FLegendDateTimeFormat, FLegendMinLength,
                                   FLegendMinLengthAutoAdjust, FLegendPrecision,
                                   FLegendPrecisionStyle, value));
}

int TiPlotAxis::GetLegendMinTextWidth(TCanvas* canvas, TFont* font) {
    canvas->Font()->Assign(font);
    const double m = FLegendUseDefaultFormat ? FLabelsMinLength : FLegendMinLength;
    return static_cast<int>(Round(canvas->TextWidth("0") * m));
}

int TiPlotAxis::GetCursorMinTextWidth(TCanvas* canvas, TFont* font) {
    canvas->Font()->Assign(font);
    const double m = FCursorUseDefaultFormat ? FLabelsMinLength : FCursorMinLength;
    return static_cast<int>(Round(canvas->TextWidth("0") * m));
}

void TiPlotAxis::SetCustomizeLabelEventText(const std::string& value) {
    FCustomizeLabelEventText = value;
    FCustomizeLabelEventModified = true;
}

}  // namespace dsp
