#pragma once
// TiPlotComponent: the core of the plot component family. It owns the master manager (and with
// it every object manager, the layout manager and the translation table), forwards adding,
// deleting, counting and finding objects to the managers, keeps the plot-wide settings, lays
// its objects out around the data view, paints them in a fixed order, routes mouse and key input
// to the objects, shows hints, and turns what the objects report into its published events,
// each naming an object by its index among the objects of its kind.
//
// Nothing is painted unless the plot has a toolbar, a legend and a data view; plot classes add
// them (with the axes, a channel and the title label) in their constructors.

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/controls/Menus.h"
#include "framework/desktop/Printers.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/ImageList.h"
#include "framework/graphics/Pen.h"
#include "framework/text/Variant.h"
#include "plot/engine/iPlotMasterManager.h"
#include "plot/engine/iPlotToolBar.h"
#include "plot/engine/iTypes.h"
#include "plot/engine/iVCLComponent.h"

namespace dsp {

class TiPlotAxis;
class TiPlotXAxis;
class TiPlotYAxis;
class TiPlotChannelCustom;
class TiPlotDataView;
class TiPlotDataCursor;
class TiPlotLegend;
class TiPlotLimit;
class TiPlotLabel;
class TiPlotTable;
class TiPlotAnnotation;
class TMetafile;
class TPicture;

enum TiPlotFormStyle { ipfsModal, ipfsStayOnTop };
DSP_ENUM_NAMES(TiPlotFormStyle, "ipfsModal", "ipfsStayOnTop")
enum TiPlotExportFormat { ipefMetaFile, ipefBitmap, ipefJPEG };
DSP_ENUM_NAMES(TiPlotExportFormat, "ipefMetaFile", "ipefBitmap", "ipefJPEG")
enum TiPlotImageFormatStyle { ipifBitmap, ipifEnhancedMetaFile, ipifJPEG, ipifPNG };
DSP_ENUM_NAMES(TiPlotImageFormatStyle, "ipifBitmap", "ipifEnhancedMetaFile", "ipifJPEG", "ipifPNG")
enum TiPlotDataFileColumnSeparator { ipdfcsTab, ipdfcsComma };
DSP_ENUM_NAMES(TiPlotDataFileColumnSeparator, "ipdfcsTab", "ipdfcsComma")
enum TiPlotDataFileFormat { ipdffText, ipdffCompactInterval };
DSP_ENUM_NAMES(TiPlotDataFileFormat, "ipdffText", "ipdffCompactInterval")

// Event types; Index is the object's index among the objects of its kind.
using TiPlotObjectIndexEvent = std::function<void(int index)>;
using TiPlotObjectMouseEvent =
    std::function<void(int index, TMouseButton button, TShiftState shift, int x, int y)>;
using TiPlotObjectMouseMoveEvent = std::function<void(int index, TShiftState shift, int x, int y)>;
using TiPlotObjectMouseWheelEvent =
    std::function<void(int index, int wheelDelta, TShiftState shift, int x, int y)>;
using TiPlotObjectGetMouseCursorEvent = std::function<void(int index, TCursor& mouseCursor)>;
using TiPlotObjectPopupMenuEvent =
    std::function<void(int index, bool& cancel, int screenX, int screenY)>;
using TiPlotDataPointEvent = std::function<void(int channelIndex, int dataIndex)>;
using TiPlotDataPointMouseEvent = std::function<void(
    int channelIndex, int dataIndex, TMouseButton button, TShiftState shift, int x, int y)>;
using TiPlotDataPointMouseMoveEvent =
    std::function<void(int channelIndex, int dataIndex, TShiftState shift, int x, int y)>;
using TiPlotDataPointMovedEvent = std::function<void(int channelIndex, int dataIndex, double oldX,
                                                     double oldY, double newX, double newY)>;
using TiPlotIndexTextEvent = std::function<void(int index, std::string& text)>;
using TiPlotDataPointTextEvent =
    std::function<void(int channelIndex, int dataIndex, std::string& text)>;
using TiPlotObjectDoubleValueChangeEvent =
    std::function<void(int index, double oldValue, double newValue)>;
using TiPlotAxesMinSpanChangeEvent =
    std::function<void(int index, double oldMin, double oldSpan, double newMin, double newSpan)>;
using TiPlotAxesCustomizeLabelEvent =
    std::function<void(int index, double value, std::string& label)>;
using TiPlotToolBarButtonEvent = std::function<void(int index, TiPlotToolBarButtonType type)>;
using TiPlotBeforeToolBarButtonEvent =
    std::function<void(int index, TiPlotToolBarButtonType type, bool& cancel)>;
using TiPlotZoomBoxEvent = std::function<void(TRect& zoomRect, bool& cancel)>;

class TiPlotComponent : public TiCustomComponent {
    DSP_PUBLISHED(TiPlotComponent, TiCustomComponent) {
        using C = TiPlotComponent;
        using P = Published<TiPlotComponent>;
        return {
            P::Property("DataViewZHorz", &C::DataViewZHorz, &C::SetDataViewZHorz),
            P::Property("DataViewZVert", &C::DataViewZVert, &C::SetDataViewZVert),
            P::Property("XYAxesReverse", &C::XYAxesReverse, &C::SetXYAxesReverse).Default(false),
            P::Property("UserCanEditObjects", &C::UserCanEditObjects, &C::SetUserCanEditObjects)
                .Default(true),
            P::Property("UserCanAddRemoveChannels", &C::FUserCanAddRemoveChannels,
                        &C::FUserCanAddRemoveChannels)
                .Default(false),
            P::Property("OuterMarginLeft", &C::FOuterMarginLeft, &C::SetOuterMarginLeft).Default(5),
            P::Property("OuterMarginTop", &C::FOuterMarginTop, &C::SetOuterMarginTop).Default(5),
            P::Property("OuterMarginRight", &C::FOuterMarginRight, &C::SetOuterMarginRight)
                .Default(5),
            P::Property("OuterMarginBottom", &C::FOuterMarginBottom, &C::SetOuterMarginBottom)
                .Default(5),
            P::Property("PrintOrientation", &C::FPrintOrientation, &C::FPrintOrientation)
                .Default(poLandscape),
            P::Property("PrintMarginLeft", &C::FPrintMarginLeft, &C::FPrintMarginLeft),
            P::Property("PrintMarginTop", &C::FPrintMarginTop, &C::FPrintMarginTop),
            P::Property("PrintMarginRight", &C::FPrintMarginRight, &C::FPrintMarginRight),
            P::Property("PrintMarginBottom", &C::FPrintMarginBottom, &C::FPrintMarginBottom),
            P::Property("PrintShowDialog", &C::FPrintShowDialog, &C::FPrintShowDialog)
                .Default(true),
            P::Property("PrintDocumentName", &C::FPrintDocumentName, &C::FPrintDocumentName),
            P::Property("PrinterName", &C::FPrinterName, &C::FPrinterName),
            P::Property("HintsPause", &C::FHintsPause, &C::FHintsPause).Default(500),
            P::Property("HintsHidePause", &C::FHintsHidePause, &C::FHintsHidePause).Default(2500),
            P::Property("HintsShow", &C::FHintsShow, &C::FHintsShow).Default(true),
            P::Property("HintsFont", &C::HintsFont, &C::SetHintsFont),
            P::Property("EditorFormStyle", &C::FEditorFormStyle, &C::FEditorFormStyle)
                .Default(ipfsModal),
            P::Property("CopyToClipBoardFormat", &C::FCopyToClipBoardFormat,
                        &C::FCopyToClipBoardFormat)
                .Default(ipefMetaFile),
            P::Property("TitleVisible", &C::TitleVisible, &C::SetTitleVisible),
            P::Property("TitleText", &C::TitleText, &C::SetTitleText),
            P::Property("TitleFont", &C::TitleFont, &C::SetTitleFont),
            P::Property("TitleMargin", &C::TitleMargin, &C::SetTitleMargin),
            P::Property("LogFileName", &C::LogFileName, &C::SetLogFileName),
            P::Property("LogBufferSize", &C::LogBufferSize, &C::SetLogBufferSize).Default(0),
            P::Property("LoggingActive", &C::FLoggingActive),
            P::Property("AnnotationDefaultFont", &C::AnnotationDefaultFont,
                        &C::SetAnnotationDefaultFont),
            P::Property("AnnotationDefaultBrushStlye", &C::annotationDefaultBrushStyle_,
                        &C::annotationDefaultBrushStyle_)
                .Default(bsSolid),
            P::Property("AnnotationDefaultBrushColor", &C::annotationDefaultBrushColor_,
                        &C::annotationDefaultBrushColor_)
                .Default(clWhite),
            P::Property("AnnotationDefaultPenStlye", &C::annotationDefaultPenStyle_,
                        &C::annotationDefaultPenStyle_)
                .Default(psSolid),
            P::Property("AnnotationDefaultPenColor", &C::annotationDefaultPenColor_,
                        &C::annotationDefaultPenColor_)
                .Default(clWhite),
            P::Property("AnnotationDefaultPenWidth", &C::FAnnotationDefaultPenWidth,
                        &C::FAnnotationDefaultPenWidth)
                .Default(1),
            P::Property("AnnotationDefaultReference", &C::annotationDefaultReference_,
                        &C::annotationDefaultReference_)
                .Default(iprtDataView),
            P::Property("AnnotationDefaultReferencePositionX",
                        &C::annotationDefaultReferencePositionX_,
                        &C::annotationDefaultReferencePositionX_)
                .Default(ipriAuto),
            P::Property("AnnotationDefaultReferencePositionY",
                        &C::annotationDefaultReferencePositionY_,
                        &C::annotationDefaultReferencePositionY_)
                .Default(ipriAuto),
            P::Property("AnnotationDefaultReferenceSizeX", &C::annotationDefaultReferenceSizeX_,
                        &C::annotationDefaultReferenceSizeX_)
                .Default(ipriAuto),
            P::Property("AnnotationDefaultReferenceSizeY", &C::FAnnotationDefaultReferenceSizeY,
                        &C::FAnnotationDefaultReferenceSizeY)
                .Default(ipriAuto),
            P::Property("ClipAnnotationsToAxes", &C::FClipAnnotationsToAxes,
                        &C::SetClipAnnotationsToAxes)
                .Default(true),
            P::Property("BackGroundGradientEnabled", &C::FBackGroundGradientEnabled,
                        &C::SetBackGroundGradientEnabled)
                .Default(false),
            P::Property("BackGroundGradientDirection", &C::FBackGroundGradientDirection,
                        &C::SetBackGroundGradientDirection)
                .Default(ifdTopBottom),
            P::Property("BackGroundGradientStartColor", &C::FBackGroundGradientStartColor,
                        &C::SetBackGroundGradientStartColor)
                .Default(clBlue),
            P::Property("BackGroundGradientStopColor", &C::FBackGroundGradientStopColor,
                        &C::SetBackGroundGradientStopColor)
                .Default(clBlack),
            P::Property("DataFileColumnSeparator", &C::FDataFileColumnSeparator,
                        &C::SetDataFileColumnSeparator)
                .Default(ipdfcsTab),
            P::Property("DataFileFormat", &C::FDataFileFormat, &C::SetDataFileFormat)
                .Default(ipdffText),
            P::Property("DefaultSaveImageDirectory", &C::FDefaultSaveImageDirectory,
                        &C::FDefaultSaveImageDirectory),
            P::Property("DefaultPropertyDirectory", &C::FDefaultPropertyDirectory,
                        &C::FDefaultPropertyDirectory),
            P::Property("DefaultDataDirectory", &C::FDefaultDataDirectory,
                        &C::FDefaultDataDirectory),
            P::Property("DefaultAnnotationDirectory", &C::FDefaultAnnotationDirectory,
                        &C::FDefaultAnnotationDirectory),
            P::Property("DefaultSaveImageFormat", &C::FDefaultSaveImageFormat,
                        &C::FDefaultSaveImageFormat)
                .Default(ipifBitmap),
            P::Property("DifferentialPropertySave", &C::FDifferentialPropertySave,
                        &C::FDifferentialPropertySave)
                .Default(false),
            P::Property("BackGroundColor", &C::GetBackGroundColor, &C::SetBackGroundColor)
                .Default(clBlack),
            P::Property("BorderStyle", &C::GetBorderStyle, &C::SetBorderStyle).Default(ibsLowered),
            P::Property("AutoFrameRate", &C::GetAutoFrameRate, &C::SetAutoFrameRate).Default(true),
        };
    }

public:
    explicit TiPlotComponent(TComponent* owner);
    ~TiPlotComponent() override;

    // A strip-chart plot (whose new X axes scroll smoothly) answers true.
    virtual bool IsStripChart() const { return false; }

    // ---- objects
    TiPlotMasterManager* Master() const { return FMaster.get(); }
    virtual int AddChannel();
    virtual int AddDataView();
    virtual int AddDataCursor();
    virtual int AddXAxis();
    virtual int AddYAxis();
    virtual int AddLegend();
    virtual int AddTable();
    virtual int AddToolBar();
    // The new annotation gets the plot's annotation defaults.
    virtual int AddAnnotation();
    virtual int AddLimit();
    virtual int AddLabel();
    int AddTranslation(const std::string& originalString, const std::string& replacementString);

    virtual void DeleteToolBar(int index);
    virtual void DeleteLegend(int index);
    virtual void DeleteTable(int index);
    virtual void DeleteXAxis(int index);
    virtual void DeleteYAxis(int index);
    virtual void DeleteDataView(int index);
    virtual void DeleteDataCursor(int index);
    virtual void DeleteChannel(int index);
    virtual void DeleteAnnotation(int index);
    virtual void DeleteLimit(int index);
    // Label 0 is the title: "Label Index 0 can not be Deleted (Resevered for Title)".
    virtual void DeleteLabel(int index);
    virtual void DeleteTranslation(int index);

    virtual void RemoveAllToolBars();
    virtual void RemoveAllLegends();
    virtual void RemoveAllTables();
    virtual void RemoveAllXAxes();
    virtual void RemoveAllYAxes();
    virtual void RemoveAllDataViews();
    virtual void RemoveAllDataCursors();
    virtual void RemoveAllChannels();
    virtual void RemoveAllAnnotations();
    virtual void RemoveAllLimits();
    // Every label but label 0.
    virtual void RemoveAllLabels();
    virtual void RemoveAllTranslations();

    int ChannelCount() const;
    int DataViewCount() const;
    int DataCursorCount() const;
    int LegendCount() const;
    int TableCount() const;
    int ToolBarCount() const;
    int XAxisCount() const;
    int YAxisCount() const;
    int LimitCount() const;
    int LabelCount() const;
    int AnnotationCount() const;
    int TranslationCount() const;

    TiPlotChannelCustom* GetChannel(int index) const;
    TiPlotXAxis* GetXAxis(int index) const;
    TiPlotYAxis* GetYAxis(int index) const;
    TiPlotToolBar* GetToolBar(int index) const;
    TiPlotDataCursor* GetDataCursor(int index) const;
    TiPlotLegend* GetLegend(int index) const;
    TiPlotTable* GetTable(int index) const;
    TiPlotDataView* GetDataView(int index) const;
    TiPlotLimit* GetLimit(int index) const;
    TiPlotLabel* GetLabel(int index) const;
    TiPlotAnnotation* GetAnnotation(int index) const;
    std::string GetTranslationOriginalString(int index) const;
    std::string GetTranslationReplacementString(int index) const;

    TiPlotChannelCustom* GetChannelByName(const std::string& value) const;
    TiPlotXAxis* GetXAxisByName(const std::string& value) const;
    TiPlotYAxis* GetYAxisByName(const std::string& value) const;
    TiPlotDataCursor* GetDataCursorByName(const std::string& value) const;
    TiPlotDataView* GetDataViewByName(const std::string& value) const;
    TiPlotLabel* GetLabelByName(const std::string& value) const;
    TiPlotLegend* GetLegendByName(const std::string& value) const;
    TiPlotTable* GetTableByName(const std::string& value) const;
    TiPlotLimit* GetLimitByName(const std::string& value) const;
    TiPlotToolBar* GetToolBarByName(const std::string& value) const;
    TiPlotAnnotation* GetAnnotationByName(const std::string& value) const;
    int GetChannelIndexByName(const std::string& value) const;
    int GetXAxisIndexByName(const std::string& value) const;
    int GetYAxisIndexByName(const std::string& value) const;
    int GetAnnotationIndexByName(const std::string& value) const;
    int GetDataCursorIndexByName(const std::string& value) const;
    int GetDataViewIndexByName(const std::string& value) const;
    int GetLabelIndexByName(const std::string& value) const;
    int GetLegendIndexByName(const std::string& value) const;
    int GetLimitIndexByName(const std::string& value) const;
    int GetTableIndexByName(const std::string& value) const;
    int GetToolBarIndexByName(const std::string& value) const;

    TiPlotObjectManager* GetObjectManager() const;
    TiPlotTranslationManager* GetTranslationManager() const;
    // Image list 0, 1 or 2 (24 x 24); null for any other index.
    TImageList* GetImageList(int index) const;

    void DisableLayoutManager();
    void EnableLayoutManager();
    void RefreshLayoutManager();
    void EnableAllTracking();
    void DisableAllTracking();
    void ClearAllData();
    // One value per channel at X (a one-dimensional array; values between 1e-301 and 1e-300
    // add a Null point, between 1e-302 and 1e-301 an Empty one), or rows of values (two
    // dimensions, the first the channel index) each at its channel's last X plus xValue.
    // Every channel index is checked before any point is added: a bad one raises the
    // channel list's index error and adds nothing. Counts the rows for the plot's log.
    void AddDataArray(double xValue, const TVariant& data);
    static bool IsNullMarker(double value) { return value > 1e-301 && value < 1e-300; }
    static bool IsEmptyMarker(double value) { return value > 1e-302 && value < 1e-301; }
    // Appends copies of the source's points start..stop (their Null and Empty flags too) to
    // the destination: "Start Index Must be 0 or Greater", "StopIndex Must Out Of Range".
    void TransferChannelData(int sourceChannelIndex, int destinationChannelIndex, int startIndex,
                             int stopIndex);
    // Rows added by AddDataArray since the log last wrote.
    int LogBufferCount() const { return FLogBufferCount; }
    // The local date and time in days since 30 December 1899.
    double GetNow() const;
    // Image list 0, 1 or 2, else "ImageList Index must be 0-2". A bitmap smaller than the
    // list's images both ways is centred on one of their size (the caller's bitmap takes that
    // picture); one larger both ways goes in as it is; one larger one way and smaller the other
    // raises "Image Width and Height must be the same as other images, or both smaller, or
    // both larger". The first bitmap sets the list's size. Repaints.
    void ImageListClear(int imageListIndex);
    void ImageListAdd(int imageListIndex, TBitmap* bitmap);
    void ImageListAddBitmap(int index, TBitmap* bitmap);

    // ---- files (iPlotFiles.cpp): every refusal is an Exception whose message starts with the
    // operation's prefix ("Error Loading Data - " ...); a refused load changes nothing.
    void SavePropertiesToFile(const std::string& fileName) override;
    void LoadPropertiesFromFile(const std::string& fileName) override;
    void SaveAnnotationsToFile(const std::string& fileName);
    void LoadAnnotationsFromFile(const std::string& fileName);
    void SaveDataToFile(const std::string& fileName);
    // Appends the file's points to the channels.
    void LoadDataFromFile(const std::string& fileName);
    const std::string& LastPropertiesFileName() const { return FLastPropertiesFileName; }
    const std::string& LastDataFileName() const { return FLastDataFileName; }
    TNotifyEvent OnAfterSaveProperties;
    TNotifyEvent OnBeforeLoadProperties;
    TNotifyEvent OnAfterLoadProperties;
    TNotifyEvent OnAfterSaveData;
    TNotifyEvent OnAfterLoadData;

    // ---- the log of AddDataArray's rows (iPlotLog.cpp)
    void LogActivate(bool append);
    void LogDeactivate();
    const std::string& LogFileName() const { return FLogFileName; }
    void SetLogFileName(const std::string& value);
    int LogBufferSize() const { return FLogBufferSize; }
    void SetLogBufferSize(int value) { FLogBufferSize = value; }
    // Appends the buffered rows to the log in one write and empties the buffer.
    void FlushLogBuffer();

    // ---- layout and painting
    // Lays out every layout object around the data view (twice per paint).
    void CalcLayout(TCanvas* canvas);
    // Paints into a scratch bitmap so that the layout is up to date.
    void ReCalcLayout();
    void PaintToCanvas(TCanvas* canvas) override;
    void AddAxesCollisionRect(const TRect& rect);
    // Records the rectangle unless it meets one already recorded or (once any is recorded)
    // leaves data view 0.
    bool TryAddAxesCollisionRect(const TRect& rect);
    void ClearAxesCollisionList() { FAxesCollisionList.clear(); }
    const std::vector<TRect>& AxesCollisionList() const { return FAxesCollisionList; }
    bool PaintingActive() const { return FPaintingActive; }
    bool HintShowing() const { return FHintShowing; }
    const TiHintData& HintData() const { return FHintData; }

    // ---- the plot out of the window: clipboard, snapshot, image files, printing, preview
    // The plot without toolbars and selections on the clipboard, in CopyToClipBoardFormat; all
    // toolbars then take toolbar 0's visibility again.
    void CopyToClipBoard();
    // The plot as it shows now as a vector picture, owned by the plot (valid until the next
    // call).
    TPicture* GetSnapShotPicture();
    // The save-image dialog, then the file written in the format of its extension (any case);
    // an unknown extension takes the format of the filter chosen.
    void Save();
    // Writes the plot to the file in the format its extension names (bmp, emf, jpg, png, any
    // case); another extension takes the format given.
    void SaveImageByExtension(const std::string& fileName, TiPlotImageFormatStyle otherwise);
    // Prints the plot: the print dialog first when PrintShowDialog is set (cancelled: nothing
    // printed), then one page per span of X axis 0 from its Min to its Max as printing began.
    // Failures raise "Error Printing : <reason>" with the plot's settings put back.
    void PrintChart();
    // The plot's height for the printed page's proportions (the paper of the last print, else
    // the printer's now), and a new layout.
    void PrintSizeToFillPage();
    // X axis 0's span such that one printed millimetre covers minutesPerMillimeter minutes.
    void PrintAdjustXSpanToMinutesPerMillimeter(double minutesPerMillimeter);
    // The print preview, modal (through the decor services).
    void PreviewChart();
    TNotifyEvent OnBeforePrint;
    std::function<void(int pageIndex, bool lastPage)> OnBeforePrintPage;
    TNotifyEvent OnAfterPrint;
    // The paper of the last print.
    double PrinterPaperWidthInches() const { return FPrinterPaperWidthInches; }
    double PrinterPaperHeightInches() const { return FPrinterPaperHeightInches; }
    int PrinterPaperWidthPixels() const { return FPrinterPaperWidthPixels; }
    int PrinterPaperHeightPixels() const { return FPrinterPaperHeightPixels; }

    // ---- input
    TiPlotObject* FindObjectAt(const TiPlotMouseData& mouseData);
    bool GetSelectMode() const;
    void SetSelectMode(bool value);
    void HideHint();
    void HintTimerFired();
    void iWantSpecialKey(TKeyCode& charCode, LRESULT& result) override;
    void iKeyDown(TKeyCode& key, TShiftState shift) override;
    void iMouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void iMouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void iMouseMove(TShiftState shift, int x, int y) override;
    void iDoubleClick() override;
    bool iMouseWheel(int wheelDelta, TShiftState shift, TPoint mousePos) override;
    TiPlotObject* MouseDownObject() const { return FMouseDownObject; }
    TiPlotObject* LastMouseOverObject() const { return FLastMouseOverObject; }
    TiPlotObject* LastMouseClickObject() const { return FLastMouseClickObject; }
    TPopupMenu* PopupMenu() const { return FPopupMenu; }

    // ---- master-axis replays: the same input for every other axis of the sender's kind
    void MasterAxisMouseLeft(TiPlotAxis* sender, const TiPlotMouseData& mouseData);
    void MasterAxisMouseMove(TiPlotAxis* sender, const TiPlotMouseData& mouseData);
    void MasterAxisMouseUp(TiPlotAxis* sender, const TiPlotMouseData& mouseData);
    void MasterAxisMouseWheel(TiPlotAxis* sender, int wheelDelta, TShiftState shift, int x, int y);
    void MasterAxisKeyDown(TiPlotAxis* sender, TKeyCode& key, TShiftState shift);

    // ---- event dispatchers (silent while loading, but for OnDataCursorChange)
    void DoObjectMouseDown(TiPlotObject* object, TMouseButton button, TShiftState shift, int x,
                           int y);
    void DoObjectMouseMove(TiPlotObject* object, TShiftState shift, int x, int y);
    void DoObjectMouseUp(TiPlotObject* object, TMouseButton button, TShiftState shift, int x,
                         int y);
    void DoObjectMouseWheel(TiPlotObject* object, int wheelDelta, TShiftState shift, int x, int y);
    void DoObjectClick(TiPlotObject* object);
    void DoObjectGotFocus(TiPlotObject* object);
    void DoObjectLostFocus(TiPlotObject* object);
    void DoObjectGetMouseCursor(TiPlotObject* object, TCursor& mouseCursor);
    void DoObjectPopupMenu(TiPlotObject* object, bool& cancel, int screenX, int screenY);
    void DoDataPointClick(TiPlotChannelCustom* channel, int dataIndex);
    void DoDataPointMouseDown(TiPlotChannelCustom* channel, int dataIndex, TMouseButton button,
                              TShiftState shift, int x, int y);
    void DoDataPointMouseMove(TiPlotChannelCustom* channel, int dataIndex, TShiftState shift, int x,
                              int y);
    void DoDataPointMouseUp(TiPlotChannelCustom* channel, int dataIndex, TMouseButton button,
                            TShiftState shift, int x, int y);
    void DoDataPointMoved(TiPlotChannelCustom* channel, int dataIndex, double oldX, double oldY,
                          double newX, double newY);
    void DoDataPointCustomizeHint(TiPlotChannelCustom* channel, int dataPointIndex,
                                  std::string& text);
    void DoAxisMinChange(TiPlotAxis* axis, double oldValue, double newValue);
    void DoAxisSpanChange(TiPlotAxis* axis, double oldValue, double newValue);
    void DoAxisMinSpanChange(TiPlotAxis* axis, double oldMin, double oldSpan, double newMin,
                             double newSpan);
    void DoAxisMinSpanChangeFinished(TiPlotAxis* axis, double oldMin, double oldSpan, double newMin,
                                     double newSpan);
    void DoAxisCustomizeLabel(TiPlotAxis* axis, std::string& label, double value);
    void DoXAxisCustomizeHint(TiPlotAxis* axis, std::string& text);
    void DoYAxisCustomizeHint(TiPlotAxis* axis, std::string& text);
    void DoDataCursorChange(TiPlotDataCursor* cursor);
    void DoBeforeDataCursorUpdate(TiPlotDataCursor* cursor);
    void DoDataCursorCustomizeHint(TiPlotDataCursor* cursor, std::string& text);
    void DoToolBarCustomizeHint(TiPlotToolBar* toolBar, std::string& text);
    void DoToolBarButtonClick(TiPlotToolBar* toolBar, TiPlotToolBarButtonType type);
    void DoBeforeToolBarButtonClick(TiPlotToolBar* toolBar, TiPlotToolBarButtonType type,
                                    bool& cancel);
    void DoLimitLine1PositionChange(TiPlotLimit* limit, double oldValue, double newValue);
    void DoLimitLine2PositionChange(TiPlotLimit* limit, double oldValue, double newValue);
    void DoAnnotationCoordinatesChange(TiPlotAnnotation* annotation);
    void DoAnnotationMoveUser(TiPlotAnnotation* annotation);
    void DoAnnotationResizeUser(TiPlotAnnotation* annotation);
    void DoAnnotationCoordinatesChangeFinished(TiPlotAnnotation* annotation);
    // The label text a customize-label handler hands back through the plot.
    void SetCustomizeLabelText(const std::string& value) { FTempCustomLabel = value; }

    // Ends what reading a form stream began: the layout manager on again, the ZOrder clash of
    // toolbar 0 and label 0 repaired, the update batch closed.
    void Loaded() override;
    // The form stream's defined properties: the data-view placeholders' ZOrders, the three
    // image lists, one collection per manager that holds objects, the translation table and
    // the OPC items. Reading disables the layout manager and opens an update batch until
    // Loaded; writing changes nothing of the plot.
    void DefineProperties(TFiler* filer) override;
    // An image list in the form stream's format: "DSIL", the count, the width and height and
    // the mask colour (32-bit little-endian each), then the pictures side by side as a PNG
    // file. Raise EWriteError "Failed to write ImageList data to stream" and EReadError "Failed
    // to read ImageList data from stream".
    static void WriteImageList(const TImageList& list, TStream& stream);
    static void ReadImageList(TImageList& list, TStream& stream);

    // ---- settings
    int DataViewZHorz() const;
    void SetDataViewZHorz(int value);
    int DataViewZVert() const;
    void SetDataViewZVert(int value);
    bool XYAxesReverse() const;
    void SetXYAxesReverse(bool value);
    bool UserCanEditObjects() const;
    void SetUserCanEditObjects(bool value);
    bool UserCanAddRemoveChannels() const { return FUserCanAddRemoveChannels; }
    int OuterMarginLeft() const { return FOuterMarginLeft; }
    int OuterMarginTop() const { return FOuterMarginTop; }
    int OuterMarginRight() const { return FOuterMarginRight; }
    int OuterMarginBottom() const { return FOuterMarginBottom; }
    void SetOuterMarginLeft(int value) { StoreAndRepaint(value, FOuterMarginLeft); }
    void SetOuterMarginTop(int value) { StoreAndRepaint(value, FOuterMarginTop); }
    void SetOuterMarginRight(int value) { StoreAndRepaint(value, FOuterMarginRight); }
    void SetOuterMarginBottom(int value) { StoreAndRepaint(value, FOuterMarginBottom); }
    TPrinterOrientation PrintOrientation() const { return FPrintOrientation; }
    double PrintMarginLeft() const { return FPrintMarginLeft; }
    double PrintMarginTop() const { return FPrintMarginTop; }
    double PrintMarginRight() const { return FPrintMarginRight; }
    double PrintMarginBottom() const { return FPrintMarginBottom; }
    bool PrintShowDialog() const { return FPrintShowDialog; }
    const std::string& PrintDocumentName() const { return FPrintDocumentName; }
    int HintsPause() const { return FHintsPause; }
    void SetHintsPause(int value) { FHintsPause = value; }
    int HintsHidePause() const { return FHintsHidePause; }
    void SetHintsHidePause(int value) { FHintsHidePause = value; }
    bool HintsShow() const { return FHintsShow; }
    void SetHintsShow(bool value) { FHintsShow = value; }
    TFont* HintsFont() const { return FHintsFont.get(); }
    void SetHintsFont(TFont* value) { FHintsFont->Assign(value); }
    bool TitleVisible() const;
    void SetTitleVisible(bool value);
    std::string TitleText() const;
    void SetTitleText(const std::string& value);
    TFont* TitleFont() const;
    void SetTitleFont(TFont* value);
    double TitleMargin() const;
    void SetTitleMargin(double value);
    TFont* AnnotationDefaultFont() const { return annotationDefaultFont_.get(); }
    void SetAnnotationDefaultFont(TFont* value) { annotationDefaultFont_->Assign(value); }
    void SetAnnotationDefaultBrushStyle(TBrushStyle value) { annotationDefaultBrushStyle_ = value; }
    void SetAnnotationDefaultBrushColor(TColor value) { annotationDefaultBrushColor_ = value; }
    void SetAnnotationDefaultPenStyle(TPenStyle value) { annotationDefaultPenStyle_ = value; }
    void SetAnnotationDefaultPenColor(TColor value) { annotationDefaultPenColor_ = value; }
    void SetAnnotationDefaultPenWidth(int value) { FAnnotationDefaultPenWidth = value; }
    bool ClipAnnotationsToAxes() const { return FClipAnnotationsToAxes; }
    void SetClipAnnotationsToAxes(bool value) { StoreAndRepaint(value, FClipAnnotationsToAxes); }
    bool BackGroundGradientEnabled() const { return FBackGroundGradientEnabled; }
    void SetBackGroundGradientEnabled(bool value) {
        StoreAndRepaint(value, FBackGroundGradientEnabled);
    }
    void SetBackGroundGradientDirection(TiFillDirection value) {
        StoreAndRepaint(value, FBackGroundGradientDirection);
    }
    void SetBackGroundGradientStartColor(TColor value) {
        StoreAndRepaint(value, FBackGroundGradientStartColor);
    }
    void SetBackGroundGradientStopColor(TColor value) {
        StoreAndRepaint(value, FBackGroundGradientStopColor);
    }
    // Refused while logging: the file's layout must not change under way.
    void SetDataFileColumnSeparator(TiPlotDataFileColumnSeparator value);
    TiPlotDataFileColumnSeparator DataFileColumnSeparator() const {
        return FDataFileColumnSeparator;
    }
    // The column separator character of data and log files.
    char DataFileColumnSeparatorChar() const {
        return FDataFileColumnSeparator == ipdfcsComma ? ',' : '\t';
    }
    bool DifferentialPropertySave() const { return FDifferentialPropertySave; }
    void SetDifferentialPropertySave(bool value) { FDifferentialPropertySave = value; }
    void SetDataFileFormat(TiPlotDataFileFormat value);
    bool LoggingActive() const { return FLoggingActive; }

    // ---- events
    TNotifyEvent OnAfterPaint;
    TiPlotZoomBoxEvent OnBeforeZoomBox;
    TNotifyEvent OnAfterOpenEditor;
    TNotifyEvent OnAfterCloseEditor;
    TiPlotFormStyle EditorFormStyle() const { return FEditorFormStyle; }
    void SetEditorFormStyle(TiPlotFormStyle value) { FEditorFormStyle = value; }
    TiPlotExportFormat CopyToClipBoardFormat() const { return FCopyToClipBoardFormat; }
    void SetCopyToClipBoardFormat(TiPlotExportFormat value) { FCopyToClipBoardFormat = value; }
    TiPlotImageFormatStyle DefaultSaveImageFormat() const { return FDefaultSaveImageFormat; }
    void SetDefaultSaveImageFormat(TiPlotImageFormatStyle value) {
        FDefaultSaveImageFormat = value;
    }
    const std::string& DefaultSaveImageDirectory() const { return FDefaultSaveImageDirectory; }
    void SetDefaultSaveImageDirectory(const std::string& value) {
        FDefaultSaveImageDirectory = value;
    }
    const std::string& DefaultPropertyDirectory() const { return FDefaultPropertyDirectory; }
    const std::string& DefaultDataDirectory() const { return FDefaultDataDirectory; }
    const std::string& DefaultAnnotationDirectory() const { return FDefaultAnnotationDirectory; }
    void SetPrintOrientation(TPrinterOrientation value) { FPrintOrientation = value; }
    void SetPrintMarginLeft(double value) { FPrintMarginLeft = value; }
    void SetPrintMarginTop(double value) { FPrintMarginTop = value; }
    void SetPrintMarginRight(double value) { FPrintMarginRight = value; }
    void SetPrintMarginBottom(double value) { FPrintMarginBottom = value; }
    void SetPrintShowDialog(bool value) { FPrintShowDialog = value; }
    void SetPrintDocumentName(const std::string& value) { FPrintDocumentName = value; }
    const std::string& PrinterName() const { return FPrinterName; }
    void SetPrinterName(const std::string& value) { FPrinterName = value; }

#define DSP_PLOT_MOUSE_EVENTS(Kind)                         \
    TiPlotObjectMouseEvent OnMouseDown##Kind;               \
    TiPlotObjectMouseMoveEvent OnMouseMove##Kind;           \
    TiPlotObjectMouseEvent OnMouseUp##Kind;                 \
    TiPlotObjectIndexEvent OnClick##Kind;                   \
    TiPlotObjectIndexEvent OnDblClick##Kind;                \
    TiPlotObjectGetMouseCursorEvent OnGetMouseCursor##Kind; \
    TiPlotObjectPopupMenuEvent OnPopupMenu##Kind;           \
    TiPlotObjectMouseWheelEvent OnMouseWheel##Kind;         \
    TiPlotObjectIndexEvent OnAdd##Kind;                     \
    TiPlotObjectIndexEvent OnRemove##Kind;
    DSP_PLOT_MOUSE_EVENTS(Channel)
    DSP_PLOT_MOUSE_EVENTS(XAxis)
    DSP_PLOT_MOUSE_EVENTS(YAxis)
    DSP_PLOT_MOUSE_EVENTS(DataCursor)
    DSP_PLOT_MOUSE_EVENTS(DataView)
    DSP_PLOT_MOUSE_EVENTS(Legend)
    DSP_PLOT_MOUSE_EVENTS(Limit)
    DSP_PLOT_MOUSE_EVENTS(Annotation)
#undef DSP_PLOT_MOUSE_EVENTS
    TiPlotObjectGetMouseCursorEvent OnGetMouseCursorTable;
    TiPlotObjectIndexEvent OnAddTable;
    TiPlotObjectIndexEvent OnRemoveTable;
    TiPlotObjectIndexEvent OnGotFocusChannel;
    TiPlotObjectIndexEvent OnGotFocusXAxis;
    TiPlotObjectIndexEvent OnGotFocusYAxis;
    TiPlotObjectIndexEvent OnGotFocusDataCursor;
    TiPlotObjectIndexEvent OnGotFocusDataView;
    TiPlotObjectIndexEvent OnGotFocusLegend;
    TiPlotObjectIndexEvent OnGotFocusAnnotation;
    TiPlotObjectIndexEvent OnLostFocusChannel;
    TiPlotObjectIndexEvent OnLostFocusXAxis;
    TiPlotObjectIndexEvent OnLostFocusYAxis;
    TiPlotObjectIndexEvent OnLostFocusDataCursor;
    TiPlotObjectIndexEvent OnLostFocusDataView;
    TiPlotObjectIndexEvent OnLostFocusLegend;
    TiPlotObjectIndexEvent OnLostFocusAnnotation;
    TiPlotDataPointEvent OnClickDataPoint;
    TiPlotDataPointEvent OnDblClickDataPoint;
    TiPlotDataPointMouseEvent OnMouseDownDataPoint;
    TiPlotDataPointMouseMoveEvent OnMouseMoveDataPoint;
    TiPlotDataPointMouseEvent OnMouseUpDataPoint;
    TiPlotDataPointMovedEvent OnDataPointMoved;
    TiPlotDataPointTextEvent OnDataPointCustomizeHint;
    TiPlotObjectDoubleValueChangeEvent OnXAxisMinChange;
    TiPlotObjectDoubleValueChangeEvent OnYAxisMinChange;
    TiPlotObjectDoubleValueChangeEvent OnXAxisSpanChange;
    TiPlotObjectDoubleValueChangeEvent OnYAxisSpanChange;
    TiPlotAxesMinSpanChangeEvent OnXAxisMinSpanChange;
    TiPlotAxesMinSpanChangeEvent OnYAxisMinSpanChange;
    TiPlotAxesMinSpanChangeEvent OnXAxisMinSpanChangeFinished;
    TiPlotAxesMinSpanChangeEvent OnYAxisMinSpanChangeFinished;
    TiPlotAxesCustomizeLabelEvent OnXAxisCustomizeLabel;
    TiPlotAxesCustomizeLabelEvent OnYAxisCustomizeLabel;
    TiPlotIndexTextEvent OnXAxisCustomizeHint;
    TiPlotIndexTextEvent OnYAxisCustomizeHint;
    TiPlotObjectIndexEvent OnDataCursorChange;
    TiPlotObjectIndexEvent OnBeforeDataCursorUpdate;
    TiPlotIndexTextEvent OnDataCursorCustomizeHint;
    TiPlotIndexTextEvent OnToolBarCustomizeHint;
    TiPlotToolBarButtonEvent OnToolBarButtonClick;
    TiPlotBeforeToolBarButtonEvent OnBeforeToolBarButtonClick;
    TiPlotObjectDoubleValueChangeEvent OnLimitLine1PositionChange;
    TiPlotObjectDoubleValueChangeEvent OnLimitLine2PositionChange;
    TiPlotObjectIndexEvent OnAnnotationCoordinatesChange;
    TiPlotObjectIndexEvent OnAnnotationMoveUser;
    TiPlotObjectIndexEvent OnAnnotationResizeUser;
    TiPlotObjectIndexEvent OnAnnotationCoordinatesChangeFinished;

protected:
    virtual void ObjectInserted(TObject* object);
    virtual void ObjectRemoved(TObject* object);
    virtual void ObjectChanged(TObject* object);
    void Dispatch(TMessage& message) override;

private:
    // Events of one kind of object, as the dispatchers look them up.
    struct TKindEvents {
        TiPlotObjectMouseEvent* mouseDown = nullptr;
        TiPlotObjectMouseMoveEvent* mouseMove = nullptr;
        TiPlotObjectMouseEvent* mouseUp = nullptr;
        TiPlotObjectMouseWheelEvent* mouseWheel = nullptr;
        TiPlotObjectIndexEvent* click = nullptr;
        TiPlotObjectIndexEvent* dblClick = nullptr;
        TiPlotObjectIndexEvent* gotFocus = nullptr;
        TiPlotObjectIndexEvent* lostFocus = nullptr;
        TiPlotObjectGetMouseCursorEvent* getMouseCursor = nullptr;
        TiPlotObjectPopupMenuEvent* popupMenu = nullptr;
        TiPlotObjectIndexEvent* add = nullptr;
        TiPlotObjectIndexEvent* remove = nullptr;
    };
    TKindEvents EventsOf(TiPlotObjectKind kind);
    // The object's index among the objects of its kind, or -1.
    int IndexOf(const TiPlotObject* object) const;

    template <typename T>
    void StoreAndRepaint(T value, T& field) {
        if (value == field) return;
        field = value;
        RequestRepaint();
    }
    void DeleteFrom(TiPlotObjectOwnedManager* manager, int index);
    void ClearManager(TiPlotObjectOwnedManager* manager);
    TiPlotDataView* DataView0() const;

    // Layout helpers over one side's visible objects.
    void FilterVisible(const TiLayoutSideList& side, std::vector<TiPlotLayoutObject*>& visible);
    void UpdateStacking(const std::vector<TiPlotLayoutObject*>& visible);
    int GetSideEndMargin(TCanvas* canvas, const std::vector<TiPlotLayoutObject*>& visible,
                         bool startEnd);
    int GetSideThickness(TCanvas* canvas, const std::vector<TiPlotLayoutObject*>& visible);
    int GetZOrderGroupWidth(TCanvas* canvas, const std::vector<TiPlotLayoutObject*>& visible,
                            int zOrder);
    void DrawFrameObjects(TCanvas* canvas);
    void AddToLayerList(const std::string& key, TiPlotObject* object);

    void SetMouseAxisPixels(TiPlotMouseData& data) const;
    void MasterAxisReplay(TiPlotAxis* sender, const std::function<void(TiPlotAxis*)>& replay);
    void StartHintTimer(int interval);
    void PrintPages();
    // Plays the plot, recorded as a vector picture of its size, into the printer page's rect.
    void PrintPageToRect(const TRect& rect);
    // The paper of the last print, else of the printer now: width and height in inches.
    void PaperInches(double& width, double& height);

    std::unique_ptr<TiPlotMasterManager> FMaster;
    std::vector<std::pair<std::string, TiPlotObject*>> FLayerList;
    TiHintData FHintData;
    int FLastHintX = 0;
    int FLastHintY = 0;
    TRect FLastHintShowRect{};
    TiPlotObject* FLastHintObject = nullptr;
    bool FHintShowing = false;
    std::unique_ptr<TFont> FHintsFont;
    std::vector<TRect> FAxesCollisionList;
    TShiftState FShiftState;
    TPopupMenu* FPopupMenu = nullptr;
    std::array<std::unique_ptr<TImageList>, 3> imageLists_;
    std::string FDefaultSaveImageDirectory;
    TiPlotImageFormatStyle FDefaultSaveImageFormat = ipifBitmap;
    std::string FDefaultPropertyDirectory;
    std::string FDefaultDataDirectory;
    std::string FDefaultAnnotationDirectory;
    bool FMasterAxisBlock = false;
    bool FUserCanAddRemoveChannels = false;
    bool FPrintShowDialog = true;
    TPrinterOrientation FPrintOrientation = poLandscape;
    double FPrintMarginTop = 1.0;
    double FPrintMarginLeft = 1.0;
    double FPrintMarginRight = 1.0;
    double FPrintMarginBottom = 1.0;
    std::string FPrintDocumentName = "Untitled";
    std::string FPrinterName;
    bool FMouseDown = false;
    TiPlotObject* FMouseDownObject = nullptr;
    TiPlotObject* FLastMouseOverObject = nullptr;
    TiPlotObject* FLastMouseClickObject = nullptr;
    TMouseButton FLastMouseClickButton = mbLeft;
    TShiftState FLastMouseClickShift;
    int FLastMouseClickX = 0;
    int FLastMouseClickY = 0;
    int FLastMouseClickScreenX = 0;
    int FLastMouseClickScreenY = 0;
    std::vector<TiPlotLayoutObject*> FVisibleListLeft;
    std::vector<TiPlotLayoutObject*> FVisibleListRight;
    std::vector<TiPlotLayoutObject*> FVisibleListTop;
    std::vector<TiPlotLayoutObject*> FVisibleListBottom;
    int FOuterMarginTop = 5;
    int FOuterMarginLeft = 5;
    int FOuterMarginRight = 5;
    int FOuterMarginBottom = 5;
    bool FSelectingActive = false;
    TiPlotFormStyle FEditorFormStyle = ipfsModal;
    TiPlotExportFormat FCopyToClipBoardFormat = ipefMetaFile;
    bool FClipAnnotationsToAxes = true;
    bool FHintsShow = true;
    int FHintsPause = 500;
    int FHintsHidePause = 2500;
    bool FLoggingActive = false;
    int FLogBufferSize = 0;
    std::string FLogFileName;
    int FLogBufferCount = 0;
    int FAnnotationDefaultPenWidth = 1;
    TBrushStyle annotationDefaultBrushStyle_ = bsSolid;
    TColor annotationDefaultBrushColor_ = clWhite;
    TPenStyle annotationDefaultPenStyle_ = psSolid;
    TColor annotationDefaultPenColor_ = clWhite;
    TiPlotReferenceType annotationDefaultReference_ = iprtDataView;
    TiPlotReferenceIndividual annotationDefaultReferencePositionX_ = ipriAuto;
    TiPlotReferenceIndividual annotationDefaultReferencePositionY_ = ipriAuto;
    TiPlotReferenceIndividual annotationDefaultReferenceSizeX_ = ipriAuto;
    TiPlotReferenceIndividual FAnnotationDefaultReferenceSizeY = ipriAuto;
    std::unique_ptr<TFont> annotationDefaultFont_;
    bool FBackGroundGradientEnabled = false;
    TColor FBackGroundGradientStartColor = clBlue;
    TColor FBackGroundGradientStopColor = clBlack;
    TiFillDirection FBackGroundGradientDirection = ifdTopBottom;
    bool FPaintingActive = false;
    bool FDBLClickActive = false;
    TiPlotDataFileColumnSeparator FDataFileColumnSeparator = ipdfcsTab;
    TiPlotDataFileFormat FDataFileFormat = ipdffText;
    bool FDifferentialPropertySave = false;
    std::string FTempCustomLabel;
    std::unique_ptr<TMetafile> FMetaFile;
    std::unique_ptr<TPicture> FSnapShotPicture;
    double FPrinterPaperWidthInches = 0;
    double FPrinterPaperHeightInches = 0;
    double FPrinterPaperWidthCentimeters = 0;
    double FPrinterPaperHeightCentimeters = 0;
    int FPrinterPaperWidthPixels = 0;
    int FPrinterPaperHeightPixels = 0;
    double FPrintXStart = 0;
    double FPrintXStop = 0;
    std::string FLastPropertiesFileName;
    std::string FLastDataFileName;
};

}  // namespace dsp
