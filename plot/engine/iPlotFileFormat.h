#pragma once
// The byte layouts the plot's data files and its log share: 32-bit little-endian floats of the
// "Compact Interval" layout, CR LF text lines, fields split at the column separator, and the
// numbers of text files ("." always; in a tab-separated file "," too).

#include <string>
#include <string_view>
#include <vector>

#include "framework/text/Strings.h"

namespace dsp {

class TiPlotComponent;

namespace plotfile {

void AppendFloat32(std::string& out, double value);
std::string JoinLines(const TStrings& lines);
// Written whole or not at all; EFCreateError with the reason.
void WriteWhole(const std::string& fileName, const std::string& bytes);
// Adjacent separators give an empty field; one at the very end adds none.
std::vector<std::string> SplitDataLine(std::string_view line, char separator);
// EConvertError for a field that is no number.
double DataNumber(const std::string& field, char separator);
// The whole data file of the plot's channels in each layout.
std::string DataTextBytes(const TiPlotComponent& plot);
std::string DataCompactIntervalBytes(const TiPlotComponent& plot);

}  // namespace plotfile
}  // namespace dsp
