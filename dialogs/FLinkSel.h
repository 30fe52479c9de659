#pragma once
// TfmLinkSel: which channel each channel follows, as two lower-triangular grids of buttons (one
// for the inputs, one for the outputs). Row r is channel r, column c the channel it follows; the
// diagonal says that the channel leads its own group (or stands alone). One button per row is
// down. A channel that follows another cannot be followed: its column is disabled below it.
//
// Set turns the grid into link masks of the group form (the leader holds its own and its
// followers' bits, each follower 0), copies a leader's settings onto each channel that newly
// joined it before that leader's mask is stored, and brings the main window in line. Exit
// leaves without storing and, after a change, puts the grid back as the masks are stored.
// Links never cross sides: a side's grid only names channels of that side.

#include <cstdint>
#include <string>

#include "framework/controls/Form.h"

namespace dsp {

class TImage;
class TLabel;
class TRzBmpButton;
class TRzGroupBox;

class TfmLinkSel : public TForm {
public:
    explicit TfmLinkSel(TComponent* owner);
    ~TfmLinkSel() override;

    // The grid button of row channel row and column channel column (same side, column <= row):
    // "rzbBLinkInA", "rzb6LinkOut2"; null when there is none.
    TRzBmpButton* GridButton(int row, int column) const;
    static std::string GridButtonName(int row, int column);

    void FormShow(TObject* sender);
    // Row handlers (rows InA and Out1 hold only their diagonal and have none).
    void rzbBLinkInAClick(TObject* sender);
    void rzbCLinkInAClick(TObject* sender);
    void rzb2LinkOut1Click(TObject* sender);
    void rzb3LinkOut1Click(TObject* sender);
    void rzb4LinkOut1Click(TObject* sender);
    void rzb5LinkOut1Click(TObject* sender);
    void rzb6LinkOut1Click(TObject* sender);
    void bnSetClick(TObject* sender);
    void bnExitClick(TObject* sender);

    // In channel's column, presses (and clicks) the buttons of the rows mask names; other rows
    // are left as they are.
    void ShowLinkMask(int channel, std::uint16_t mask);
    // Shows each channel's overlay buttons only while it leads, and captions the leaders' page
    // buttons.
    void ShowLeaders();
    // Captions every channel's page button from the grid.
    void ShowLinkCaptions();

    // Set by any row click, cleared when the dialog shows.
    std::int32_t FSelectionChanged = 0;

    TImage* imBackground = nullptr;
    TRzGroupBox* rzgLinkSelIn = nullptr;
    TRzGroupBox* rzgLinkSelOut = nullptr;
    TRzBmpButton* bnSet = nullptr;
    TRzBmpButton* bnExit = nullptr;

private:
    // A row's click: sender's Tag is the column within the side.
    void RowClick(int row, TObject* sender);
    // The mask the grid gives leader: the rows of its side whose column-leader button is down.
    std::uint16_t GridMask(int leader) const;
};

extern TfmLinkSel* fmLinkSel;

}  // namespace dsp
