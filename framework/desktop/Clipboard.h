#pragma once
// The clipboard: text, pictures (bitmaps, metafiles, JPEG and PNG images) and blocks of bytes
// under formats the program registers by name. Each Set call replaces what the clipboard held,
// unless it comes between Open and Close, which put everything set meanwhile on the clipboard
// together. UI thread only. Where the host offers no clipboard shared with other programs (the
// headless platform) the clipboard still works within the program.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/Object.h"

namespace dsp {

using TClipboardFormat = unsigned;

constexpr TClipboardFormat CF_TEXT = 1;
constexpr TClipboardFormat CF_BITMAP = 2;
constexpr TClipboardFormat CF_DIB = 8;
constexpr TClipboardFormat CF_UNICODETEXT = 13;
constexpr TClipboardFormat CF_ENHMETAFILE = 14;
// A picture kept as its file (JPEG, PNG) beside the bitmap every picture also gives.
constexpr TClipboardFormat CF_PICTUREFILE = 0xBF00;

// The number of the format of that name (compared without case), the same for the program's
// whole life; registered formats count from 0xC000.
TClipboardFormat RegisterClipboardFormat(const std::string& name);
// The registered name of a format; empty for the standard formats and unknown numbers.
std::string ClipboardFormatName(TClipboardFormat format);

class TClipboard : public TPersistent {
public:
    TClipboard();
    ~TClipboard() override;

    void Open();
    void Close();
    void Clear();

    bool HasFormat(TClipboardFormat format) const;

    std::string AsText() const;
    void SetAsText(const std::string& text);

    // The block of bytes under a format (a registered one, or CF_PICTUREFILE).
    void SetAsBytes(TClipboardFormat format, const std::vector<std::uint8_t>& data);
    // False when the clipboard holds nothing under the format.
    bool GetAsBytes(TClipboardFormat format, std::vector<std::uint8_t>& data) const;

    // Puts a picture on the clipboard: a TBitmap, a TMetafile (with a bitmap of it for other
    // programs), any other picture (its file and a bitmap of it), or a TPicture's picture.
    void Assign(TPersistent* source) override;

    struct Impl;

protected:
    // Takes the clipboard's picture into a TBitmap, a TMetafile or a TPicture (the metafile if
    // there is one, else the picture file, else the bitmap).
    void AssignTo(TPersistent* dest) override;

private:
    std::unique_ptr<Impl> impl_;
};

// The program's clipboard.
TClipboard* Clipboard();

}  // namespace dsp
