#pragma once
// TiOpenDialog: the open dialog for one pick, over the form its owner chain leads to. It starts
// in DefaultDir (the current folder when empty) on FileName (at most 260 characters), offers
// Filter ("desc|pattern|..."), adds DefaultExt to a name typed without one, and with
// AllowMultiSelect lets the user choose several files; Files then holds them all and FileName
// the first.

#include <memory>
#include <string>

#include "framework/core/Component.h"
#include "framework/text/StringList.h"

namespace dsp {

class TiOpenDialog : public TComponent {
public:
    explicit TiOpenDialog(TComponent* owner);
    ~TiOpenDialog() override;

    const std::string& FileName() const { return FFileName; }
    void SetFileName(const std::string& value) { FFileName = value; }
    const std::string& Filter() const { return FFilter; }
    void SetFilter(const std::string& value) { FFilter = value; }
    const std::string& DefaultExt() const { return FDefaultExt; }
    void SetDefaultExt(const std::string& value) { FDefaultExt = value; }
    const std::string& DefaultDir() const { return FDefaultDir; }
    void SetDefaultDir(const std::string& value) { FDefaultDir = value; }
    bool FileMustExist() const { return FFileMustExist; }
    void SetFileMustExist(bool value) { FFileMustExist = value; }
    bool AllowMultiSelect() const { return FAllowMultiSelect; }
    void SetAllowMultiSelect(bool value) { FAllowMultiSelect = value; }
    TStrings* Files() const { return FFiles.get(); }

    // True when the user confirmed. Without a form (or windowed control) up the owner chain
    // nothing is shown and the answer is false.
    bool Execute();

private:
    std::string FFileName;
    std::string FFilter;
    std::string FDefaultExt;
    std::string FDefaultDir;
    bool FFileMustExist = false;
    bool FAllowMultiSelect = false;
    std::unique_ptr<TStringList> FFiles;
};

}  // namespace dsp
