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
    w.I32(s.PenColor);
    w.I32(s.PenWidth);
    w.U8(s.PenStyle);
    w.U8(s.PenMode);
    w.I32(s.BrushColor);
    w.U8(s.BrushStyle);
    w.U8(s.BrushPattern ? 1 : 0);
    if (s.BrushPattern) {
        w.I32(s.BrushPattern->Width);
        w.I32(s.BrushPattern->Height);
        w.U8(s.BrushPattern->Monochrome ? 1 : 0);
        for (TColorRef c : s.BrushPattern->Pixels) w.U32(c);
    }
    const TLogFont& f = s.Font;
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
    w.I32(s.FontColor);
    w.U32(s.TextColor);
    w.U8(s.TextNone ? 1 : 0);
    w.U32(s.BkColor);
    w.I32(s.BkMode);
    w.U32(s.TextAlign);
    w.U8(s.PolyFill);
    w.U32(s.CopyMode);
    w.U32(static_cast<std::uint32_t>(s.Clip.size()));
    for (const TRect& r : s.Clip) w.Rect(r);
}

TMetaState ReadState(TReader& r) {
    TMetaState s;
    s.PenColor = r.I32();
    s.PenWidth = r.I32();
    s.PenStyle = static_cast<TPenStyle>(r.Enum(psAlternate));
    s.PenMode = static_cast<TPenMode>(r.Enum(pmNotXor));
    s.BrushColor = r.I32();
    s.BrushStyle = static_cast<TBrushStyle>(r.Enum(bsDiagCross));
    if (r.Enum(1)) {
        auto p = std::make_shared<TBrushPattern>();
        p->Width = r.I32();
        p->Height = r.I32();
        if (p->Width <= 0 || p->Height <= 0 || p->Width > 64 || p->Height > 64) Bad();
        p->Monochrome = r.Enum(1) != 0;
        r.Need(static_cast<std::size_t>(p->Width * p->Height) * 4);
        for (int i = 0; i < p->Width * p->Height; ++i) p->Pixels.push_back(r.U32());
        s.BrushPattern = std::move(p);
    }
    TLogFont& f = s.Font;
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
    s.FontColor = r.I32();
    s.TextColor = r.U32();
    s.TextNone = r.Enum(1) != 0;
    s.BkColor = r.U32();
    s.BkMode = r.I32();
    s.TextAlign = r.U32();
    const unsigned fill = r.U8();
    if (fill != ALTERNATE && fill != WINDING) Bad();
    s.PolyFill = static_cast<TPolyFillMode>(fill);
    s.CopyMode = r.U32();
    const std::size_t clips = r.Count(16);
    for (std::size_t i = 0; i < clips; ++i) s.Clip.push_back(r.Rect());
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
    w.I32(data.Width);
    w.I32(data.Height);
    w.U32(static_cast<std::uint32_t>(data.States.size()));
    for (const TMetaState& s : data.States) WriteState(w, s);
    w.U32(static_cast<std::uint32_t>(data.Records.size()));
    for (const TMetaRecord& r : data.Records) {
        w.U8(static_cast<unsigned>(r.Op));
        w.I32(r.State);
        w.Rect(r.R);
        w.U32(static_cast<std::uint32_t>(r.Points.size()));
        for (TPoint p : r.Points) {
            w.I32(p.X);
            w.I32(p.Y);
        }
        w.U32(static_cast<std::uint32_t>(r.Rects.size()));
        for (const TRect& rect : r.Rects) w.Rect(rect);
        w.I32(r.A);
        w.I32(r.B);
        w.U32(r.Flags);
        w.I32(r.Color1);
        w.I32(r.Color2);
        w.Str(r.Text);
        w.Image(r.Image);
        w.U8(r.ImageMonochrome ? 1 : 0);
        w.U32(r.ImageBkColor);
        w.Image(r.Mask);
        w.Bytes(r.Graphic ? r.Graphic->SaveToBytes() : std::vector<std::uint8_t>{});
        w.U8(r.Graphic && r.Graphic->Transparent() ? 1 : 0);
    }
    return std::move(w.bytes);
}

TDecodedMetafile DecodeMetafile(const std::vector<std::uint8_t>& bytes) {
    if (!IsMetafileData(bytes)) Bad();
    std::vector<std::uint8_t> body(bytes.begin() + sizeof kSignature, bytes.end());
    TReader r(body);
    TDecodedMetafile result;
    result.CreatedBy = r.Str();
    result.Description = r.Str();
    auto data = std::make_shared<TMetafileData>();
    data->Width = r.I32();
    data->Height = r.I32();
    if (data->Width <= 0 || data->Height <= 0 || data->Width > kMaxImageSide ||
        data->Height > kMaxImageSide)
        Bad();
    const std::size_t states = r.Count(64);
    for (std::size_t i = 0; i < states; ++i) data->States.push_back(ReadState(r));
    const std::size_t records = r.Count(32);
    for (std::size_t i = 0; i < records; ++i) {
        TMetaRecord rec;
        rec.Op = static_cast<TMetaOp>(r.Enum(static_cast<unsigned>(TMetaOp::Graphic)));
        rec.State = r.I32();
        if (rec.State < 0 || static_cast<std::size_t>(rec.State) >= data->States.size()) Bad();
        rec.R = r.Rect();
        const std::size_t points = r.Count(8);
        for (std::size_t k = 0; k < points; ++k) {
            const int x = r.I32();
            rec.Points.push_back({x, r.I32()});
        }
        if (rec.Points.size() < PointsNeeded(rec.Op)) Bad();
        const std::size_t rects = r.Count(16);
        for (std::size_t k = 0; k < rects; ++k) rec.Rects.push_back(r.Rect());
        rec.A = r.I32();
        rec.B = r.I32();
        rec.Flags = r.U32();
        rec.Color1 = r.I32();
        rec.Color2 = r.I32();
        rec.Text = r.Str();
        rec.Image = r.Image();
        rec.ImageMonochrome = r.Enum(1) != 0;
        rec.ImageBkColor = r.U32();
        rec.Mask = r.Image();
        const std::vector<std::uint8_t> graphic = r.Bytes();
        const bool transparent = r.Enum(1) != 0;
        if (!graphic.empty()) {
            TPicture picture;
            picture.LoadFromBytes(graphic);
            if (picture.Graphic() == nullptr) Bad();
            std::shared_ptr<TGraphic> copy = picture.Graphic()->CreateNew();
            copy->Assign(picture.Graphic());
            copy->SetTransparent(transparent);
            rec.Graphic = std::move(copy);
        }
        if (rec.Op == TMetaOp::Graphic && !rec.Graphic) Bad();
        data->Records.push_back(std::move(rec));
    }
    if (r.Left() != 0) Bad();
    result.Data = std::move(data);
    return result;
}

}  // namespace dsp
