#include "dialogs/FAbout.h"

#include "dialogs/DialogLook.h"
#include "dialogs/MainWindowServices.h"
#include "framework/controls/FormBuilder.h"
#include "framework/controls/Label.h"
#include "framework/graphics/Font.h"
#include "widgets/panels/RzBmpBtn.h"

namespace dsp {

TfmAbout* fmAbout = nullptr;

namespace {
constexpr int kWidth = 399;
constexpr int kHeight = 119;
constexpr int kTextLeft = 14;
}  // namespace

TfmAbout::TfmAbout(TComponent* owner) : TForm(owner) {
    using namespace dialoglook;
    TFormBuilder build(*this);
    SetName("fmAbout");
    SetUpDialog(*this, kWidth, kHeight);
    SetCaption("About");
    imBackground = AddBackground(build, *this, "ABOUT_BACKGROUND");
    ProductName =
        AddText(build, "ProductName", this, kTextLeft, 12, kWidth - 2 * kTextLeft, 22,
                "Product Name : WQJ DSP Processor Editor", 16, true, taLeftJustify, kHeading);
    Version = AddText(build, "Version", this, kTextLeft, 38, kWidth - 2 * kTextLeft, 22,
                      "Version : V1.0", 16, true, taLeftJustify, kHeading);
    // Arial: the product's line in 16 pixels needs a narrow face to fit the dialog's width.
    ProductName->Font()->SetName("Arial");
    Version->Font()->SetName("Arial");
    btnOK = AddButton(build, "btnOK", this, kWidth - 94, kHeight - 36, "OK");
    build.Handle(OnShow, this, &TfmAbout::FormShow);
    build.Handle(btnOK->OnClick, this, &TfmAbout::btnOKClick);
    build.Finish();
}

TfmAbout::~TfmAbout() {
    if (fmAbout == this) fmAbout = nullptr;
}

void TfmAbout::FormShow(TObject*) {
    if (IMainWindowServices* main = MainWindowServices()) SetCaption(main->GetText("SID_ABOUT"));
}

void TfmAbout::btnOKClick(TObject*) { Close(); }

}  // namespace dsp
