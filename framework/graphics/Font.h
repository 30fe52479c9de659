#pragma once
// TFont: the typeface a canvas writes with. Heights follow the framework's rule at a fixed
// 96 pixels per inch: a negative Height is the character height in pixels (without internal
// leading), a positive one the cell height; Size is in points. Face names are mapped to the
// fonts the project installs (see FontSet.h), so text looks the same on every machine.

#include <cstdint>
#include <memory>
#include <string>

#include "framework/core/Set.h"
#include "framework/core/TypeInfo.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/GraphicsObject.h"

namespace dsp {

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
DSP_ENUM_NAMES(TFontStyle, "fsBold", "fsItalic", "fsUnderline", "fsStrikeOut")
using TFontStyles = Set<TFontStyle>;

enum TFontPitch { fpDefault, fpVariable, fpFixed };
DSP_ENUM_NAMES(TFontPitch, "fpDefault", "fpVariable", "fpFixed")

using TFontCharset = std::uint8_t;
constexpr TFontCharset ANSI_CHARSET = 0;
constexpr TFontCharset DEFAULT_CHARSET = 1;
constexpr TFontCharset SYMBOL_CHARSET = 2;
constexpr TFontCharset SHIFTJIS_CHARSET = 128;
constexpr TFontCharset HANGEUL_CHARSET = 129;
constexpr TFontCharset GB2312_CHARSET = 134;
constexpr TFontCharset CHINESEBIG5_CHARSET = 136;
constexpr TFontCharset OEM_CHARSET = 255;

constexpr int FW_NORMAL = 400;
constexpr int FW_BOLD = 700;
constexpr std::uint8_t DEFAULT_PITCH = 0;
constexpr std::uint8_t FIXED_PITCH = 1;
constexpr std::uint8_t VARIABLE_PITCH = 2;

constexpr int kScreenPixelsPerInch = 96;

// A complete logical font description, for callers that build a variant of a font (for
// example the same font turned by an angle) and hand it back with TFont::SetLogFont.
struct TLogFont {
    int lfHeight = 0;
    int lfWidth = 0;
    int lfEscapement = 0;   // angle of the baseline, tenths of a degree counter-clockwise
    int lfOrientation = 0;  // kept; text is drawn along the escapement
    int lfWeight = FW_NORMAL;
    bool lfItalic = false;
    bool lfUnderline = false;
    bool lfStrikeOut = false;
    TFontCharset lfCharSet = DEFAULT_CHARSET;
    std::uint8_t lfOutPrecision = 0;
    std::uint8_t lfClipPrecision = 0;
    std::uint8_t lfQuality = 0;
    std::uint8_t lfPitchAndFamily = DEFAULT_PITCH;
    std::string lfFaceName;
};

struct TFontResource;  // the host toolkit's font, made on first use

// A font's settings by name, for property texts and saved copies; Size is derived from Height
// and not saved.
class TFont : public TGraphicsObject {
    DSP_PUBLISHED(TFont, TGraphicsObject) {
        using P = Published<TFont>;
        return {
            P::Property("Charset", &TFont::Charset, &TFont::SetCharset).Default(DEFAULT_CHARSET),
            P::Property("Color", &TFont::Color, &TFont::SetColor),
            P::Property("Height", &TFont::Height, &TFont::SetHeight),
            P::Property("Name", &TFont::Name, &TFont::SetName),
            P::Property("Orientation", &TFont::Orientation, &TFont::SetOrientation).Default(0),
            P::Property("Pitch", &TFont::Pitch, &TFont::SetPitch).Default(fpDefault),
            P::Property("Size", &TFont::Size, &TFont::SetSize).Stored(false),
            P::Property("Style", &TFont::Style, &TFont::SetStyle),
        };
    }

public:
    TFont();
    ~TFont() override;

    const std::string& Name() const { return name_; }
    void SetName(const std::string& value);
    int Height() const { return height_; }
    void SetHeight(int value);
    int Size() const;
    void SetSize(int points);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles value);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    TFontCharset Charset() const { return charset_; }
    void SetCharset(TFontCharset value);
    TFontPitch Pitch() const { return pitch_; }
    void SetPitch(TFontPitch value);
    // Angle of the text in tenths of a degree, counter-clockwise (900 reads upwards).
    int Orientation() const { return escapement_; }
    void SetOrientation(int tenthsOfDegree);
    // The resolution Size is reckoned at: the screen's, or a printer page's for the font of
    // its canvas. Changing it keeps the size in points, so text keeps its size on paper.
    int PixelsPerInch() const { return pixelsPerInch_; }
    void SetPixelsPerInch(int value);

    // The whole description at once (the colour stays). A weight of at least FW_BOLD counts
    // as bold.
    TLogFont LogFont() const;
    void SetLogFont(const TLogFont& font);

    void Assign(TPersistent* source) override;

    // The host toolkit's font for this description; made once and kept until a change.
    const TFontResource& Resource() const;

protected:
    void Changed() override;

private:
    std::string name_ = "Tahoma";
    int height_ = -11;
    int pixelsPerInch_ = kScreenPixelsPerInch;
    TFontStyles style_;
    TColor color_ = clWindowText;
    TFontCharset charset_ = DEFAULT_CHARSET;
    TFontPitch pitch_ = fpDefault;
    int escapement_ = 0;
    int orientation_ = 0;
    int weight_ = FW_NORMAL;
    int width_ = 0;
    mutable std::shared_ptr<TFontResource> resource_;
};

}  // namespace dsp
