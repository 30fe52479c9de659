#pragma once
// TfmMemo: the memo window ("Message List"), a second diagnostic window with a text memo and a
// clear button. Nothing in the program writes to it.

#include "framework/controls/Form.h"

namespace dsp {

class TButton;
class TMemo;

class TfmMemo : public TForm {
public:
    explicit TfmMemo(TComponent* owner);
    ~TfmMemo() override;

    void bnClearMemoClick(TObject* sender);

    TMemo* Memo = nullptr;
    TButton* bnClearMemo = nullptr;
};

extern TfmMemo* fmMemo;

}  // namespace dsp
