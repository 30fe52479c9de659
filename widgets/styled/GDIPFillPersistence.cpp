// The ini-file form of a fill and the text form of its pictures.

#include <memory>

#include <algorithm>
#include <iterator>

#include "framework/core/Exceptions.h"
#include "framework/desktop/Clipboard.h"
#include "framework/text/Filer.h"
#include "framework/text/IniFile.h"
#include "framework/text/Streams.h"
#include "widgets/styled/GDIPFill.h"

namespace dsp {

namespace {

// Pictures longer than this in hexadecimal text are not taken from an ini file.
constexpr std::size_t kMaxPictureHexChars = std::size_t{64} << 20;

std::string PictureHex(TAdvGDIPPicture& picture) {
    TMemoryStream data;
    picture.SaveToStream(&data);
    return StreamToHexText(data);
}

}  // namespace

void TGDIPFill::SaveToFile(const std::string& fileName, const std::string& section) {
    TIniFile ini(fileName);
    SaveToFile(ini, section);
}

void TGDIPFill::LoadFromFile(const std::string& fileName, const std::string& section) {
    TIniFile ini(fileName);
    LoadFromFile(ini, section);
}

void TGDIPFill::SaveToFile(TCustomIniFile& ini, const std::string& s) {
    ini.WriteInteger(s, "Color", FColor);
    ini.WriteInteger(s, "ColorTo", FColorTo);
    ini.WriteInteger(s, "ColorMirror", FColorMirror);
    ini.WriteInteger(s, "ColorMirrorTo", FColorMirrorTo);
    ini.WriteInteger(s, "GradientType", FGradientType);
    ini.WriteInteger(s, "GradientMirrorType", FGradientMirrorType);
    ini.WriteInteger(s, "HatchStyle", FHatchStyle);
    ini.WriteInteger(s, "HatchStyleMirror", FHatchStyleMirror);
    ini.WriteInteger(s, "BackGroundPictureMode", FBackGroundPictureMode);
    ini.WriteInteger(s, "BackGroundPicturePosition", FBackGroundPicturePosition);
    ini.WriteInteger(s, "BackGroundPictureLeft", FBackGroundPictureLeft);
    ini.WriteInteger(s, "BackGroundPictureTop", FBackGroundPictureTop);
    ini.WriteInteger(s, "PicturePosition", FPicturePosition);
    ini.WriteInteger(s, "PictureLeft", FPictureLeft);
    ini.WriteInteger(s, "PictureTop", FPictureTop);
    ini.WriteInteger(s, "PictureSize", FpictureSize);
    ini.WriteInteger(s, "PictureWidth", FpictureWidth);
    ini.WriteInteger(s, "PictureHeight", FpictureHeight);
    ini.WriteInteger(s, "Opacity", FOpacity);
    ini.WriteInteger(s, "OpacityTo", FOpacityTo);
    ini.WriteInteger(s, "OpacityMirror", FOpacityMirror);
    ini.WriteInteger(s, "OpacityMirrorTo", FOpacityMirrorTo);
    ini.WriteInteger(s, "BorderColor", FBorderColor);
    ini.WriteInteger(s, "BorderOpacity", FBorderOpacity);
    ini.WriteInteger(s, "BorderWidth", FBorderWidth);
    ini.WriteInteger(s, "Rounding", FRounding);
    ini.WriteInteger(s, "RoundingType", FRoundingType);
    ini.WriteInteger(s, "ShadowOffset", FShadowOffset);
    ini.WriteInteger(s, "ShadowColor", FShadowColor);
    ini.WriteInteger(s, "Angle", FAngle);
    ini.WriteInteger(s, "Glow", FGlow);
    ini.WriteInteger(s, "GlowGradientColor", FGlowGradientColor);
    ini.WriteInteger(s, "GlowRadialColor", FGlowRadialColor);
    const std::string picture = PictureHex(*FPicture);
    ini.WriteString(s, "Picture", picture);
    // "PictureSize" ends up holding the length of the picture's text, as files of this form
    // always have; the property itself keeps a key of its own.
    ini.WriteInteger(s, "PictureSize", static_cast<int>(picture.size()));
    const std::string background = PictureHex(*FBackGroundPicture);
    ini.WriteString(s, "BackgroundPicture", background);
    ini.WriteInteger(s, "BackgroundPictureSize", static_cast<int>(background.size()));
    ini.WriteInteger(s, "PictureSizeMode", FpictureSize);
}

void TGDIPFill::LoadFromFile(TCustomIniFile& ini, const std::string& s) {
    // Everything is read into a copy first: a broken value leaves this fill as it was.
    TGDIPFill next;
    next.Assign(this);
    auto integer = [&](const char* key, int& field) { field = ini.ReadInteger(s, key, field); };
    auto byte = [&](const char* key, std::uint8_t& field) {
        const int v = ini.ReadInteger(s, key, field);
        if (v >= 0 && v <= 255) field = static_cast<std::uint8_t>(v);
    };
    auto ordinal = [&]<typename E>(const char* key, E& field, int last) {
        const int v = ini.ReadInteger(s, key, static_cast<int>(field));
        if (v >= 0 && v <= last) field = static_cast<E>(v);
    };
    integer("Color", next.FColor);
    integer("ColorTo", next.FColorTo);
    integer("ColorMirror", next.FColorMirror);
    integer("ColorMirrorTo", next.FColorMirrorTo);
    ordinal("GradientType", next.FGradientType, gtNone);
    ordinal("GradientMirrorType", next.FGradientMirrorType, gtNone);
    ordinal("HatchStyle", next.FHatchStyle, HatchStyleMax);
    ordinal("HatchStyleMirror", next.FHatchStyleMirror, HatchStyleMax);
    ordinal("BackGroundPictureMode", next.FBackGroundPictureMode, pmOutsideFill);
    ordinal("BackGroundPicturePosition", next.FBackGroundPicturePosition, ppCustom);
    integer("BackGroundPictureLeft", next.FBackGroundPictureLeft);
    integer("BackGroundPictureTop", next.FBackGroundPictureTop);
    ordinal("PicturePosition", next.FPicturePosition, ppCustom);
    integer("PictureLeft", next.FPictureLeft);
    integer("PictureTop", next.FPictureTop);
    ordinal("PictureSizeMode", next.FpictureSize, psCustom);
    integer("PictureWidth", next.FpictureWidth);
    integer("PictureHeight", next.FpictureHeight);
    byte("Opacity", next.FOpacity);
    byte("OpacityTo", next.FOpacityTo);
    byte("OpacityMirror", next.FOpacityMirror);
    byte("OpacityMirrorTo", next.FOpacityMirrorTo);
    integer("BorderColor", next.FBorderColor);
    byte("BorderOpacity", next.FBorderOpacity);
    integer("BorderWidth", next.FBorderWidth);
    integer("Rounding", next.FRounding);
    ordinal("RoundingType", next.FRoundingType, rtRight);
    integer("ShadowOffset", next.FShadowOffset);
    integer("ShadowColor", next.FShadowColor);
    integer("Angle", next.FAngle);
    ordinal("Glow", next.FGlow, gmRadialGradient);
    integer("GlowGradientColor", next.FGlowGradientColor);
    integer("GlowRadialColor", next.FGlowRadialColor);

    // The size keys only say whether a picture is there; the text is read whole.
    auto picture = [&](const char* sizeKey, const char* key, TAdvGDIPPicture& target) {
        if (ini.ReadInteger(s, sizeKey, 0) <= 0) return;
        const std::string hex = ini.ReadString(s, key, "");
        if (hex.size() > kMaxPictureHexChars) return;
        TMemoryStream data;
        HexTextToStream(hex, data);
        data.SetPosition(0);
        target.LoadFromStream(&data);
    };
    picture("PictureSize", "Picture", *next.FPicture);
    picture("BackgroundPictureSize", "BackgroundPicture", *next.FBackGroundPicture);
    Assign(&next);
}

// ---- the clipboard

namespace {
// A fill with pictures of a few megabytes fits many times over.
constexpr std::size_t kMaxClipboardBytes = std::size_t{64} << 20;
}  // namespace

unsigned GDIPFillClipboardFormat() {
    static const TClipboardFormat format = RegisterClipboardFormat("GDI+ Fill");
    return format;
}

void SaveFillToStream(TStream& stream, TPersistent& fill) {
    TSaver saver(nullptr);
    saver.SetSaveObject(&fill);
    WriteComponentStream(stream, saver);
}

void LoadFillFromStream(TStream& stream, TPersistent& persistent) {
    TSaver saver(nullptr);
    saver.SetSaveObject(&persistent);
    ReadComponentStream(stream, saver);
}

void TGDIPFill::SaveToClipBoard() {
    TMemoryStream stream;
    SaveFillToStream(stream, *this);
    Clipboard()->SetAsBytes(GDIPFillClipboardFormat(), stream.Bytes());
}

void TGDIPFill::LoadFromClipBoard() {
    std::vector<std::uint8_t> bytes;
    if (!Clipboard()->GetAsBytes(GDIPFillClipboardFormat(), bytes)) return;
    // Any program can offer bytes under this name: only a component stream of a sound size is
    // read, into a copy, and the fill takes it only when all of it was read.
    if (bytes.size() > kMaxClipboardBytes)
        throw EReadError("The clipboard's fill is larger than a fill can be");
    if (bytes.size() < sizeof kFormStreamSignature ||
        !std::equal(std::begin(kFormStreamSignature), std::end(kFormStreamSignature),
                    bytes.begin()))
        throw EReadError("The clipboard holds no fill");
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    stream.SetPosition(0);
    TGDIPFill next;
    next.Assign(this);
    LoadFillFromStream(stream, next);
    Assign(&next);
}

}  // namespace dsp
