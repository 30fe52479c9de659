// The file form of a recording: a signature, the maker's texts, the picture size, the drawing
// states and the records, little-endian. Reading checks every count, index and size against
// what the data holds, so damaged data fails with EInvalidGraphic instead of drawing nonsense.

#include <algorithm>
#include <cstring>

#include "framework/desktop/MetafileData.h"
#include "framework/graphics/Picture.h"

namespace dsp {

namespace {

constexpr char kSignature[8] = {'D', 'S', 'P', 'M', 'E', 'T', 'A', '1'};
constexpr int kMaxImageSide = 1 << 14;

class TWriter {
public:
    void U8(unsigned v) { bytes.push_back(static_cast<std::uint8_t>(v)); }
    void U32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
    void I32(int v) { U32(static_cast<std::uint32_t>(v)); }
    void Str(const std::string& s) {
        U32(static_cast<std::uint32_t>(s.size()));
        bytes.insert(bytes.end(), s.begin(), s.end());
    }
    void Bytes(const std::vector<std::uint8_t>& b) {
        U32(static_cast<std::uint32_t>(b.size()));
        bytes.insert(bytes.end(), b.begin(), b.end());
    }
    void Rect(const TRect& r) {
        I32(r.Left);
        I32(r.Top);
        I32(r.Right);
        I32(r.Bottom);
    }
    void Image(const std::shared_ptr<const QImage>& image) {
        if (!image || image->isNull()) {
            I32(0);
            I32(0);
            return;
        }
        I32(image->width());
        I32(image->height());
        for (int y = 0; y < image->height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(image->constScanLine(y));
            for (int x = 0; x < image->width(); ++x) U32(line[x] & 0xFFFFFFu);
        }
    }

    std::vector<std::uint8_t> bytes;
};

[[noreturn]] void Bad() { throw EInvalidGraphic("Invalid metafile data"); }

class TReader {
public:
    explicit TReader(const std::vector<std::uint8_t>& data) : data_(data) {}

    std::size_t Left() const { return data_.size() - pos_; }
    void Need(std::size_t n) const {
        if (n > Left()) Bad();
    }
    unsigned U8() {
        Need(1);
        return data_[pos_++];
    }
    std::uint32_t U32() {
        Need(4);
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(data_[pos_++]) << (8 * i);
        return v;
    }
    int I32() { return static_cast<int>(U32()); }
    // A count of items of at least minSize bytes each, which the data must be able to hold.
    std::size_t Count(std::size_t minSize) {
        const std::size_t n = U32();
        if (minSize > 0 && n > Left() / minSize) Bad();
        return n;
    }
    std::string Str() {
        const std::size_t n = Count(1);
        std::string s(reinterpret_cast<const char*>(data_.data() + pos_), n);
        pos_ += n;
        return s;
    }
    std::vector<std::uint8_t> Bytes() {
        const std::size_t n = Count(1);
        std::vector<std::uint8_t> b(data_.begin() + static_cast<std::ptrdiff_t>(pos_),
                                    data_.begin() + static_cast<std::ptrdiff_t>(pos_ + n));
        pos_ += n;
        return b;
    }
    TRect Rect() {
        TRect r;
        r.Left = I32();
        r.Top = I32();
        r.Right = I32();
        r.Bottom = I32();
        return r;
    }
    unsigned Enum(unsigned last) {
        const unsigned v = U8();
        if (v > last) Bad();
        return v;
    }
    std::shared_ptr<const QImage> Image() {
        const int w = I32();
        const int h = I32();
        if (w == 0 && h == 0) return nullptr;
        if (w <= 0 || h <= 0 || w > kMaxImageSide || h > kMaxImageSide) Bad();
        Need(static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 4);
        QImage image(w, h, QImage::Format_RGB32);
        for (int y = 0; y < h; ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < w; ++x) line[x] = 0xFF000000u | (U32() & 0xFFFFFFu);
        }
        return std::make_shared<const QImage>(std::move(image));
    }

private:
    const std::vector<std::uint8_t>& data_;
    std::size_t pos_ = 0;
};

void WriteState(TWriter& w, const TMetaState& s) {
    w.I32(s.penColor);
    w.I32(s.penWidth);
    w.U8(s.penStyle);
    w.U8(s.penMode);
    w.I32(s.brushColor);
    w.U8(s.brushStyle);
    w.U8(s.brushPattern ? 1 : 0);
    if (s.brushPattern) {
        w.I32(s.brushPattern->width);
        w.I32(s.brushPattern->height);
        w.U8(s.brushPattern->monochrome ? 1 : 0);
        for (TColorRef c : s.brushPattern->pixels) w.U32(c);
    }
    const TLogFont& f = s.font;
    w.I32(f.lfHeight);
    w.I32(f.lfWidth);
    w.I32(f.lfEscapement);
    w.I32(f.lfOrientation);
    w.I32(f.lfWeight);
    w.U8((f.lfItalic ? 1 : 0) | (f.lfUnderline ? 2 : 0) | (f.lfStrikeOut ? 4 : 0));
    w.U8(f.lfCharSet);
    w.U8(f.lfOutPrecision);
    w.U8(f.lfClipPrecision);
    w.U8(f.lfQuality);
    w.U8(f.lfPitchAndFamily);
    w.Str(f.lfFaceName);
    w.I32(s.fontColor);
    w.U32(s.textColor);
    w.U8(s.textNone ? 1 : 0);
    w.U32(s.bkColor);
    w.I32(s.bkMode);
    w.U32(s.textAlign);
    w.U8(s.polyFill);
    w.U32(s.copyMode);
    w.U32(static_cast<std::uint32_t>(s.clip.size()));
    for (const TRect& r : s.clip) w.Rect(r);
}

TMetaState ReadState(TReader& r) {
    TMetaState s;
    s.penColor = r.I32();
    s.penWidth = r.I32();
    s.penStyle = static_cast<TPenStyle>(r.Enum(psAlternate));
    s.penMode = static_cast<TPenMode>(r.Enum(pmNotXor));
    s.brushColor = r.I32();
    s.brushStyle = static_cast<TBrushStyle>(r.Enum(bsDiagCross));
    if (r.Enum(1)) {
        auto p = std::make_shared<TBrushPattern>();
        p->width = r.I32();
        p->height = r.I32();
        if (p->width <= 0 || p->height <= 0 || p->width > 64 || p->height > 64) Bad();
        p->monochrome = r.Enum(1) != 0;
        r.Need(static_cast<std::size_t>(p->width * p->height) * 4);
        for (int i = 0; i < p->width * p->height; ++i) p->pixels.push_back(r.U32());
        s.brushPattern = std::move(p);
    }
    TLogFont& f = s.font;
    f.lfHeight = r.I32();
    f.lfWidth = r.I32();
    f.lfEscapement = r.I32();
    f.lfOrientation = r.I32();
    f.lfWeight = r.I32();
    const unsigned flags = r.U8();
    f.lfItalic = flags & 1;
    f.lfUnderline = flags & 2;
    f.lfStrikeOut = flags & 4;
    f.lfCharSet = static_cast<TFontCharset>(r.U8());
    f.lfOutPrecision = static_cast<std::uint8_t>(r.U8());
    f.lfClipPrecision = static_cast<std::uint8_t>(r.U8());
    f.lfQuality = static_cast<std::uint8_t>(r.U8());
    f.lfPitchAndFamily = static_cast<std::uint8_t>(r.U8());
    f.lfFaceName = r.Str();
    s.fontColor = r.I32();
    s.textColor = r.U32();
    s.textNone = r.Enum(1) != 0;
    s.bkColor = r.U32();
    s.bkMode = r.I32();
    s.textAlign = r.U32();
    const unsigned fill = r.U8();
    if (fill != ALTERNATE && fill != WINDING) Bad();
    s.polyFill = static_cast<TPolyFillMode>(fill);
    s.copyMode = r.U32();
    const std::size_t clips = r.Count(16);
    for (std::size_t i = 0; i < clips; ++i) s.clip.push_back(r.Rect());
    return s;
}

// How many points a record of each kind must carry.
std::size_t PointsNeeded(TMetaOp op) {
    switch (op) {
        case TMetaOp::Line: return 2;
        case TMetaOp::Pixel:
        case TMetaOp::TextOut:
        case TMetaOp::TextRect: return 1;
        default: return 0;
    }
}

}  // namespace

bool IsMetafileData(const std::vector<std::uint8_t>& bytes) {
    return bytes.size() >= sizeof kSignature &&
           std::memcmp(bytes.data(), kSignature, sizeof kSignature) == 0;
}

std::vector<std::uint8_t> EncodeMetafile(const TMetafileData& data, const std::string& createdBy,
                                         const std::string& description) {
    TWriter w;
    w.bytes.assign(std::begin(kSignature), std::end(kSignature));
    w.Str(createdBy);
    w.Str(description);
    w.I32(data.width);
    w.I32(data.height);
    w.U32(static_cast<std::uint32_t>(data.states.size()));
    for (const TMetaState& s : data.states) WriteState(w, s);
    w.U32(static_cast<std::uint32_t>(data.records.size()));
    for (const TMetaRecord& r : data.records) {
        w.U8(static_cast<unsigned>(r.op));
        w.I32(r.state);
        w.Rect(r.r);
        w.U32(static_cast<std::uint32_t>(r.points.size()));
        for (TPoint p : r.points) {
            w.I32(p.X);
            w.I32(p.Y);
        }
        w.U32(static_cast<std::uint32_t>(r.rects.size()));
        for (const TRect& rect : r.rects) w.Rect(rect);
        w.I32(r.a);
        w.I32(r.b);
        w.U32(r.flags);
        w.I32(r.color1);
        w.I32(r.color2);
        w.Str(r.text);
        w.Image(r.image);
        w.U8(r.imageMonochrome ? 1 : 0);
        w.U32(r.imageBkColor);
        w.Image(r.mask);
        w.Bytes(r.graphic ? r.graphic->SaveToBytes() : std::vector<std::uint8_t>{});
        w.U8(r.graphic && r.graphic->Transparent() ? 1 : 0);
    }
    return std::move(w.bytes);
}

TDecodedMetafile DecodeMetafile(const std::vector<std::uint8_t>& bytes) {
    if (!IsMetafileData(bytes)) Bad();
    std::vector<std::uint8_t> body(bytes.begin() + sizeof kSignature, bytes.end());
    TReader r(body);
    TDecodedMetafile result;
    result.createdBy = r.Str();
    result.description = r.Str();
    auto data = std::make_shared<TMetafileData>();
    data->width = r.I32();
    data->height = r.I32();
    if (data->width <= 0 || data->height <= 0 || data->width > kMaxImageSide ||
        data->height > kMaxImageSide)
        Bad();
    const std::size_t states = r.Count(64);
    for (std::size_t i = 0; i < states; ++i) data->states.push_back(ReadState(r));
    const std::size_t records = r.Count(32);
    for (std::size_t i = 0; i < records; ++i) {
        TMetaRecord rec;
        rec.op = static_cast<TMetaOp>(r.Enum(static_cast<unsigned>(TMetaOp::Graphic)));
        rec.state = r.I32();
        if (rec.state < 0 || static_cast<std::size_t>(rec.state) >= data->states.size()) Bad();
        rec.r = r.Rect();
        const std::size_t points = r.Count(8);
        for (std::size_t k = 0; k < points; ++k) {
            const int x = r.I32();
            rec.points.push_back({x, r.I32()});
        }
        if (rec.points.size() < PointsNeeded(rec.op)) Bad();
        const std::size_t rects = r.Count(16);
        for (std::size_t k = 0; k < rects; ++k) rec.rects.push_back(r.Rect());
        rec.a = r.I32();
        rec.b = r.I32();
        rec.flags = r.U32();
        rec.color1 = r.I32();
        rec.color2 = r.I32();
        rec.text = r.Str();
        rec.image = r.Image();
        rec.imageMonochrome = r.Enum(1) != 0;
        rec.imageBkColor = r.U32();
        rec.mask = r.Image();
        const std::vector<std::uint8_t> graphic = r.Bytes();
        const bool transparent = r.Enum(1) != 0;
        if (!graphic.empty()) {
            TPicture picture;
            picture.LoadFromBytes(graphic);
            if (picture.Graphic() == nullptr) Bad();
            std::shared_ptr<TGraphic> copy = picture.Graphic()->CreateNew();
            copy->Assign(picture.Graphic());
            copy->SetTransparent(transparent);
            rec.graphic = std::move(copy);
        }
        if (rec.op == TMetaOp::Graphic && !rec.graphic) Bad();
        data->records.push_back(std::move(rec));
    }
    if (r.Left() != 0) Bad();
    result.data = std::move(data);
    return result;
}

}  // namespace dsp
