#include "tools/artwork/Artwork.h"

#include <cctype>
#include <set>
#include <string_view>

#include "framework/core/Exceptions.h"
#include "framework/core/Resources.h"
#include "framework/graphics/JpegImage.h"
#include "framework/graphics/PngImage.h"
#include "framework/text/WholeFile.h"

namespace dsp::artwork {

namespace {

std::vector<TPictureDef> JoinFamilies() {
    std::vector<TPictureDef> all;
    for (auto family : {PlotToolbarPictures, DialogPictures, SplashPictures, FaderPictures,
                        PanelButtonPictures, MainWindowPictures, SessionPictures, OperationPictures,
                        ChannelDialogPictures, Rs232CodePictures, PlotOpcPictures}) {
        for (TPictureDef& picture : family()) all.push_back(std::move(picture));
    }
    std::set<std::string> names;
    for (const TPictureDef& picture : all) {
        std::string key = FileNameOf(picture);
        if (!names.insert(key).second) {
            throw Exception("The picture name " + picture.name + " is used twice");
        }
    }
    return all;
}

}  // namespace

const std::vector<TPictureDef>& AllPictures() {
    static const std::vector<TPictureDef> all = JoinFamilies();
    return all;
}

std::string FileNameOf(const TPictureDef& picture) {
    std::string file;
    for (char c : picture.name) {
        if (c == '#') {
            file += "id";
        } else {
            file += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    switch (picture.kind) {
        case TFileKind::Png: return file + ".png";
        case TFileKind::Jpeg: return file + ".jpg";
        default: return file + ".bmp";
    }
}

int ResourceTypeOf(TFileKind kind) { return kind == TFileKind::Bitmap ? RT_BITMAP : RT_RCDATA; }

std::vector<std::uint8_t> RenderFile(const TPictureDef& picture) {
    if (picture.encode) return picture.encode();
    std::unique_ptr<TBitmap> drawn = picture.draw();
    switch (picture.kind) {
        case TFileKind::Png: {
            TPngImage png;
            png.Assign(drawn.get());
            png.SetCompressionLevel(9);
            return png.SaveToBytes();
        }
        case TFileKind::Jpeg: {
            TJPEGImage jpeg;
            jpeg.Assign(drawn.get());
            jpeg.SetCompressionQuality(picture.jpegQuality);
            jpeg.SetProgressiveEncoding(false);
            return jpeg.SaveToBytes();
        }
        default: return drawn->SaveToBytes();
    }
}

namespace {

void WriteOrThrow(const std::string& path, std::string_view bytes) {
    std::string error;
    if (!WriteWholeFile(path, bytes, &error))
        throw Exception("Cannot write " + path + ": " + error);
}

}  // namespace

int WriteArtwork(const std::string& folder) {
    std::string list;
    for (const TPictureDef& picture : AllPictures()) {
        const std::string file = FileNameOf(picture);
        const std::vector<std::uint8_t> bytes = RenderFile(picture);
        WriteOrThrow(folder + "/" + file,
                     std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
        const bool bitmap = ResourceTypeOf(picture.kind) == RT_BITMAP;
        list += picture.name + (bitmap ? " BITMAP " : " RCDATA ") + file + "\n";
    }
    WriteOrThrow(folder + "/resources.txt", list);
    return static_cast<int>(AllPictures().size());
}

}  // namespace dsp::artwork
