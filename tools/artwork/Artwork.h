#pragma once
// The artwork generator: every picture the program shows, drawn with the framework's canvas and
// written as the file the program embeds as a resource (cmake/DspResources.cmake). Drawing is
// deterministic: the same program writes the same bytes on every run.
//
// Each family of pictures (bitmap buttons, plot toolbar glyphs, dialog backgrounds, ...) lives in
// a source file of its own that lists its pictures in a function declared below; AllPictures
// joins the families in a fixed order. To add a picture, add an entry to its family's list; to
// add a family, add its source file, its function here and one line to AllPictures.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/Bitmap.h"

namespace dsp::artwork {

// The file a picture is written as: a BMP file (an RT_BITMAP resource: 16 colours when the
// drawing sets pf4bit, else 24 bits), or a PNG or JPEG file (RT_RCDATA resources).
enum class TFileKind { Bitmap, Png, Jpeg };

struct TPictureDef {
    // The resource name the program loads the picture by, in capitals ("BTN_PAGE", "#101").
    std::string name;
    TFileKind kind = TFileKind::Bitmap;
    // Draws the picture.
    std::function<std::unique_ptr<TBitmap>()> draw;
    int jpegQuality = 90;
    // Draws and encodes the file itself, for pictures the canvas cannot draw (per-pixel alpha,
    // drawn with the anti-aliased layer); when set, draw is not used.
    std::function<std::vector<std::uint8_t>()> encode = nullptr;
};

// The families.
std::vector<TPictureDef> PlotToolbarPictures();
std::vector<TPictureDef> DialogPictures();
std::vector<TPictureDef> SplashPictures();
std::vector<TPictureDef> FaderPictures();
std::vector<TPictureDef> PanelButtonPictures();
std::vector<TPictureDef> MainWindowPictures();
std::vector<TPictureDef> SessionPictures();
std::vector<TPictureDef> OperationPictures();
std::vector<TPictureDef> ChannelDialogPictures();
std::vector<TPictureDef> Rs232CodePictures();
std::vector<TPictureDef> PlotOpcPictures();

// Every picture, family after family. A resource name used twice raises Exception when the
// list is first asked for.
const std::vector<TPictureDef>& AllPictures();

// "btn_page.bmp": the name in small letters ("#" becomes "id") and the kind's extension.
std::string FileNameOf(const TPictureDef& picture);
int ResourceTypeOf(TFileKind kind);
// The picture drawn and encoded as its file.
std::vector<std::uint8_t> RenderFile(const TPictureDef& picture);

// Writes every picture into the folder and lists them in resources.txt ("<name> <BITMAP or
// RCDATA> <file>"); returns the number of pictures. Exception when a file cannot be written.
int WriteArtwork(const std::string& folder);

}  // namespace dsp::artwork
