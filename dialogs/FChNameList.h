#pragma once
// TfmChNameList: all nine channel names at once. Each showing fills the boxes with the stored
// names; Set stores (and sends) only the names that changed.

#include <array>

#include "framework/controls/Form.h"

namespace dsp {

class TEdit;
class TGroupBox;
class TImage;
class TLabel;
class TRzBmpButton;

class TfmChNameList : public TForm {
public:
    explicit TfmChNameList(TComponent* owner);
    ~TfmChNameList() override;

    void FormShow(TObject* sender);
    void btnOKClick(TObject* sender);
    void btnCancelClick(TObject* sender);

    // The box of a channel (0 to 8): edMatrixChNameInA .. edMatrixChNameOut6.
    TEdit* NameBox(int channel) const;

    TImage* imBackground = nullptr;
    TGroupBox* gbInChNameList = nullptr;
    TGroupBox* gbOutChNameList = nullptr;
    TRzBmpButton* btnOK = nullptr;
    TRzBmpButton* btnCancel = nullptr;
};

extern TfmChNameList* fmChNameList;

}  // namespace dsp
