#pragma once
// TiVCLComponent: a complete window-backed component of the plot engine. It supplies the
// painting lock (re-entrant, taken around every paint), an internal timer (a first interval, then
// a repeat interval), the handling of the window messages that bring keys, focus and buttons to
// the hooks of TiComponent, bounds changes that resize the buffers, a see-through mode that
// shows the parent's pixels as background, painting into any canvas, image export (bitmap,
// vector picture, JPEG, PNG, and JPEG or PNG bytes), the component's OPC items, and themes: named
// sets of property values read from theme files. TiCustomComponent adds nothing and is the base
// of the plot component.
//
// Keys reach the key hooks once, from the key handlers with the real shift state.
//
// Themes: the folders of the theme files come from the ini file "PlotEngine.ini", section
// [Themes], keys "Library Defined Theme Path" and "User Defined Theme Path": first the machine's
// (in the first folder of $XDG_CONFIG_DIRS, /etc/xdg without it), then the user's (in
// $XDG_CONFIG_HOME, ~/.config without it), whose non-empty values win. The files are
// <library path><class name>.xml and <user path><class name>User.xml.

#include <functional>
#include <memory>
#include <string>

#include <vector>

#include "framework/runtime/CriticalSection.h"
#include "framework/text/StringList.h"
#include "plot/engine/iComponent.h"
#include "plot/engine/iOPCItem.h"

namespace dsp {

class TTimer;
class TJPEGImage;
class TiXMLMemoryStream;

// The lines of one theme scheme ("Path.Name = value"); the class tells the scheme's origin.
class TiLibrarySchemeList : public TStringList {};
class TiUserSchemeList : public TStringList {};

class TiVCLComponent : public TiComponent {
public:
    explicit TiVCLComponent(TComponent* owner);
    ~TiVCLComponent() override;

    void Lock() override;
    void Unlock() override;

    bool InternalTimerRunning() const override;
    // Nothing while a timer runs. Otherwise fires after initialDelay ms and then every interval
    // ms (every interval ms from the start when initialDelay is 0; not at all when both are 0).
    void InternalTimerStart(int initialDelay, int interval) override;
    void InternalTimerStop() override;
    TNotifyEvent OnInternalTimer;

    void RepaintAll() override;
    void SetBounds(int left, int top, int width, int height) override;
    // The form stream's "OPCItems" (written when there is an item).
    void DefineProperties(TFiler* filer) override;

    // ---- see-through mode: the parent's pixels under the component are its background,
    // taken once and again after a move, a resize or RepaintAll.
    bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool value);
    void RequestTransparentCapture();
    bool TransparentCapturePending() const { return FNeedsTransparentCapture; }
    void DrawBackGround(TCanvas* canvas, TColor color) override;

    // ---- painting elsewhere
    // Paints the component into the canvas with its top-left corner at (x, y), clipped to its
    // size, under the painting lock; with transparent the background is left out. Errors of
    // the painting are swallowed.
    void iPaintToDC(int x, int y, TCanvas* canvas, bool transparent);

    // ---- image export: each renders the component at its size. Files are written whole or
    // not at all; a file that cannot be written raises EOSError.
    // The program's own vector picture format (opens again as a metafile).
    void SaveImageToMetaFile(const std::string& fileName);
    // Compression 1 to 100, else "Compression must be in the range of 1-100".
    void SaveImageToJPEG(const std::string& fileName, int compression, bool progressive);
    // Compression 0 to 9, else "Compression must be in the range of 0-9".
    void SaveImageToPNG(const std::string& fileName, int compression);
    // The file's bytes as a one-dimensional byte array from 0.
    TVariant GetBytesJPEG(int compression, bool progressive);
    TVariant GetBytesPNG(int compression);
    // The picture as a JPEG image (the caller owns it).
    std::unique_ptr<TJPEGImage> CreateJPEGImage(int compression, bool progressive);

    TiOPCItemManager* OPCItemManager() const { return FOPCItemManager.get(); }
    int OPCAddItem();
    int OPCItemCount() const;
    void OPCRemoveAllItems();
    void OPCDeleteItem(int index);
    void OPCItemActivate(int index);
    void OPCItemDeactivate(int index);
    void OPCItemUpdateResume(int index);
    void OPCItemUpdateSuspend(int index);
    void OPCItemLoaded(int index);
    void SetOPCItemData(int index, const TVariant& value);
    TVariant GetOPCItemData(int index) const;
    void SetOPCItemComputerName(int index, const std::string& value);
    void SetOPCItemServerName(int index, const std::string& value);
    void SetOPCItemItemName(int index, const std::string& value);
    void SetOPCItemPropertyName(int index, const std::string& value);
    std::string GetOPCItemComputerName(int index) const;
    std::string GetOPCItemServerName(int index) const;
    std::string GetOPCItemItemName(int index) const;
    std::string GetOPCItemPropertyName(int index) const;
    void SetOPCItemAutoConnect(int index, bool value);
    bool GetOPCItemAutoConnect(int index) const;
    void SetOPCItemUpdateRate(int index, int value);
    int GetOPCItemUpdateRate(int index) const;
    int GetOPCItemQuality(int index) const;
    double GetOPCItemTimeStamp(int index) const;

    // An OPC item delivered a value: handlers may change it first, then (when good) it is
    // written into the item's property, which does not echo it back to the server.
    void OPCNewData(TiOPCItem* item);
    bool OPCPropertyChanged(const std::string& propName, const TVariant& value) override;
    // Writes the value into the published property whose dotted path (from path) equals target,
    // compared without case: numbers from the value's text, "True"/"False" for enumerations,
    // any text but "0" for a Boolean. Object properties are searched through. A path that
    // names nothing changes nothing; a value that does not convert raises EConvertError.
    static void SetPropertyByPath(TObject* instance, const std::string& path, const TVariant& value,
                                  const std::string& target);

    // ---- themes
    // The two theme folders, each ending in "/" unless empty.
    void GetThemePaths(std::string& libraryPath, std::string& userPath) const;
    // Reads the library's and the user's theme files of this class; missing files are skipped.
    // A malformed file raises "Error Loading Scheme. XML File Malformed" (what was read before
    // stays).
    void LoadThemes();
    void ClearThemes();
    int GetThemeCategoryCount() const;
    std::string GetThemeCategoryName(int categoryIndex) const;
    int GetThemeCategorySchemeCount(int categoryIndex) const;
    std::string GetThemeCategorySchemeName(int categoryIndex, int schemeIndex) const;
    bool GetThemeCategorySchemeIsUser(int categoryIndex, int schemeIndex) const;
    // Sets every property the scheme names.
    void ApplyScheme(int categoryIndex, int schemeIndex);
    // Reads one theme file's categories and schemes (user schemes when user is set).
    void ReadSchemeFile(TiXMLMemoryStream& stream, bool user);
    // "Path.Name = value": the trimmed name and the value from two characters after "=";
    // an empty name without "=".
    static void SplitSchemeLine(const std::string& line, std::string& name, std::string& value);

    std::function<void(int index)> OnNewOPCData;
    std::function<void(int index, TVariant& data)> OnBeforeNewOPCData;

    // The design-time query the OPC items ask: never in this program, unless OnGetDesigning
    // says otherwise.
    bool OPCGetDesigning();
    // The kind of the first writable, non-object published property whose dotted path equals
    // propName (compared without case); tkUnknown when there is none.
    TTypeKind OPCGetPropertyKind(const std::string& propName);

protected:
    void Dispatch(TMessage& message) override;
    bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;

private:
    void TimerTick();
    void CaptureTransparentBackground();
    // The component rendered into a new bitmap of its size.
    std::unique_ptr<TBitmap> RenderBitmap();
    // Theme categories, each with its schemes: a name and a scheme list (TiLibrarySchemeList or
    // TiUserSchemeList).
    struct TThemeScheme {
        std::string name;
        std::unique_ptr<TStringList> lines;
    };
    struct TThemeCategory {
        std::string name;
        std::vector<TThemeScheme> schemes;
    };
    // The category of that name (compared without case), appended when there is none.
    TThemeCategory& GetThemeCategory(const std::string& name);
    const TThemeScheme& Scheme(int categoryIndex, int schemeIndex) const;

    TCriticalSection FDataCriticalSection;
    std::unique_ptr<TiOPCItemManager> FOPCItemManager;
    std::unique_ptr<TTimer> FTimer;
    bool FOPCIncomingActive = false;
    bool FTimerFirstMessage = false;
    int FTimerInterval = 0;
    bool FTransparent = false;
    bool FNeedsTransparentCapture = false;
    bool FPaintDCTransparent = false;
    std::unique_ptr<TBitmap> FTransparentBitmap;
    std::vector<TThemeCategory> FThemeCategoryList;
};

class TiCustomComponent : public TiVCLComponent {
public:
    using TiVCLComponent::TiVCLComponent;
};

}  // namespace dsp
