#include "components/MyPEQAllpass.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "components/PeqValues.h"
#include "framework/controls/Edit.h"
#include "framework/controls/KeyMap.h"
#include "framework/graphics/Font.h"
#include "model/Constants.h"
#include "widgets/panels/RzButton.h"
#include "widgets/panels/RzCmboBx.h"
#include "widgets/panels/RzLabel.h"

namespace dsp {

namespace {

constexpr std::array<TColor, 14> kBandColors = {clRed,   clYellow,  clFuchsia, clAqua, clLime,
                                                clBlue,  clSkyBlue, clPurple,  clTeal, clMaroon,
                                                clCream, clOlive,   clGray,    clNavy};

std::vector<std::string> SevenTypeNames() {
    std::vector<std::string> names(PeqTypeNames.begin(), PeqTypeNames.end());
    return names;
}

int ClampPosition(double v) {
    if (std::isnan(v)) return 0;
    return static_cast<int>(std::clamp(std::trunc(v), -1.0e9, 1.0e9));
}

}  // namespace

TMyPEQAllpass::TMyPEQAllpass(TComponent* owner) : TMyPEQAllpass(owner, SevenTypeNames()) {}

TMyPEQAllpass::TMyPEQAllpass(TComponent* owner, std::vector<std::string> builtInNames)
    : TRzGroupBox(owner), builtInNames_(std::move(builtInNames)) {
    // The names are there from the start: lists filled before the window exists show them.
    FTypeNames.assign(builtInNames_.begin(), builtInNames_.end() - 1);
    FBypassCaption = builtInNames_.back();
    SetGroupStyle(gsCustom);
    SetTransparent(true);
    SetCaption("");
    SetBounds(Left(), Top(), 490, 420);
    FLayoutWidth = 490;
    FLayoutHeight = 420;
    Build();
}

TMyPEQAllpass::~TMyPEQAllpass() = default;

void TMyPEQAllpass::Build() {
    static const char* const kHeaders[6] = {"EQ", "Frequency", "Q", "Gain", "Type", "Bypass"};
    for (int i = 0; i < 6; ++i) {
        auto* header = new TRzLabel(this);
        header->SetParent(this);
        header->SetCaption(kHeaders[i]);
        header->SetTransparent(true);
        header->SetAlignment(taCenter);
        header->SetVisible(false);
        headers_[static_cast<std::size_t>(i)] = header;
    }
    for (int r = 0; r < kRowCount; ++r) {
        TRow& row = rows_[static_cast<std::size_t>(r)];
        row.number = new TRzLabel(this);
        row.number->SetParent(this);
        row.number->SetCaption(std::to_string(r + 1));
        row.number->Font()->SetSize(12);
        row.number->Font()->SetColor(kBandColors[static_cast<std::size_t>(r % 14)]);
        row.number->SetTransparent(true);
        row.number->SetAlignment(taCenter);
        row.number->SetAutoSize(false);
        auto makeBox = [&](const std::string& text) {
            auto* box = new TEdit(this);
            box->SetParent(this);
            box->SetAlignment(taCenter);
            box->SetMaxLength(7);
            box->SetTag(r);
            box->SetText(text);
            box->OnMouseDown = [this, r](TObject*, TMouseButton button, TShiftState shift, int x,
                                         int y) {
                MakeCurrent(r);
                if (OnEditMouseDown) OnEditMouseDown(this, button, shift, x, y);
            };
            return box;
        };
        row.freq = makeBox(std::to_string(r));
        row.q = makeBox(PeqQText(0));
        row.gain = makeBox(PeqGainText(0));
        auto onEnter = [](auto exit) {
            return [exit](TObject*, TKeyCode& key, TShiftState) {
                if (key == VK_RETURN) exit();
            };
        };
        row.freq->OnExit = [this, r](TObject*) { FrequencyExit(r); };
        row.freq->OnKeyDown = onEnter([this, r] { FrequencyExit(r); });
        row.q->OnExit = [this, r](TObject*) { QfactorExit(r); };
        row.q->OnKeyDown = onEnter([this, r] { QfactorExit(r); });
        row.gain->OnExit = [this, r](TObject*) { GainExit(r); };
        row.gain->OnKeyDown = onEnter([this, r] { GainExit(r); });

        row.type = new TRzComboBox(this);
        row.type->SetParent(this);
        row.type->SetStyle(csDropDownList);
        row.type->SetTag(r);
        row.type->OnChange = [this, r](TObject*) {
            MakeCurrent(r);
            Change();
        };
        row.type->OnMouseWheel = [this](TObject* sender, TShiftState shift, int delta, TPoint at,
                                        bool& handled) {
            if (OnPeqTypeMouseWheel) OnPeqTypeMouseWheel(sender, shift, delta, at, handled);
        };

        row.bypass = new TRzButton(this);
        row.bypass->SetParent(this);
        row.bypass->SetThemeAware(false);
        row.bypass->SetCaption(FBypassCaption);
        row.bypass->SetTag(r);
        row.bypass->OnClick = [this, r](TObject*) { ByPassClick(r); };
    }
    PlaceRows(false);
}

// ---- layout

void TMyPEQAllpass::Paint() {
    TRzGroupBox::Paint();
    RePaint();
}

void TMyPEQAllpass::RePaint() {
    if (Width() == FLayoutWidth && Height() == FLayoutHeight) return;
    FLayoutWidth = Width();
    FLayoutHeight = Height();
    PlaceRows(true);
}

void TMyPEQAllpass::PlaceRows(bool fillLists) {
    const int t = titleVisable_ ? 13 : 0;
    const int w = (Width() - 68) / 5;
    const int h = (Height() - topBottomSpace_ - t - 16) / channelNumber_;
    FNormalTextColor = rows_[0].freq->Font()->Color();
    for (int i = 0; i < 6; ++i) {
        TRzLabel* header = headers_[static_cast<std::size_t>(i)];
        header->SetVisible(titleVisable_);
        if (i == 0) {
            header->SetBounds(12, topBottomSpace_, 20, h);
        } else {
            header->SetBounds(8 * i + (i - 1) * w + 33, topBottomSpace_, w - 15, h);
        }
    }
    const int boxWidth = updownVisable_ ? w - 20 : w;
    for (int r = 0; r < kRowCount; ++r) {
        TRow& row = rows_[static_cast<std::size_t>(r)];
        const bool shown = r < channelNumber_;
        if (!shown) {
            // Rows beyond the table's count are out of sight.
            for (TControl* c :
                 {static_cast<TControl*>(row.number), static_cast<TControl*>(row.freq),
                  static_cast<TControl*>(row.q), static_cast<TControl*>(row.gain),
                  static_cast<TControl*>(row.type), static_cast<TControl*>(row.bypass)}) {
                c->SetVisible(false);
                c->SetTop(10000);
            }
            continue;
        }
        const int top = topBottomSpace_ + t + h * r + 8;
        row.number->SetCaption(std::to_string(r + 1));
        row.number->SetBounds(12, top, 20, row.number->Height());
        const int l = 32;
        const int boxTop = top - 1;
        row.freq->SetBounds(l + 8, boxTop, boxWidth, row.freq->Height());
        row.q->SetBounds(l + w + 16, boxTop, boxWidth, row.q->Height());
        row.gain->SetBounds(l + 2 * w + 24, boxTop, boxWidth, row.gain->Height());
        row.type->SetBounds(l + 3 * w + 32, boxTop, w + 8, h);
        row.bypass->SetBounds(l + 4 * w + 46, boxTop, w - 14, row.gain->Height());
        row.bypass->SetCaption(FBypassCaption);
        for (TControl* c : {static_cast<TControl*>(row.number), static_cast<TControl*>(row.freq),
                            static_cast<TControl*>(row.q), static_cast<TControl*>(row.gain),
                            static_cast<TControl*>(row.type), static_cast<TControl*>(row.bypass)})
            c->SetVisible(true);
        if (fillLists) {
            // Each row keeps the type it shows; a list filled for the first time shows the
            // first type.
            const int keep = row.type->ItemIndex();
            FillList(*row.type, keep >= 0 ? keep : 0);
        }
    }
}

void TMyPEQAllpass::FillList(TRzComboBox& list, int select) {
    list.Items()->Clear();
    for (const std::string& name : FTypeNames) list.Items()->Add(name);
    list.SetItemIndex(select < list.Items()->Count() ? select : -1);
}

void TMyPEQAllpass::CreateWnd() {
    TRzGroupBox::CreateWnd();
    // The window may come after bands were set (a page shown for the first time): only lists
    // still empty are filled, and every selection stays.
    for (int r = 0; r < channelNumber_; ++r) {
        TRzComboBox& list = *rows_[static_cast<std::size_t>(r)].type;
        if (list.Items()->Count() == 0) FillList(list, 1);
    }
}

// ---- properties

void TMyPEQAllpass::SetUpdownVisable(bool value) {
    if (value == updownVisable_) return;
    updownVisable_ = value;
    RePaint();
}

void TMyPEQAllpass::SetTitleVisable(bool value) {
    if (value == titleVisable_) return;
    for (TRzLabel* header : headers_) header->SetVisible(value);
    titleVisable_ = value;
    RePaint();
}

void TMyPEQAllpass::SetTopBottomSpace(int value) { topBottomSpace_ = value & 0xFF; }

void TMyPEQAllpass::SetChannelNumber(int value) {
    // The row height divides by the count.
    value = std::clamp(value, 1, kRowCount);
    if (value == channelNumber_) return;
    channelNumber_ = value;
    Change();
}

void TMyPEQAllpass::SetLabelColor(TColor value) {
    if (value == labelColor_) return;
    for (TRzLabel* header : headers_) header->Font()->SetColor(value);
    labelColor_ = value;
    RePaint();
}

void TMyPEQAllpass::SetEditBackColor(TColor value) {
    if (value == editBackColor_) return;
    editBackColor_ = value;
    for (int r = 0; r < channelNumber_; ++r) {
        TRow& row = rows_[static_cast<std::size_t>(r)];
        row.freq->SetColor(value);
        row.gain->SetColor(value);
        row.q->SetColor(value);
        row.type->SetColor(value);
    }
    RePaint();
}

void TMyPEQAllpass::SetBypassBackColor(TColor value) {
    if (value == bypassBackColor_) return;
    bypassBackColor_ = value;
    for (int r = 0; r < channelNumber_; ++r)
        rows_[static_cast<std::size_t>(r)].bypass->SetColor(value);
    RePaint();
}

// ---- reading

double TMyPEQAllpass::GetFreqValue(int row) const {
    if (!IsRow(row)) return 0;
    return 1000.0 * std::pow(FreqStep, rows_[static_cast<std::size_t>(row)].freqPos);
}

double TMyPEQAllpass::GetQValue(int row) const {
    if (!IsRow(row)) return 0;
    return QTable[static_cast<std::size_t>(
        std::clamp(rows_[static_cast<std::size_t>(row)].qPos, 0, 100))];
}

double TMyPEQAllpass::GetGainValue(int row) const {
    if (!IsRow(row)) return 0;
    return rows_[static_cast<std::size_t>(row)].gainPos * 0.1;
}

int TMyPEQAllpass::GetTypeValue(int row) const {
    if (!IsRow(row)) return -1;
    return rows_[static_cast<std::size_t>(row)].type->ItemIndex();
}

bool TMyPEQAllpass::GetBypassValue(int row) const {
    return IsRow(row) && FBypassFlags[static_cast<std::size_t>(row)] != 0;
}

// ---- writing

void TMyPEQAllpass::SetFreqPosition(int row, double hz) {
    TRow& r = rows_[static_cast<std::size_t>(row)];
    r.freqPos = PeqFrequencyPosition(hz);
    r.freq->SetText(PeqFrequencyText(r.freqPos));
}

void TMyPEQAllpass::SetGainPosition(int row, double db) {
    TRow& r = rows_[static_cast<std::size_t>(row)];
    r.gainPos = ClampPosition(db * 10);
    r.gain->SetText(PeqGainText(db));
}

void TMyPEQAllpass::SetQPosition(int row, double q) {
    TRow& r = rows_[static_cast<std::size_t>(row)];
    // The position indexes the Q table.
    r.qPos = std::clamp(ClampPosition(q), 0, 100);
    r.q->SetText(PeqQText(r.qPos));
}

void TMyPEQAllpass::SetFreqValue(int row, double hz) {
    if (!IsRow(row)) return;
    SetFreqPosition(row, hz);
    Change();
}

void TMyPEQAllpass::SetQValue(int row, double q) {
    if (!IsRow(row)) return;
    SetQPosition(row, q);
    Change();
}

void TMyPEQAllpass::SetGainValue(int row, double db) {
    if (!IsRow(row)) return;
    SetGainPosition(row, db);
    Change();
}

void TMyPEQAllpass::SetTypeValue(int row, int type) {
    if (!IsRow(row)) return;
    TRzComboBox& list = *rows_[static_cast<std::size_t>(row)].type;
    list.SetItemIndex(type >= 0 && type < list.Items()->Count() ? type : -1);
    Change();
}

void TMyPEQAllpass::SetBypassValue(int row, bool flag) {
    if (!IsRow(row)) return;
    FBypassFlags[static_cast<std::size_t>(row)] = flag ? 1 : 0;
    Change();
}

void TMyPEQAllpass::SetEqParamValue(int row, double hz, double q, double db, int type,
                                    bool bypass) {
    if (!IsRow(row)) return;
    SetFreqPosition(row, hz);
    SetGainPosition(row, db);
    TRzComboBox& list = *rows_[static_cast<std::size_t>(row)].type;
    list.SetItemIndex(type >= 0 && type < list.Items()->Count() ? type : -1);
    FBypassFlags[static_cast<std::size_t>(row)] = bypass ? 1 : 0;
    SetQPosition(row, q);
    Change();
}

// ---- texts

void TMyPEQAllpass::SetEqTypeString(const std::string& name, int i) {
    if (i < 0 || i >= static_cast<int>(FTypeNames.size())) return;
    FTypeNames[static_cast<std::size_t>(i)] = name;
}

void TMyPEQAllpass::SetBypassString(const std::string& caption) { FBypassCaption = caption; }

void TMyPEQAllpass::ChangeLanguage() {
    for (int r = 0; r < channelNumber_; ++r) {
        TRow& row = rows_[static_cast<std::size_t>(r)];
        FillList(*row.type, row.type->ItemIndex());
        row.bypass->SetCaption(FBypassCaption);
    }
}

// ---- typed entries

void TMyPEQAllpass::MakeCurrent(int row) {
    FPrevIndex = FNowIndex;
    FNowIndex = row;
}

void TMyPEQAllpass::RewriteBox(TEdit& box, const std::string& text, bool rejected) {
    box.SetText(text);
    if (rejected) box.SetSelStart(static_cast<int>(text.size()));
}

void TMyPEQAllpass::FrequencyExit(int row) {
    TRow& r = rows_[static_cast<std::size_t>(row)];
    const std::optional<int> p = PeqFrequencyEntry(r.freq->Text());
    if (p) r.freqPos = *p;
    RewriteBox(*r.freq, PeqFrequencyText(r.freqPos), !p);
    MakeCurrent(row);
    Change();
}

void TMyPEQAllpass::QfactorExit(int row) {
    TRow& r = rows_[static_cast<std::size_t>(row)];
    const std::optional<int> q = PeqQEntry(r.q->Text());
    if (q) r.qPos = *q;
    RewriteBox(*r.q, PeqQText(r.qPos), !q);
    MakeCurrent(row);
    Change();
}

void TMyPEQAllpass::GainExit(int row) {
    TRow& r = rows_[static_cast<std::size_t>(row)];
    const std::optional<int> g = PeqGainEntry(r.gain->Text());
    if (g) r.gainPos = *g;
    RewriteBox(*r.gain, PeqGainText(r.gainPos / 10.0), !g);
    MakeCurrent(row);
    Change();
}

void TMyPEQAllpass::ByPassClick(int row) {
    MakeCurrent(row);
    std::uint8_t& flag = FBypassFlags[static_cast<std::size_t>(row)];
    flag = flag != 0 ? 0 : 1;
    rows_[static_cast<std::size_t>(row)].bypass->SetColor(flag != 0 ? kBypassedColour
                                                                    : bypassBackColor_);
    Change();
}

// ---- events and the current row

void TMyPEQAllpass::Change() {
    if (!OnChange) return;
    for (int r = 0; r < channelNumber_; ++r) {
        rows_[static_cast<std::size_t>(r)].bypass->SetColor(
            FBypassFlags[static_cast<std::size_t>(r)] == 1 ? kBypassedColour : bypassBackColor_);
    }
    OnChange(this);
}

void TMyPEQAllpass::SetColor(int row, TColor colour) {
    if (row < 0 || row >= channelNumber_) return;
    TRow& r = rows_[static_cast<std::size_t>(row)];
    r.gain->Font()->SetColor(colour);
    r.q->Font()->SetColor(colour);
    r.freq->Font()->SetColor(colour);
}

void TMyPEQAllpass::SetNowIndex(int row) {
    if (row == -1) {
        SetColor(FNowIndex, FNormalTextColor);
        return;
    }
    if (row == FNowIndex) {
        if (FNowIndex == FPrevIndex) return;
        SetColor(FPrevIndex, FNormalTextColor);
        FPrevIndex = FNowIndex;
        SetColor(FNowIndex, kHighlightColour);
        return;
    }
    SetColor(FNowIndex, FNormalTextColor);
    FNowIndex = row;
    SetColor(FNowIndex, kHighlightColour);
}

// ---- the row's controls

TEdit* TMyPEQAllpass::FrequencyBox(int row) const {
    return IsRow(row) ? rows_[static_cast<std::size_t>(row)].freq : nullptr;
}
TEdit* TMyPEQAllpass::QBox(int row) const {
    return IsRow(row) ? rows_[static_cast<std::size_t>(row)].q : nullptr;
}
TEdit* TMyPEQAllpass::GainBox(int row) const {
    return IsRow(row) ? rows_[static_cast<std::size_t>(row)].gain : nullptr;
}
TRzComboBox* TMyPEQAllpass::TypeList(int row) const {
    return IsRow(row) ? rows_[static_cast<std::size_t>(row)].type : nullptr;
}
TRzButton* TMyPEQAllpass::BypassButton(int row) const {
    return IsRow(row) ? rows_[static_cast<std::size_t>(row)].bypass : nullptr;
}
TRzLabel* TMyPEQAllpass::NumberLabel(int row) const {
    return IsRow(row) ? rows_[static_cast<std::size_t>(row)].number : nullptr;
}

}  // namespace dsp
