#pragma once
// The RS232 code viewers: a scrolling white page with the document of the processor's serial
// control codes (a rich-text column and ten pictures of code tables), in English
// (fmRs232CodeEnglish) and in Chinese (fmRs232Code). The column stays centred as the window
// widens; the keys and the mouse wheel scroll; closing puts the window back to 755 x 666, not
// maximised, for its next showing.

#include <array>

#include "framework/controls/ControlTypes.h"
#include "framework/controls/Form.h"

namespace dsp {

class TAdvOfficeImage;
class TRTFLabel;
struct TRs232Document;

class TRs232CodeViewer : public TForm {
public:
    // How far a key or a wheel notch scrolls.
    static constexpr int kScrollStep = 30;
    // The size the window takes back when it closes.
    static constexpr int kClosedWidth = 755;
    static constexpr int kClosedHeight = 666;

    TRs232CodeViewer(TComponent* owner, const char* name, const TRs232Document& document);
    ~TRs232CodeViewer() override;

    // The column's left edge for a window of this outer width: 50 below 750, else centred.
    static int ColumnLeft(int outerWidth);

    void FormResize(TObject* sender);
    void FormKeyDown(TObject* sender, TKeyCode& key, TShiftState shift);
    void FormMouseWheelUp(TObject* sender, TShiftState shift, TPoint mousePos, bool& handled);
    void FormMouseWheelDown(TObject* sender, TShiftState shift, TPoint mousePos, bool& handled);
    void FormClose(TObject* sender, TCloseAction& action);
    void FormShow(TObject* sender);

    TRTFLabel* RTFLabel = nullptr;
    std::array<TAdvOfficeImage*, 10> AdvOfficeImage{};

private:
    void ScrollVertically(int delta);
    void ScrollHorizontally(int delta);
};

// The Chinese document.
class TfmRs232Code : public TRs232CodeViewer {
public:
    explicit TfmRs232Code(TComponent* owner);
};

// The English document.
class TfmRs232CodeEnglish : public TRs232CodeViewer {
public:
    explicit TfmRs232CodeEnglish(TComponent* owner);
};

extern TfmRs232Code* fmRs232Code;
extern TfmRs232CodeEnglish* fmRs232CodeEnglish;

}  // namespace dsp
