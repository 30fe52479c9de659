#include "link/forms/FProcess.h"

#include "framework/controls/FormBuilder.h"
#include "framework/controls/StatusBar.h"
#include "framework/controls/TopLevelWindow.h"
#include "link/forms/SessionWindow.h"
#include "widgets/styled/AdvProgressBar.h"

namespace dsp {

TfmProcess* fmProcess = nullptr;

TfmProcess::TfmProcess(TComponent* owner) : TForm(owner) {
    SetBorderStyle(bsSingle);
    SetBorderIcons({});
    SetPosition(poScreenCenter);
    SetClientSize(454, 95);
    SetColor(clBtnFace);

    TFormBuilder build(*this);
    ProgressBar = build.Add<TAdvProgressBar>("ProgressBar", this, 11, 16, 431, 41);
    ProgressBar->Font()->SetName("Verdana");
    ProgressBar->SetShowBorder(true);
    ProgressBar->SetLevel1Perc(70);
    ProgressBar->SetLevel2Perc(90);
    ProgressBar->SetPosition(0);
    StatusBar = build.Create<TStatusBar>("StatusBar");
    StatusBar->SetParent(this);
    StatusBar->SetSimplePanel(true);
    StatusBar->SetSizeGrip(false);
    build.Handle(OnShow, [this](TObject* sender) { FormShow(sender); });
    build.Finish();
    SetStayOnTop(*this, true);
}

TfmProcess::~TfmProcess() {
    if (fmProcess == this) fmProcess = nullptr;
}

void TfmProcess::FormShow(TObject*) {
    if (ISessionWindow* window = SessionWindow()) SetCaption(window->GetText("SID_PROCESS"));
}

void TfmProcess::SetStatusText(const std::string& text) { StatusBar->SetSimpleText(text); }

const std::string& TfmProcess::StatusText() const { return StatusBar->SimpleText(); }

void TfmProcess::CloseProgress() {
    if (!Visible()) return;
    if (FormState().Contains(fsModal)) {
        Close();
    } else {
        Hide();
    }
}

}  // namespace dsp
