// What the panel and button widgets cost where the main window holds them by the hundred, each
// next to a reference measured in the same run so that the times read as ratios:
// - 228 bitmap buttons (stretched pictures with a key colour, on transparent group boxes over a
//   picture) repainted, against 228 of the framework's speed buttons with the same glyphs;
// - a page of 243 transparent group boxes over a picture repainted, against the same boxes
//   opaque (what transparency costs);
// - nine EQ-table shells of 50 rows built of these widgets, shown and painted, against the same
//   shells of standard controls (as bench_framework_stdcontrols builds them).

#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <memory>
#include <string>

#include "bench/framework/controls/BenchForms.h"
#include "framework/controls/Button.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Form.h"
#include "framework/controls/GroupBox.h"
#include "framework/controls/Label.h"
#include "framework/controls/SpeedButton.h"
#include "framework/controls/UpDown.h"
#include "framework/core/Resources.h"
#include "widgets/panels/RzBmpBtn.h"
#include "widgets/panels/RzButton.h"
#include "widgets/panels/RzCmboBx.h"
#include "widgets/panels/RzLabel.h"
#include "widgets/panels/RzPanel.h"

namespace dsp {
namespace {

using bench::Add;
using bench::EnsureApplication;
using bench::PaintAll;

constexpr int kBitmapButtons = 228;
constexpr int kGroupBoxes = 243;

// The page's picture: a gradient panel filling the form, as the main window's background.
TRzPanel* Background(TForm& form) {
    auto* back = Add<TRzPanel>(&form, &form, 0, 0, form.ClientWidth(), form.ClientHeight());
    back->SetBorderOuter(fsNone);
    back->SetVisualStyle(vsGradient);
    back->SetGradientColorStyle(gcsCustom);
    back->SetGradientColorStart(static_cast<TColor>(RGB(40, 48, 64)));
    back->SetGradientColorStop(static_cast<TColor>(RGB(90, 100, 120)));
    back->SetGradientDirection(gdVerticalEnd);
    return back;
}

std::unique_ptr<TForm> NewForm(int width, int height) {
    EnsureApplication();
    auto form = std::make_unique<TForm>(nullptr);
    form->SetClientSize(width, height);
    form->AfterConstruction();
    return form;
}

// 228 buttons in 12 boxes of 19: bitmap buttons, or speed buttons for the reference.
std::unique_ptr<TForm> ButtonPage(bool bitmapButtons) {
    auto form = NewForm(1060, 520);
    TRzPanel* back = Background(*form);
    TBitmap strip;
    strip.LoadFromResourceName(HInstance, "BTN_MUTE");
    TBitmap glyph(strip.Width() / 4, strip.Height());
    glyph.Canvas()->BitBlt(0, 0, glyph.Width(), glyph.Height(), strip.Canvas(), 0, 0, SRCCOPY);
    int made = 0;
    for (int g = 0; g < 12; ++g) {
        auto* box =
            Add<TRzGroupBox>(form.get(), back, 10 + (g % 6) * 174, 10 + (g / 6) * 250, 170, 240);
        box->SetGroupStyle(gsCustom);
        box->SetTransparent(true);
        for (int i = 0; i < 19 && made < kBitmapButtons; ++i, ++made) {
            const int left = 4 + (i % 3) * 54;
            const int top = 4 + (i / 3) * 34;
            if (bitmapButtons) {
                auto* b = Add<TRzBmpButton>(form.get(), box, left, top, 52, 24);
                b->Bitmaps()->SetTransparentColor(clTeal);
                b->Bitmaps()->AssignStrip(strip, 4);
                b->SetButtonSize(bszStretchToButton);
                b->SetBounds(left, top, 52, 24);
                b->SetGroupIndex(1 + i % 3);
            } else {
                auto* b = Add<TSpeedButton>(form.get(), box, left, top, 52, 24);
                b->SetGlyph(&glyph);
                b->SetFlat(true);
            }
        }
    }
    form->Show();
    PaintAll(*form);
    return form;
}

void RepaintChildren(TForm& form, TWinControl& root) {
    for (int i = 0; i < root.ControlCount(); ++i) root.Controls(i)->Invalidate();
    for (TWinControl* child : root.WinControls()) RepaintChildren(form, *child);
}

void BitmapButtonsRepaint(benchmark::State& state, bool bitmapButtons) {
    auto form = ButtonPage(bitmapButtons);
    for (auto _ : state) {
        RepaintChildren(*form, *form);
        PaintAll(*form);
    }
    state.counters["buttons"] = kBitmapButtons;
}

void BM_BitmapButtons228Repaint(benchmark::State& state) { BitmapButtonsRepaint(state, true); }
BENCHMARK(BM_BitmapButtons228Repaint)->Unit(benchmark::kMillisecond);

void BM_SpeedButtons228Repaint_Reference(benchmark::State& state) {
    BitmapButtonsRepaint(state, false);
}
BENCHMARK(BM_SpeedButtons228Repaint_Reference)->Unit(benchmark::kMillisecond);

// 243 group boxes in a grid over the picture, transparent or filled.
void GroupBoxPage(benchmark::State& state, bool transparent) {
    auto form = NewForm(1060, 700);
    TRzPanel* back = Background(*form);
    std::vector<TRzGroupBox*> boxes;
    for (int i = 0; i < kGroupBoxes; ++i) {
        auto* box =
            Add<TRzGroupBox>(form.get(), back, 4 + (i % 27) * 39, 4 + (i / 27) * 76, 36, 72);
        box->SetGroupStyle(gsCustom);
        box->SetTransparent(transparent);
        box->SetColor(static_cast<TColor>(0x00898989));
        boxes.push_back(box);
    }
    form->Show();
    PaintAll(*form);
    for (auto _ : state) {
        for (TRzGroupBox* box : boxes) box->Invalidate();
        PaintAll(*form);
    }
    state.counters["boxes"] = kGroupBoxes;
}

void BM_TransparentGroupBoxes243Repaint(benchmark::State& state) { GroupBoxPage(state, true); }
BENCHMARK(BM_TransparentGroupBoxes243Repaint)->Unit(benchmark::kMillisecond);

void BM_OpaqueGroupBoxes243Repaint_Reference(benchmark::State& state) {
    GroupBoxPage(state, false);
}
BENCHMARK(BM_OpaqueGroupBoxes243Repaint_Reference)->Unit(benchmark::kMillisecond);

// ---- nine band tables

constexpr int kTables = 9;
constexpr int kRows = 50;
const char* const kTypes =
    "\" Peak       \",\" Low Shelf  \",\" High Shelf \",\" Low Cut    \","
    "\" High Cut   \",\" Allpass 1  \",\" Allpass 2  \"";

// The shell of a band table: per row a number label, three edit boxes with hidden up-downs, a
// type list and a bypass button; fifty rows of which eight or nine show. With the widgets, the
// table is a transparent group box and the labels, list and button are the widgets' own.
template <typename Box, typename LabelT, typename Combo, typename ButtonT>
std::unique_ptr<TForm> BuildTables() {
    EnsureApplication();
    auto form = std::make_unique<TForm>(nullptr);
    TForm* owner = form.get();
    BeginLoading(*form);
    form->SetBounds(0, 0, 1118, 720);
    for (int t = 0; t < kTables; ++t) {
        auto* table = Add<Box>(owner, form.get(), 10 + (t % 2) * 540, 10, 536, 270);
        if constexpr (std::is_same_v<Box, TRzGroupBox>) {
            table->SetGroupStyle(gsCustom);
            table->SetTransparent(true);
        }
        table->SetVisible(t == 0);
        const int shown = t < 3 ? 8 : 9;
        for (int r = 0; r < kRows; ++r) {
            const bool visible = r < shown;
            const int top = visible ? 23 + r * 29 : 10000;
            auto* number = Add<LabelT>(owner, table, 12, top + 1, 20, 17);
            number->SetTransparent(true);
            number->SetAlignment(taCenter);
            number->SetCaption(std::to_string(r + 1));
            number->SetVisible(visible);
            for (int c = 0; c < 3; ++c) {
                auto* box = Add<TEdit>(owner, table, 40 + c * 101, top, 93, 21);
                box->SetMaxLength(7);
                box->SetAlignment(taCenter);
                box->SetText(c == 2 ? "0dB" : "1.00KHz");
                box->SetVisible(visible);
                auto* stepper = Add<TUpDown>(owner, table, 0, 0, 17, 21);
                stepper->SetVisible(false);
                stepper->SetPosition(-170);
            }
            auto* type = Add<Combo>(owner, table, 343, top, 101, 21);
            type->SetStyle(csDropDownList);
            type->Items()->SetCommaText(kTypes);
            type->SetItemIndex(0);
            type->SetVisible(visible);
            auto* bypass = Add<ButtonT>(owner, table, 450, top, 79, 21);
            bypass->SetCaption("   BYPASS   ");
            bypass->SetVisible(visible);
        }
    }
    EndLoading(*form);
    form->AfterConstruction();
    return form;
}

template <typename Box, typename LabelT, typename Combo, typename ButtonT>
void TablesBuildShowPaint(benchmark::State& state) {
    for (auto _ : state) {
        auto form = BuildTables<Box, LabelT, Combo, ButtonT>();
        form->Show();
        PaintAll(*form);
        QCoreApplication::processEvents();
        state.PauseTiming();
        form.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["controls"] = kTables * kRows * 12;
}

void BM_WidgetBandTablesBuildShowFirstPaint(benchmark::State& state) {
    TablesBuildShowPaint<TRzGroupBox, TRzLabel, TRzComboBox, TRzButton>(state);
}
BENCHMARK(BM_WidgetBandTablesBuildShowFirstPaint)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_StdBandTablesBuildShowFirstPaint_Reference(benchmark::State& state) {
    TablesBuildShowPaint<TGroupBox, TLabel, TComboBox, TButton>(state);
}
BENCHMARK(BM_StdBandTablesBuildShowFirstPaint_Reference)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

}  // namespace
}  // namespace dsp
