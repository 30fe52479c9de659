#pragma once
// TfmHidData: the traffic monitor ("Hid Data"). It lists the frames written to and read from the
// processor, one line each, while it is shown; "Clear" empties the list. Lines may be made on
// any thread: those of worker threads are handed to the UI thread and appended there, in the
// order they were made.

#include <memory>
#include <string>

#include "framework/controls/Form.h"

namespace dsp {

class TButton;
class TListBox;

class TfmHidData : public TForm {
public:
    explicit TfmHidData(TComponent* owner);
    ~TfmHidData() override;

    // Whether traffic lines are made now: the monitor is shown. Any thread.
    bool Monitoring() const;
    // Adds a line at the end of the list and selects it (the list scrolls to it). Any thread.
    void AddLine(std::string line);

    void bnClearClick(TObject* sender);

    TListBox* hbHidData = nullptr;
    TButton* bnClear = nullptr;

protected:
    void DoShow() override;
    void DoHide() override;

private:
    struct THandOver;
    // Appends the lines handed over so far (UI thread).
    void AppendHandedOver();
    void Append(const std::string& line);

    std::shared_ptr<THandOver> handOver_;
};

extern TfmHidData* fmHidData;

}  // namespace dsp
