#include "framework/desktop/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

#include <map>

#include "framework/core/FrameworkAccess.h"
#include "framework/desktop/Metafile.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/BitmapQt.h"
#include "framework/graphics/Picture.h"
#include "framework/text/StrUtils.h"

namespace dsp {

namespace {

constexpr TClipboardFormat kFirstRegistered = 0xC000;
const QString kMetafileMime = QStringLiteral("application/x-dsp-metafile");
const QString kJpegMime = QStringLiteral("image/jpeg");
const QString kPngMime = QStringLiteral("image/png");

struct TRegistry {
    std::map<std::string, TClipboardFormat> byName;  // upper-case names
    std::map<TClipboardFormat, std::string> names;   // as first registered
};

TRegistry& Registry() {
    static TRegistry registry;
    return registry;
}

QClipboard* HostClipboard() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) return nullptr;
    return QGuiApplication::clipboard();
}

QString MimeOfRegistered(const std::string& name) {
    return QStringLiteral("application/x-dsp-format; name=\"%1\"")
        .arg(QString::fromStdString(name));
}

// The MIME type of a picture file, by its first bytes; empty for kinds other programs do not know.
QString PictureFileMime(const std::vector<std::uint8_t>& data) {
    if (data.size() >= 2 && data[0] == 0xFF && data[1] == 0xD8) return kJpegMime;
    if (data.size() >= 8 && data[0] == 0x89 && data[1] == 'P' && data[2] == 'N' && data[3] == 'G')
        return kPngMime;
    return {};
}

QByteArray ToBytes(const std::vector<std::uint8_t>& data) {
    return QByteArray(reinterpret_cast<const char*>(data.data()),
                      static_cast<qsizetype>(data.size()));
}

std::vector<std::uint8_t> FromBytes(const QByteArray& bytes) {
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

// A bitmap of any picture: its own conversion where it has one, else drawn on white.
std::unique_ptr<TBitmap> BitmapOf(TGraphic& graphic) {
    auto bitmap = std::make_unique<TBitmap>();
    try {
        bitmap->Assign(&graphic);
        return bitmap;
    } catch (const EConvertError&) {}
    bitmap->SetSize(graphic.Width(), graphic.Height());
    bitmap->Canvas()->StretchDraw(Rect(0, 0, graphic.Width(), graphic.Height()), &graphic);
    return bitmap;
}

}  // namespace

TClipboardFormat RegisterClipboardFormat(const std::string& name) {
    TRegistry& r = Registry();
    const std::string key = UpperCase(name);
    const auto it = r.byName.find(key);
    if (it != r.byName.end()) return it->second;
    const TClipboardFormat format =
        kFirstRegistered + static_cast<TClipboardFormat>(r.byName.size());
    r.byName.emplace(key, format);
    r.names.emplace(format, name);
    return format;
}

std::string ClipboardFormatName(TClipboardFormat format) {
    const auto& names = Registry().names;
    const auto it = names.find(format);
    return it == names.end() ? std::string() : it->second;
}

struct TClipboard::Impl {
    int openCount = 0;
    std::unique_ptr<QMimeData> pending;  // what is being put together between Open and Close

    // Where a Set call writes: the pending data while open, else fresh data that replaces the
    // clipboard's at Commit.
    QMimeData& Target() {
        if (!pending) pending = std::make_unique<QMimeData>();
        return *pending;
    }
    void Commit() {
        if (openCount > 0) return;
        std::unique_ptr<QMimeData> data = std::move(pending);
        if (QClipboard* clipboard = HostClipboard()) clipboard->setMimeData(data.release());
    }
    const QMimeData* Current() const {
        if (pending) return pending.get();
        QClipboard* clipboard = HostClipboard();
        return clipboard ? clipboard->mimeData() : nullptr;
    }
};

TClipboard::TClipboard() : impl_(std::make_unique<Impl>()) {}

TClipboard::~TClipboard() = default;

void TClipboard::Open() {
    if (impl_->openCount++ == 0) impl_->pending = std::make_unique<QMimeData>();
}

void TClipboard::Close() {
    if (impl_->openCount == 0) return;
    if (--impl_->openCount == 0) impl_->Commit();
}

void TClipboard::Clear() {
    if (impl_->openCount > 0) {
        impl_->pending = std::make_unique<QMimeData>();
        return;
    }
    impl_->pending.reset();
    if (QClipboard* clipboard = HostClipboard()) clipboard->clear();
}

bool TClipboard::HasFormat(TClipboardFormat format) const {
    const QMimeData* data = impl_->Current();
    if (data == nullptr) return false;
    switch (format) {
        case CF_TEXT:
        case CF_UNICODETEXT: return data->hasText();
        case CF_BITMAP:
        case CF_DIB: return data->hasImage();
        case CF_ENHMETAFILE: return data->hasFormat(kMetafileMime);
        case CF_PICTUREFILE: return data->hasFormat(kJpegMime) || data->hasFormat(kPngMime);
        default: break;
    }
    const std::string name = ClipboardFormatName(format);
    return !name.empty() && data->hasFormat(MimeOfRegistered(name));
}

std::string TClipboard::AsText() const {
    const QMimeData* data = impl_->Current();
    return data != nullptr && data->hasText() ? data->text().toStdString() : std::string();
}

void TClipboard::SetAsText(const std::string& text) {
    impl_->Target().setText(QString::fromStdString(text));
    impl_->Commit();
}

void TClipboard::SetAsBytes(TClipboardFormat format, const std::vector<std::uint8_t>& data) {
    QString mime;
    if (format == CF_PICTUREFILE) {
        mime = PictureFileMime(data);
    } else if (format == CF_ENHMETAFILE) {
        mime = kMetafileMime;
    } else if (const std::string name = ClipboardFormatName(format); !name.empty()) {
        mime = MimeOfRegistered(name);
    }
    if (mime.isEmpty()) throw EConvertError("The clipboard takes no bytes under this format");
    impl_->Target().setData(mime, ToBytes(data));
    impl_->Commit();
}

bool TClipboard::GetAsBytes(TClipboardFormat format, std::vector<std::uint8_t>& data) const {
    const QMimeData* current = impl_->Current();
    if (current == nullptr) return false;
    QString mime;
    if (format == CF_PICTUREFILE) {
        mime = current->hasFormat(kPngMime) ? kPngMime : kJpegMime;
    } else if (format == CF_ENHMETAFILE) {
        mime = kMetafileMime;
    } else if (const std::string name = ClipboardFormatName(format); !name.empty()) {
        mime = MimeOfRegistered(name);
    }
    if (mime.isEmpty() || !current->hasFormat(mime)) return false;
    data = FromBytes(current->data(mime));
    return true;
}

void TClipboard::Assign(TPersistent* source) {
    if (auto* picture = dynamic_cast<TPicture*>(source)) {
        Assign(picture->Graphic());
        return;
    }
    auto* graphic = dynamic_cast<TGraphic*>(source);
    if (graphic == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    Open();
    try {
        Clear();
        QMimeData& target = impl_->Target();
        if (auto* bitmap = dynamic_cast<TBitmap*>(graphic)) {
            target.setImageData(bitmap->Internal(kFrameworkKey).image);
        } else {
            if (auto* metafile = dynamic_cast<TMetafile*>(graphic)) {
                target.setData(kMetafileMime, ToBytes(metafile->SaveToBytes()));
            } else {
                const std::vector<std::uint8_t> file = graphic->SaveToBytes();
                const QString mime = PictureFileMime(file);
                if (!mime.isEmpty()) target.setData(mime, ToBytes(file));
            }
            if (!graphic->Empty())
                target.setImageData(BitmapOf(*graphic)->Internal(kFrameworkKey).image);
        }
    } catch (...) {
        Close();
        throw;
    }
    Close();
}

void TClipboard::AssignTo(TPersistent* dest) {
    const QMimeData* data = impl_->Current();
    if (auto* metafile = dynamic_cast<TMetafile*>(dest)) {
        if (data != nullptr && data->hasFormat(kMetafileMime)) {
            metafile->LoadFromBytes(FromBytes(data->data(kMetafileMime)));
        } else {
            metafile->Assign(nullptr);
        }
        return;
    }
    if (auto* bitmap = dynamic_cast<TBitmap*>(dest)) {
        if (data != nullptr && data->hasImage()) {
            bitmap->Internal(kFrameworkKey).image = qvariant_cast<QImage>(data->imageData());
            bitmap->PixelsReplaced(kFrameworkKey);
        } else {
            bitmap->Assign(nullptr);
        }
        return;
    }
    if (auto* picture = dynamic_cast<TPicture*>(dest)) {
        std::vector<std::uint8_t> bytes;
        if (GetAsBytes(CF_ENHMETAFILE, bytes) || GetAsBytes(CF_PICTUREFILE, bytes)) {
            picture->LoadFromBytes(bytes);
        } else if (HasFormat(CF_BITMAP)) {
            TBitmap bitmap;
            AssignTo(&bitmap);
            picture->SetGraphic(&bitmap);
        } else {
            picture->SetGraphic(nullptr);
        }
        return;
    }
    TPersistent::AssignTo(dest);
}

TClipboard* Clipboard() {
    static TClipboard clipboard;
    return &clipboard;
}

}  // namespace dsp
