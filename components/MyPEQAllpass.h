#pragma once
// The EQ band table: one row per band of a channel with the band number, frequency, Q and gain
// boxes, a type list and a bypass button, on a frameless group box. All 50 rows exist from
// construction; ChannelNumber of them show.
//
// Each value is held as an integer position (components/PeqValues.h); the boxes show texts made
// from the positions. Every band change, typed or set by the program, ends in Change, which
// raises OnChange; the owner reads the band back with the getters.
//
// Rows are 0 to 49; operations given another row do nothing and getters answer 0, -1 or false.

#include <array>
#include <string>
#include <vector>

#include "framework/controls/ControlTypes.h"
#include "widgets/panels/RzPanel.h"

namespace dsp {

class TEdit;
class TRzButton;
class TRzComboBox;
class TRzLabel;

class TMyPEQAllpass : public TRzGroupBox {
public:
    static constexpr int kRowCount = 50;
    // The font colour of the current row's boxes and the colour of a bypassed band's button.
    static constexpr TColor kHighlightColour = 0x00B000;
    static constexpr TColor kBypassedColour = 0x8080FF;

    explicit TMyPEQAllpass(TComponent* owner);
    ~TMyPEQAllpass() override;

    // ---- properties
    bool UpdownVisable() const { return updownVisable_; }
    void SetUpdownVisable(bool value);
    bool TitleVisable() const { return titleVisable_; }
    void SetTitleVisable(bool value);
    // Pixels above the first row; the low byte of the value is kept. No relayout.
    int TopBottomSpace() const { return topBottomSpace_; }
    void SetTopBottomSpace(int value);
    // Rows shown, 1 to 50. Raises Change; the rows are laid out again at the next size change.
    int ChannelNumber() const { return channelNumber_; }
    void SetChannelNumber(int value);
    TColor LabelColor() const { return labelColor_; }
    void SetLabelColor(TColor value);
    TColor EditBackColor() const { return editBackColor_; }
    void SetEditBackColor(TColor value);
    TColor BypassBackColor() const { return bypassBackColor_; }
    void SetBypassBackColor(TColor value);

    TNotifyEvent OnChange;
    // A mouse button pressed on a box; the sender is the table.
    TMouseEvent OnEditMouseDown;
    // The wheel over a type list; the sender is the list, and handled decides whether the list
    // steps itself.
    TMouseWheelEvent OnPeqTypeMouseWheel;

    // ---- reading a band
    double GetFreqValue(int row) const;
    double GetQValue(int row) const;
    double GetGainValue(int row) const;
    // The selected type index, -1 when none.
    int GetTypeValue(int row) const;
    bool GetBypassValue(int row) const;
    int GetNowIndex() const { return FNowIndex; }
    int GetChannelNumber() const { return channelNumber_; }

    // ---- writing a band; each raises Change
    void SetFreqValue(int row, double hz);
    // A Q position 0 to 100, truncated.
    void SetQValue(int row, double q);
    // The box shows the value given; the position is its tenths, truncated.
    void SetGainValue(int row, double db);
    // A type outside the list leaves no selection.
    void SetTypeValue(int row, int type);
    void SetBypassValue(int row, bool flag);
    // All five, raising Change once.
    void SetEqParamValue(int row, double hz, double q, double db, int type, bool bypass);

    // ---- texts
    void SetEqTypeString(const std::string& name, int i);
    void SetBypassString(const std::string& caption);
    // The type names and bypass caption into every shown row, each keeping its selected type.
    void ChangeLanguage();

    // ---- the current row
    // -1: the current row loses its highlight. The current row: the previous one loses it and
    // the current one gets it (once). Another row: it becomes current and highlighted.
    void SetNowIndex(int row);
    // The font colour of a shown row's three boxes.
    using TRzGroupBox::SetColor;
    void SetColor(int row, TColor colour);

    // Raises OnChange after colouring every shown bypass button from its band's flag; does
    // nothing without a handler.
    virtual void Change();

    // ---- the row's controls, for the owner's checks and focus
    TEdit* FrequencyBox(int row) const;
    TEdit* QBox(int row) const;
    TEdit* GainBox(int row) const;
    TRzComboBox* TypeList(int row) const;
    TRzButton* BypassButton(int row) const;
    TRzLabel* NumberLabel(int row) const;

protected:
    // A table whose type lists hold the given names; the last name is the bypass caption.
    TMyPEQAllpass(TComponent* owner, std::vector<std::string> builtInNames);
    void CreateWnd() override;
    void Paint() override;
    // Lays the rows out when the size changed since the last layout.
    void RePaint();

private:
    struct TRow {
        TRzLabel* number = nullptr;
        TEdit* freq = nullptr;
        TEdit* q = nullptr;
        TEdit* gain = nullptr;
        TRzComboBox* type = nullptr;
        TRzButton* bypass = nullptr;
        int freqPos = 0;
        int qPos = 0;
        int gainPos = 0;
    };
    static bool IsRow(int row) { return row >= 0 && row < kRowCount; }
    void Build();
    void PlaceRows(bool fillLists);
    void FillList(TRzComboBox& list, int select);
    void MakeCurrent(int row);
    void RewriteBox(TEdit& box, const std::string& text, bool rejected);
    void FrequencyExit(int row);
    void QfactorExit(int row);
    void GainExit(int row);
    void ByPassClick(int row);
    void SetFreqPosition(int row, double hz);
    void SetGainPosition(int row, double db);
    void SetQPosition(int row, double q);

    std::vector<std::string> builtInNames_;
    std::array<TRow, kRowCount> rows_{};
    std::array<TRzLabel*, 6> headers_{};
    std::array<std::uint8_t, kRowCount> FBypassFlags{};
    int FNowIndex = 0;
    int FPrevIndex = 0;
    std::vector<std::string> FTypeNames;
    std::string FBypassCaption;
    TColor FNormalTextColor = clWindowText;
    int FLayoutWidth = 0;
    int FLayoutHeight = 0;

    bool updownVisable_ = false;
    bool titleVisable_ = false;
    int topBottomSpace_ = 15;
    int channelNumber_ = kRowCount;
    TColor labelColor_ = clBlack;
    TColor editBackColor_ = clBlack;
    TColor bypassBackColor_ = clBlack;
};

}  // namespace dsp
