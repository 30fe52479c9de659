#pragma once
// TiSaveDialog: the save dialog for one pick, over the form its owner chain leads to. It starts
// in DefaultDir (the current folder when empty) on FileName (at most 260 characters) with the
// filter FilterIndex (from 1) chosen, asks before an existing file is replaced, and gives the
// chosen name the extension of the chosen filter: a name keeps its extension only when the
// filter of that extension is the one chosen; otherwise the chosen filter's extension is
// appended ("*.*" appends nothing).

#include <memory>
#include <string>

#include "framework/core/Component.h"
#include "framework/runtime/MessageWindow.h"
#include "framework/text/StringList.h"

namespace dsp {

// File names handed to the file dialogs are cut to this many characters.
constexpr int kMaxDialogFileName = 260;

// The window of the form up the component's owner chain (or the last windowed control on it);
// false when there is neither.
bool DialogOwnerWindow(TComponent* component, HWND& window);

class TiSaveDialog : public TComponent {
public:
    explicit TiSaveDialog(TComponent* owner);
    ~TiSaveDialog() override;

    const std::string& FileName() const { return FFileName; }
    void SetFileName(const std::string& value) { FFileName = value; }
    const std::string& Filter() const { return FFilter; }
    void SetFilter(const std::string& value) { FFilter = value; }
    const std::string& DefaultExt() const { return FDefaultExt; }
    void SetDefaultExt(const std::string& value) { FDefaultExt = value; }
    int FilterIndex() const { return FFilterIndex; }
    void SetFilterIndex(int value) { FFilterIndex = value; }
    const std::string& DefaultDir() const { return FDefaultDir; }
    void SetDefaultDir(const std::string& value) { FDefaultDir = value; }
    // The extension of the chosen filter's pattern ("*.txt" gives ".txt"), after Execute.
    const std::string& ReturnExt() const { return FReturnExt; }
    // The patterns of Filter, in order ("*.txt", "*.*").
    const TStringList& FilterList() const { return *FFilterList; }

    // True when the user confirmed; FileName and FilterIndex then hold the choice. Without a
    // form (or windowed control) up the owner chain nothing is shown and the answer is false.
    bool Execute();
    // Fills FilterList from Filter.
    void BuildFilterList();
    // The chosen name with the extension rule applied.
    std::string ApplyExtensionRule(const std::string& fileName) const;

private:
    std::string FFileName;
    std::string FFilter;
    std::string FDefaultExt;
    int FFilterIndex = 1;
    std::unique_ptr<TStringList> FFilterList;
    std::string FReturnExt;
    std::string FDefaultDir;
};

}  // namespace dsp
