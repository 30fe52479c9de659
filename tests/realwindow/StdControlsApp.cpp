// The application the real-window journeys drive: a main form with a menu and every standard
// control, a modal dialog with a timer running while it shows, and (with the argument "tools") a
// second form that stays open beside the main one. With the argument "single" it runs once per
// user: a later start hands its arguments to the running one, which restores and raises its main
// form, and ends without a window. Every form and named control logs its events (JourneyApp.h).

#include "framework/controls/BitBtn.h"
#include "framework/controls/Button.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/Edit.h"
#include "framework/controls/FormMenu.h"
#include "framework/controls/GroupBox.h"
#include "framework/controls/Image.h"
#include "framework/controls/Label.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/Memo.h"
#include "framework/controls/Menus.h"
#include "framework/controls/PageControl.h"
#include "framework/controls/PaintBox.h"
#include "framework/controls/Panel.h"
#include "framework/controls/PopupBinding.h"
#include "framework/controls/ScrollBox.h"
#include "framework/controls/Shape.h"
#include "framework/controls/SpeedButton.h"
#include "framework/controls/TreeView.h"
#include "framework/controls/UpDown.h"
#include "framework/controls/ValueListEditor.h"
#include "framework/os/SingleInstance.h"
#include "framework/runtime/Application.h"
#include "framework/runtime/Timer.h"
#include "tests/realwindow/JourneyApp.h"

namespace dsp {
namespace {

template <typename T>
T* Add(TCustomForm& form, TWinControl* parent, const std::string& name, int left, int top,
       int width, int height) {
    auto* control = new T(&form);
    control->SetName(name);
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
}

class TfmDialog : public TForm {
public:
    explicit TfmDialog(TComponent* owner) : TForm(owner) {
        SetName("fmDialog");
        SetCaption("Journey Dialog");
        SetBorderStyle(bsDialog);
        SetPosition(poMainFormCenter);
        SetClientSize(300, 120);
        auto* edit = Add<TEdit>(*this, this, "edDialog", 10, 10, 280, 21);
        edit->SetTabOrder(0);
        auto* ok = Add<TButton>(*this, this, "btnOk", 130, 80, 75, 25);
        ok->SetCaption("OK");
        ok->SetModalResult(mrOk);
        ok->SetDefault(true);
        auto* cancel = Add<TButton>(*this, this, "btnCancel", 215, 80, 75, 25);
        cancel->SetCaption("Cancel");
        cancel->SetModalResult(mrCancel);
        cancel->SetCancel(true);
        // A steady timer: the modal loop keeps it running.
        auto* timer = new TTimer(this);
        timer->SetEnabled(false);
        timer->SetInterval(100);
        timer->SetOnTimer([](TObject*) { journey::Log("tmDialog OnTimer"); });
        OnShow = [timer](TObject*) { timer->SetEnabled(true); };
        OnHide = [timer](TObject*) { timer->SetEnabled(false); };
    }
};

class TfmTools : public TForm {
public:
    explicit TfmTools(TComponent* owner) : TForm(owner) {
        SetName("fmTools");
        SetCaption("Journey Tools");
        SetBounds(820, 100, 260, 200);
        SetPosition(poDesigned);
        auto* check = Add<TCheckBox>(*this, this, "chkTool", 10, 10, 150, 17);
        check->SetCaption("Tool option");
    }
};

class TfmMain : public TForm {
public:
    explicit TfmMain(TComponent* owner) : TForm(owner) {
        SetName("fmMain");
        SetCaption("Journey Main");
        SetPosition(poDesigned);
        SetBounds(100, 80, 700, 520);
        BuildMenu();

        auto* label = Add<TLabel>(*this, this, "lblName", 10, 8, 0, 0);
        label->SetCaption("&Name:");
        auto* name = Add<TEdit>(*this, this, "edName", 10, 26, 150, 21);
        label->SetFocusControl(name);
        auto* choice = Add<TComboBox>(*this, this, "cbChoice", 10, 56, 150, 21);
        choice->SetStyle(csDropDownList);
        choice->Items()->SetCommaText("Alpha,Beta,Gamma,Delta");
        choice->SetItemIndex(0);
        auto* option = Add<TCheckBox>(*this, this, "chkOption", 10, 86, 150, 17);
        option->SetCaption("Option");
        auto* mode = Add<TGroupBox>(*this, this, "gbMode", 10, 110, 150, 70);
        mode->SetCaption("Mode");
        auto* magnitude = Add<TRadioButton>(*this, mode, "rbMag", 10, 20, 120, 17);
        magnitude->SetCaption("Magnitude");
        magnitude->SetChecked(true);
        auto* phase = Add<TRadioButton>(*this, mode, "rbPhase", 10, 42, 120, 17);
        phase->SetCaption("Phase");
        auto* count = Add<TEdit>(*this, this, "edCount", 10, 190, 60, 21);
        auto* updown = Add<TUpDown>(*this, this, "udCount", 0, 0, 17, 21);
        updown->SetMax(10);
        updown->SetAssociate(count);
        updown->SetPosition(3);
        auto* dialog = Add<TButton>(*this, this, "btnDialog", 10, 222, 100, 25);
        dialog->SetCaption("&Dialog...");
        dialog->OnClick = [this](TObject*) { ShowDialog(); };
        for (int i = 0; i < 2; ++i) {
            auto* speed = Add<TSpeedButton>(*this, this, i == 0 ? "sbOne" : "sbTwo", 120 + 25 * i,
                                            224, 23, 22);
            speed->SetGroupIndex(1);
            speed->SetCaption(std::to_string(i + 1));
            if (i == 0) speed->SetDown(true);
        }
        auto* apply = Add<TBitBtn>(*this, this, "bbApply", 10, 254, 100, 25);
        apply->SetCaption("Apply");

        auto* items = Add<TListBox>(*this, this, "lbItems", 180, 10, 120, 120);
        items->Items()->SetCommaText("One,Two,Three,Four,Five,Six,Seven,Eight,Nine,Ten");
        auto* notes = Add<TMemo>(*this, this, "mmNotes", 310, 10, 220, 120);
        notes->SetScrollBars(ssVertical);
        auto* tree = Add<TTreeView>(*this, this, "tvTree", 180, 140, 160, 130);
        TTreeNode* root = tree->Items()->Add(nullptr, "Plot");
        tree->Items()->AddChild(root, "Axes");
        tree->Items()->AddChild(root, "Channels");
        tree->FullExpand();

        auto* pages = Add<TPageControl>(*this, this, "pcPages", 350, 140, 330, 190);
        for (const char* caption : {"First", "Second"}) {
            auto* sheet = new TTabSheet(this);
            sheet->SetName(std::string("ts") + caption);
            sheet->SetCaption(caption);
            sheet->SetPageControl(pages);
        }
        Add<TEdit>(*this, pages->Pages(0), "edFirst", 10, 10, 150, 21);
        auto* grid = Add<TValueListEditor>(*this, pages->Pages(1), "vlGrid", 4, 4, 300, 140);
        grid->Strings()->Add("Gain=0 dB");
        grid->Strings()->Add("Delay=1 ms");

        auto* panel = Add<TPanel>(*this, this, "pnlBox", 10, 290, 150, 50);
        panel->SetCaption("Panel");
        auto* shape = Add<TShape>(*this, this, "shpDot", 180, 290, 40, 40);
        shape->SetShape(stCircle);
        shape->Brush()->SetColor(clLime);
        auto* paint = Add<TPaintBox>(*this, this, "pbPaint", 230, 290, 60, 40);
        paint->OnPaint = [paint](TObject*) {
            paint->Canvas()->Brush()->SetColor(clNavy);
            paint->Canvas()->FillRect(paint->ClientRect());
        };
        auto* image = Add<TImage>(*this, this, "imgPicture", 300, 290, 40, 40);
        image->SetStretch(true);
        {
            TBitmap picture(4, 4);
            picture.Canvas()->Brush()->SetColor(clRed);
            picture.Canvas()->FillRect(Rect(0, 0, 4, 4));
            image->Picture()->SetGraphic(&picture);
        }
        auto* box = Add<TScrollBox>(*this, this, "sbxBox", 10, 350, 330, 120);
        Add<TEdit>(*this, box, "edFar", 10, 200, 100, 21);
        // Follows the lower right corner when the window changes size.
        auto* corner = Add<TPanel>(*this, this, "pnlCorner", 600, 440, 80, 30);
        corner->SetCaption("Corner");
        corner->SetAnchors({akRight, akBottom});

        auto* popup = new TPopupMenu(this);
        auto* clear = new TMenuItem(this);
        clear->SetCaption("&Clear");
        clear->OnClick = [notes](TObject*) {
            journey::Log("miClear OnClick");
            notes->Clear();
        };
        popup->Items()->Add(clear);
        SetPopupMenu(*notes, popup);

        dialog_ = new TfmDialog(this);
        dialog_->AfterConstruction();
    }

private:
    void BuildMenu() {
        auto* menu = new TMainMenu(this);
        auto* file = new TMenuItem(this);
        file->SetCaption("&File");
        auto* open = new TMenuItem(this);
        open->SetCaption("&Dialog...");
        open->SetShortCut(scCtrl | 'D');
        open->OnClick = [this](TObject*) {
            journey::Log("miDialog OnClick");
            ShowDialog();
        };
        file->Add(open);
        auto* quit = new TMenuItem(this);
        quit->SetCaption("E&xit");
        quit->OnClick = [this](TObject*) {
            journey::Log("miExit OnClick");
            Close();
        };
        file->Add(quit);
        menu->Items()->Add(file);
        SetFormMenu(*this, menu);
    }

    void ShowDialog() {
        const TModalResult result = dialog_->ShowModal();
        journey::Log("fmDialog result " + std::to_string(result));
    }

    TfmDialog* dialog_ = nullptr;
};

// The single-instance service, owned by the application so that it goes while the toolkit its
// socket watch lives in is still there.
class TInstanceHolder : public TComponent {
public:
    explicit TInstanceHolder(TComponent* owner)
        : TComponent(owner), instance("dsp-journey-stdcontrols") {}
    TSingleInstance instance;
};

// Whether this start goes on: false for a later start, which has handed its arguments over.
bool StartSingleInstance(TCustomForm*& main) {
    auto* holder = new TInstanceHolder(Application);
    if (holder->instance.Start({"single"}) != TInstanceRole::First) {
        journey::Log("handed over");
        Application->SetShowMainForm(false);
        Application->Terminate();
        return false;
    }
    // As the program's main window does: a minimized window is restored, any other raised, and
    // either becomes the active window.
    holder->instance.OnSecondInstance = [&main](const std::vector<std::string>& arguments) {
        journey::Log("second instance " + (arguments.empty() ? std::string() : arguments[0]));
        if (main->WindowState() == wsMinimized) main->SetWindowState(wsNormal);
        main->Show();
    };
    return true;
}

}  // namespace
}  // namespace dsp

int main(int argc, char** argv) {
    static dsp::TCustomForm* mainForm = nullptr;
    return dsp::journey::Run(argc, argv, [] {
        if (dsp::journey::HasArgument("single") && !dsp::StartSingleInstance(mainForm)) return;
        dsp::TfmMain* main = nullptr;
        dsp::CreateForm(main);
        mainForm = main;
        dsp::journey::Watch(*main);
        dsp::journey::Watch(*static_cast<dsp::TCustomForm*>(main->FindComponent("fmDialog")));
        if (dsp::journey::HasArgument("tools")) {
            dsp::TfmTools* tools = nullptr;
            dsp::CreateForm(tools);
            dsp::journey::Watch(*tools);
            tools->Show();
        }
    });
}
