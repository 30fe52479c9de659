#pragma once
// TRTFLabel: a label that shows rich text (RTF) held in its RichText, read by our own reader
// (RtfReader.h) and laid out in the label's rectangle: paragraphs wrap at its width, runs of
// different sizes share their line's baseline, tabs stop every half inch. The rectangle is
// reckoned in twips, with a margin of one pixel, as a rich-text renderer takes it.
//
// RichText holds the document's bytes as they are in the file (one character per byte).
// RTF() gives the document buffer the label fills its RichText from (ShowRTF), as a
// rich-edit control's lines would; it and the other operations that need the parent's window
// do nothing without one.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/controls/Label.h"
#include "framework/core/TypeInfo.h"
#include "widgets/styled/RtfReader.h"

namespace dsp {

class TStream;

// The bytes of one rich-text document, loaded and saved whole.
class TRichTextBuffer {
public:
    void Clear() { bytes_.clear(); }
    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream) const;
    // EFOpenError-style failures of the file services propagate.
    void LoadFromFile(const std::string& fileName);
    const std::string& Bytes() const { return bytes_; }
    void SetBytes(std::string bytes) { bytes_ = std::move(bytes); }
    bool PlainText() const { return plainText_; }
    void SetPlainText(bool value) { plainText_ = value; }
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value) { wordWrap_ = value; }

private:
    std::string bytes_;
    bool plainText_ = false;
    bool wordWrap_ = false;
};

// The rendering rectangle in twips of the pixel rectangle r at the given resolutions (a 0 counts
// as 96), with a margin of one pixel at its left and top.
TRect RtfTwipsRect(const TRect& r, int dpiX, int dpiY);

// Lays the document out in the twips rectangle and draws it on the canvas (text only, on a
// transparent background); lines that would reach below the rectangle are left out.
void RenderRtf(TCanvas& canvas, const TRtfDocument& document, const TRect& twips, int dpiX,
               int dpiY);

class TRTFLabel : public TCustomLabel {
public:
    explicit TRTFLabel(TComponent* owner);
    ~TRTFLabel() override;

    const std::string& RichText() const { return FRichtext; }
    void SetRichText(const std::string& value) { FRichtext = value; }
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);

    // The document buffer, once the label has a parent: cleared when the parent has its window.
    TRichTextBuffer* RTF();
    // Takes the buffer's document into RichText and repaints (with a parent window only).
    void ShowRTF();
    void BeginUpdate() { ++Fupdatecount; }
    // The outermost EndUpdate shows the buffer's document.
    void EndUpdate();
    void CopyFromRichEdit(TRichTextBuffer* editor);
    void CopyToRichEdit(TRichTextBuffer* editor);
    // Prints the document on the program's printer, page after page, with the caption as the
    // job's title (with a parent window only).
    void Print(const std::string& caption);
    // Draws the document on a canvas over the label's client rectangle.
    void PaintTo(TCanvas& canvas);
    std::string Version() const;
    void SetVersion(const std::string&) {}

    DSP_PUBLISHED(TRTFLabel, TCustomLabel) {
        using P = Published<TRTFLabel>;
        using B = TRTFLabel;
        return {
            P::Property("RichText", &B::RichText, &B::SetRichText),
            P::Property("WordWrap", &B::WordWrap, &B::SetWordWrap).Default(false),
            P::Property("Version", &B::Version, &B::SetVersion).Stored(false),
        };
    }

protected:
    void Paint() override;
    void Loaded() override;
    virtual std::uint32_t GetVersionNr() const;

private:
    bool ParentHasWindow() const;
    void RenderRTF(TCanvas& canvas, const TRect& r);

    std::unique_ptr<TRichTextBuffer> FRichedit;
    std::string FRichtext;
    int Fupdatecount = 0;
    bool FWordWrap = false;
    bool FPainting = false;
};

}  // namespace dsp
