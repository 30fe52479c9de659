#pragma once
// The layouts of the plot's files apart from any plot: 32-bit little-endian floats of the
// "Compact Interval" layout, CR LF text lines, fields split at the column separator, numbers of
// text files ("." always; in a tab-separated file "," too), and the readers' checks. A reader
// parses and checks the whole file here first, so that a refused file changes nothing; every
// refusal is an Exception.

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

// One point a data file adds to a channel.
struct TiLoadedPoint {
    int channel = 0;
    double x = 0;
    double y = 0;
    bool null = false;
    bool empty = false;
};
// Every point of a data file in any of its layouts (pairs per channel, one shared X column,
// "Compact Interval"), for channels below channelCount. "Invalid Data" for a binary file whose
// channel count is not at least 1 or whose values are cut short; the conversion error for a
// field that is no number.
std::vector<TiLoadedPoint> ParseDataFile(std::string_view bytes, int channelCount);

// The sections of a property file, in the order they are written and must stand.
constexpr int kPropertySectionCount = 10;
const char* PropertySectionPrefix(int section);
const char* PropertySectionCountKey(int section);
// More objects of one kind than any plot holds: a count above it is a damaged file.
constexpr int kMaxObjectCount = 1000;

struct TiPropertyFileHeader {
    std::vector<int> counts;  // one per section
    bool hasZHorz = false;
    bool hasZVert = false;
    int zHorz = 0;
    int zVert = 0;
};
// The first line names the type (header line and count lines are taken out of the list);
// counts are whole numbers from 0 to kMaxObjectCount; every section line belongs to an object
// below its kind's count, sections stand in the written order with each object's lines
// together, and the plot's own lines come last. "Incompatible Plot Configuration File Type",
// "Invalid <key> "<value>"", "Section <name> beyond its count", "Section <name> out of order".
TiPropertyFileHeader ReadPropertyFileHeader(TStrings& lines);
// The annotation count of an annotation file, its sections checked the same way.
int ReadAnnotationFileHeader(TStrings& lines);
// Finds the first line whose name before "=" is the key (trimmed, without case), gives its
// trimmed value and deletes the line.
bool ExtractKey(const std::string& key, std::string& value, TStrings& lines);

}  // namespace plotfile
}  // namespace dsp
