#include "framework/graphics/Font.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <mutex>
#include <string>
#include <unordered_map>

#include "framework/graphics/FontQt.h"
#include "framework/graphics/FontSet.h"

namespace dsp {

namespace {

// MulDiv: a * b / c rounded to the nearest integer, halves away from zero.
int MulDiv(int a, int b, int c) {
    const long long p = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(p >= 0 ? (p + half) / c : (p - half) / c);
}

QFont BaseFont(const std::string& name, int weight, TFontStyles style, TFontPitch pitch) {
    QFont font;
    QStringList families{QString::fromStdString(SubstituteFontFamily(name))};
    if (pitch == fpFixed && families.front() != QStringLiteral("Liberation Mono"))
        families.front() = QStringLiteral("DejaVu Sans Mono");
    if (families.front() != QString::fromStdString(ChineseFontFamily()))
        families.append(QString::fromStdString(ChineseFontFamily()));
    font.setFamilies(families);
    font.setWeight(static_cast<QFont::Weight>(std::clamp(weight, 1, 1000)));
    font.setItalic(style.Contains(fsItalic));
    font.setUnderline(style.Contains(fsUnderline));
    font.setStrikeOut(style.Contains(fsStrikeOut));
    font.setKerning(false);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setStyleStrategy(
        static_cast<QFont::StyleStrategy>(QFont::PreferAntialias | QFont::NoSubpixelAntialias));
    return font;
}

// Cell height (ascent plus descent, rounded up as the canvas rounds them) at an em size.
int CellHeight(const QFont& base, int pixelSize) {
    QFont probe(base);
    probe.setPixelSize(pixelSize);
    const QFontMetricsF metrics(probe);
    return static_cast<int>(std::ceil(metrics.ascent() - 0.01)) +
           static_cast<int>(std::ceil(metrics.descent() - 0.01));
}

// The em size in pixels for a framework height: a negative height is the em size itself, a
// positive one the whole cell (the largest em size whose cell fits), 0 the default of 8 points.
int PixelSizeFor(const QFont& base, int height) {
    if (height < 0) return std::min(-height, 4000);
    if (height == 0) return 11;
    const int target = std::min(height, 4000);
    QFont probe(base);
    probe.setPixelSize(1000);
    const QFontMetricsF metrics(probe);
    const double cell = metrics.ascent() + metrics.descent();
    int size = cell <= 0
                   ? target
                   : std::clamp(static_cast<int>(std::lround(target * 1000.0 / cell)), 1, 4000);
    while (size > 1 && CellHeight(base, size) > target) --size;
    while (size < 4000 && CellHeight(base, size + 1) <= target) ++size;
    return size;
}

}  // namespace

TFont::TFont() = default;
TFont::~TFont() = default;

void TFont::Changed() {
    resource_.reset();
    TGraphicsObject::Changed();
}

void TFont::SetName(const std::string& value) {
    if (value == name_) return;
    name_ = value;
    Changed();
}

void TFont::SetHeight(int value) {
    if (value == height_) return;
    height_ = value;
    Changed();
}

int TFont::Size() const { return -MulDiv(height_, 72, pixelsPerInch_); }

void TFont::SetSize(int points) { SetHeight(-MulDiv(points, pixelsPerInch_, 72)); }

void TFont::SetPixelsPerInch(int value) {
    if (value <= 0 || value == pixelsPerInch_) return;
    const int points = Size();
    pixelsPerInch_ = value;
    SetSize(points);
}

void TFont::SetStyle(TFontStyles value) {
    if (value == style_) return;
    style_ = value;
    if (style_.Contains(fsBold) && weight_ < FW_BOLD) weight_ = FW_BOLD;
    if (!style_.Contains(fsBold) && weight_ >= FW_BOLD) weight_ = FW_NORMAL;
    Changed();
}

void TFont::SetColor(TColor value) {
    if (value == color_) return;
    color_ = value;
    TGraphicsObject::Changed();  // the typeface itself stays
}

void TFont::SetCharset(TFontCharset value) {
    if (value == charset_) return;
    charset_ = value;
    Changed();
}

void TFont::SetPitch(TFontPitch value) {
    if (value == pitch_) return;
    pitch_ = value;
    Changed();
}

void TFont::SetOrientation(int tenthsOfDegree) {
    if (tenthsOfDegree == escapement_ && tenthsOfDegree == orientation_) return;
    escapement_ = tenthsOfDegree;
    orientation_ = tenthsOfDegree;
    Changed();
}

TLogFont TFont::LogFont() const {
    TLogFont lf;
    lf.lfHeight = height_;
    lf.lfWidth = width_;
    lf.lfEscapement = escapement_;
    lf.lfOrientation = orientation_;
    lf.lfWeight = weight_;
    lf.lfItalic = style_.Contains(fsItalic);
    lf.lfUnderline = style_.Contains(fsUnderline);
    lf.lfStrikeOut = style_.Contains(fsStrikeOut);
    lf.lfCharSet = charset_;
    lf.lfPitchAndFamily = pitch_ == fpFixed      ? FIXED_PITCH
                          : pitch_ == fpVariable ? VARIABLE_PITCH
                                                 : DEFAULT_PITCH;
    lf.lfFaceName = name_;
    return lf;
}

void TFont::SetLogFont(const TLogFont& font) {
    height_ = font.lfHeight;
    width_ = font.lfWidth;
    escapement_ = font.lfEscapement;
    orientation_ = font.lfOrientation;
    weight_ = font.lfWeight <= 0 ? FW_NORMAL : font.lfWeight;
    TFontStyles style;
    if (weight_ >= FW_BOLD) style.Include(fsBold);
    if (font.lfItalic) style.Include(fsItalic);
    if (font.lfUnderline) style.Include(fsUnderline);
    if (font.lfStrikeOut) style.Include(fsStrikeOut);
    style_ = style;
    charset_ = font.lfCharSet;
    switch (font.lfPitchAndFamily & 3) {
        case FIXED_PITCH: pitch_ = fpFixed; break;
        case VARIABLE_PITCH: pitch_ = fpVariable; break;
        default: pitch_ = fpDefault; break;
    }
    name_ = font.lfFaceName;
    Changed();
}

void TFont::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TFont*>(source)) {
        if (other == this) return;
        name_ = other->name_;
        // A font taken from a device of another resolution keeps its size in points.
        height_ = other->pixelsPerInch_ == pixelsPerInch_
                      ? other->height_
                      : -MulDiv(other->Size(), pixelsPerInch_, 72);
        style_ = other->style_;
        color_ = other->color_;
        charset_ = other->charset_;
        pitch_ = other->pitch_;
        escapement_ = other->escapement_;
        orientation_ = other->orientation_;
        weight_ = other->weight_;
        width_ = other->width_;
        // The same description shares the toolkit font.
        resource_ = height_ == other->height_ ? other->resource_ : nullptr;
        TGraphicsObject::Changed();
        return;
    }
    TGraphicsObject::Assign(source);
}

int TFontResource::Advance(const std::string& text) const {
    constexpr std::size_t kKept = 4096;
    {
        const std::lock_guard<std::mutex> hold(advancesLock_);
        const auto found = advances_.find(text);
        if (found != advances_.end()) return found->second;
    }
    const int width = QFontMetrics(font).horizontalAdvance(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    const std::lock_guard<std::mutex> hold(advancesLock_);
    if (advances_.size() >= kKept) advances_.clear();
    advances_.emplace(text, width);
    return width;
}

const TFontResource& TFont::Resource() const {
    if (resource_) return *resource_;
    // Fonts described alike share one toolkit font: a canvas that switches between a few fonts
    // (or turns one for rotated text and back) would otherwise load the typeface each time.
    std::string key = name_;
    key += '\0';
    for (const int part :
         {height_, static_cast<int>(weight_), static_cast<int>(pitch_), escapement_,
          style_.Contains(fsBold) ? 1 : 0, style_.Contains(fsItalic) ? 1 : 0,
          style_.Contains(fsUnderline) ? 1 : 0, style_.Contains(fsStrikeOut) ? 1 : 0}) {
        key += std::to_string(part);
        key += ',';
    }
    // Never destroyed: toolkit fonts must not outlive the toolkit at exit.
    static std::mutex& sharedLock = *new std::mutex;
    static auto& shared = *new std::unordered_map<std::string, std::shared_ptr<TFontResource>>;
    {
        const std::lock_guard<std::mutex> hold(sharedLock);
        const auto found = shared.find(key);
        if (found != shared.end()) {
            resource_ = found->second;
            return *resource_;
        }
    }
    auto resource = std::make_shared<TFontResource>();
    QFont font = BaseFont(name_, weight_, style_, pitch_);
    font.setPixelSize(PixelSizeFor(font, height_));
    resource->font = font;
    const QFontMetricsF metrics(font);
    resource->ascent = static_cast<int>(std::ceil(metrics.ascent() - 0.01));
    resource->descent = static_cast<int>(std::ceil(metrics.descent() - 0.01));
    resource->height = resource->ascent + resource->descent;
    resource->externalLeading = std::max(0, static_cast<int>(std::lround(metrics.leading())));
    resource->aveCharWidth = std::max(1, static_cast<int>(std::lround(metrics.averageCharWidth())));
    resource->underlinePos = std::max(1, static_cast<int>(std::lround(metrics.underlinePos())));
    resource->strikeOutPos = std::max(1, static_cast<int>(std::lround(metrics.strikeOutPos())));
    resource->lineWidth = std::max(1, static_cast<int>(std::lround(metrics.lineWidth())));
    resource->escapement = escapement_;
    {
        constexpr std::size_t kKept = 256;
        const std::lock_guard<std::mutex> hold(sharedLock);
        if (shared.size() >= kKept) shared.clear();
        shared.emplace(std::move(key), resource);
    }
    resource_ = std::move(resource);
    return *resource_;
}

}  // namespace dsp
