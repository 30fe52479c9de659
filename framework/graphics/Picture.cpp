#include "framework/graphics/Picture.h"

#include <algorithm>
#include <cctype>

#include "framework/graphics/JpegImage.h"
#include "framework/graphics/PngImage.h"

namespace dsp {

namespace {

struct FileFormat {
    std::string extension;  // lower case, without the dot
    std::string description;
    TPicture::TGraphicFactory factory;
    TPicture::TSignatureTest signature;
};

bool StartsWith(const std::vector<std::uint8_t>& data, std::initializer_list<std::uint8_t> prefix) {
    return data.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), data.begin());
}

std::vector<FileFormat>& Formats() {
    static std::vector<FileFormat> formats = [] {
        std::vector<FileFormat> f;
        auto bmp = [] { return std::unique_ptr<TGraphic>(std::make_unique<TBitmap>()); };
        auto jpg = [] { return std::unique_ptr<TGraphic>(std::make_unique<TJPEGImage>()); };
        auto png = [] { return std::unique_ptr<TGraphic>(std::make_unique<TPngImage>()); };
        auto isBmp = [](const std::vector<std::uint8_t>& d) { return StartsWith(d, {'B', 'M'}); };
        auto isJpg = [](const std::vector<std::uint8_t>& d) { return StartsWith(d, {0xFF, 0xD8}); };
        auto isPng = [](const std::vector<std::uint8_t>& d) {
            return StartsWith(d, {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A});
        };
        f.push_back({"bmp", "Bitmaps", bmp, isBmp});
        f.push_back({"jpg", "JPEG Image File", jpg, isJpg});
        f.push_back({"jpeg", "JPEG Image File", jpg, isJpg});
        f.push_back({"png", "Portable Network Graphics", png, isPng});
        return f;
    }();
    return formats;
}

std::string ExtensionOf(const std::string& fileName) {
    const auto dot = fileName.rfind('.');
    const auto slash = fileName.find_last_of("/\\");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string ext = fileName.substr(dot + 1);
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

}  // namespace

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::RegisterFileFormat(const std::string& extension, const std::string& description,
                                  TGraphicFactory factory, TSignatureTest signature) {
    std::string ext = extension;
    if (!ext.empty() && ext.front() == '.') ext.erase(0, 1);
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    auto& formats = Formats();
    formats.erase(std::remove_if(formats.begin(), formats.end(),
                                 [&](const FileFormat& f) { return f.extension == ext; }),
                  formats.end());
    formats.push_back({ext, description, std::move(factory), std::move(signature)});
}

void TPicture::Changed() {
    if (OnChange) OnChange(this);
}

void TPicture::Take(std::unique_ptr<TGraphic> graphic) {
    graphic_ = std::move(graphic);
    if (graphic_) graphic_->OnChange = [this](TObject*) { Changed(); };
    Changed();
}

void TPicture::SetGraphic(TGraphic* value) {
    if (value == graphic_.get()) return;
    if (value == nullptr) {
        Take(nullptr);
        return;
    }
    std::unique_ptr<TGraphic> copy = value->CreateNew();
    copy->Assign(value);
    Take(std::move(copy));
}

TBitmap* TPicture::Bitmap() {
    if (auto* bitmap = dynamic_cast<TBitmap*>(graphic_.get())) return bitmap;
    Take(std::make_unique<TBitmap>());
    return static_cast<TBitmap*>(graphic_.get());
}

void TPicture::LoadFromFile(const std::string& fileName) {
    const std::string ext = ExtensionOf(fileName);
    for (const FileFormat& f : Formats()) {
        if (f.extension != ext) continue;
        std::unique_ptr<TGraphic> graphic = f.factory();
        graphic->LoadFromFile(fileName);
        Take(std::move(graphic));
        return;
    }
    throw EInvalidGraphic("Unknown picture file extension (." + ext + ")");
}

void TPicture::SaveToFile(const std::string& fileName) const {
    if (graphic_) graphic_->SaveToFile(fileName);
}

void TPicture::LoadFromResourceName(HINSTANCE instance, const std::string& name) {
    const TResourceEntry* entry = FindResource(instance, name, RT_BITMAP);
    if (entry == nullptr) entry = FindResource(instance, name, RT_RCDATA);
    if (entry == nullptr) throw EResNotFound("Resource " + name + " not found");
    LoadFromBytes({entry->data, entry->data + entry->size});
}

void TPicture::LoadFromBytes(const std::vector<std::uint8_t>& data) {
    for (const FileFormat& f : Formats()) {
        if (!f.signature || !f.signature(data)) continue;
        std::unique_ptr<TGraphic> graphic = f.factory();
        graphic->LoadFromBytes(data);
        Take(std::move(graphic));
        return;
    }
    throw EInvalidGraphic("Unknown picture format");
}

void TPicture::Assign(TPersistent* source) {
    if (source == nullptr) {
        SetGraphic(nullptr);
        return;
    }
    if (auto* other = dynamic_cast<TPicture*>(source)) {
        if (other != this) SetGraphic(other->graphic_.get());
        return;
    }
    if (auto* graphic = dynamic_cast<TGraphic*>(source)) {
        SetGraphic(graphic);
        return;
    }
    TPersistent::Assign(source);
}

void TPicture::AssignTo(TPersistent* dest) {
    if (auto* graphic = dynamic_cast<TGraphic*>(dest); graphic && graphic_) {
        graphic->Assign(graphic_.get());
        return;
    }
    TPersistent::AssignTo(dest);
}

}  // namespace dsp
