#include "plot/decor/iPlotEditorPages.h"

#include <utility>

namespace dsp {

namespace {

using K = TiEditKind;
using Choices = std::vector<std::string>;

// ---- field makers

TiEditorField F(std::string name, std::string caption, std::string property, K kind) {
    TiEditorField f;
    f.name = std::move(name);
    f.caption = std::move(caption);
    f.property = std::move(property);
    f.kind = kind;
    return f;
}
TiEditorField Text(std::string n, std::string c, std::string p) {
    return F(std::move(n), std::move(c), std::move(p), K::Text);
}
// An integer edit with spin buttons over min..max (0..0: unbounded).
TiEditorField Int(std::string n, std::string c, std::string p, int min = 0, int max = 0,
                  int step = 1) {
    TiEditorField f = F(std::move(n), std::move(c), std::move(p), K::Integer);
    f.min = min;
    f.max = max;
    f.step = step;
    return f;
}
// An integer edit without spin buttons.
TiEditorField IntPlain(std::string n, std::string c, std::string p) {
    return F(std::move(n), std::move(c), std::move(p), K::Integer);
}
TiEditorField Float(std::string n, std::string c, std::string p,
                    TiConverter converter = TiConverter::None) {
    TiEditorField f = F(std::move(n), std::move(c), std::move(p), K::Float);
    f.converter = converter;
    return f;
}
TiEditorField Check(std::string n, std::string c, std::string p) {
    return F(std::move(n), std::move(c), std::move(p), K::Check);
}
TiEditorField Choice(std::string n, std::string c, std::string p, Choices choices) {
    TiEditorField f = F(std::move(n), std::move(c), std::move(p), K::Choice);
    f.choices = std::move(choices);
    return f;
}
TiEditorField Radio(std::string n, std::string c, std::string p, Choices choices) {
    TiEditorField f = F(std::move(n), std::move(c), std::move(p), K::Radio);
    f.choices = std::move(choices);
    return f;
}
TiEditorField EditChoice(std::string n, std::string c, std::string p, Choices choices) {
    TiEditorField f = F(std::move(n), std::move(c), std::move(p), K::EditChoice);
    f.choices = std::move(choices);
    return f;
}
TiEditorField Colour(std::string n, std::string c, std::string p) {
    return F(std::move(n), std::move(c), std::move(p), K::Colour);
}
TiEditorField Font(std::string n, std::string c, std::string p) {
    return F(std::move(n), std::move(c), std::move(p), K::Font);
}
TiEditorField Name(std::string n, std::string c, std::string p) {
    return F(std::move(n), std::move(c), std::move(p), K::Name);
}
TiEditorField Button(std::string n, std::string c) {
    return F(std::move(n), std::move(c), "", K::Button);
}
TiEditorField Display(std::string n, std::string c) {
    return F(std::move(n), std::move(c), "", K::Display);
}
TiEditorField Picker(K kind, std::string n, std::string c, std::string filter, std::string ext,
                     bool mustExist = false) {
    TiEditorField f = F(std::move(n), std::move(c), "", kind);
    f.filter = std::move(filter);
    f.defaultExt = std::move(ext);
    f.mustExist = mustExist;
    return f;
}
TiEditorField StripOnly(TiEditorField f) {
    f.stripOnly = true;
    return f;
}

TiEditorTab Tab(std::string caption, std::vector<TiEditorField> fields, int columns = 2) {
    TiEditorTab t;
    t.caption = std::move(caption);
    t.fields = std::move(fields);
    t.columns = columns;
    return t;
}

// ---- choice lists, in the enumerations' ordinal order

const Choices kPenStyles{"Solid", "Dash", "Dot", "DashDot", "DashDotDot", "Clear", "InsideFrame"};
const Choices kPenStylesSpaced{"Solid",      "Dash",  "Dot",         "DashDot",
                               "DashDotDot", "Clear", "Inside Frame"};
const Choices kTraceStyles{"Solid", "Dash", "Dot", "DashDot", "DashDotDot"};
const Choices kBrushStyles{"Solid",     "Clear",     "Horizontal", "Vertical",
                           "FDiagonal", "BDiagonal", "Cross",      "DiagCross"};
const Choices kReferenceIndividual{"DataView", "Channel", "Auto"};
const Choices kGridLineStyles{"Solid", "Dash", "Dot"};
const Choices kFormatStyles{"Value", "Exponent", "Prefix", "Date/Time", "Price 32nds", "Thousands"};
const Choices kDateTimeFormats{"hh:nn:ss",
                               "hh:nn:ss.zzz",
                               "m/d hh:nn:ss",
                               "d mmm h:nn:ss am/pm",
                               "m/d/yy h:nn:ss am/pm",
                               "m/d/yyyy h:nn:ss am/pm"};
const Choices kPrecisionStyles{"Significant Digits", "Fixed Decimal Points"};
const Choices kAxesControlStyles{"X-Axis", "Y-Axis", "Both", "None"};

const char* const kConfigFilter = "Config (*.cfg)|*.cfg|All Files (*.*)|*.*";
const char* const kLogFilter = "Log (*.log)|*.log|All Files (*.*)|*.*";

// ---- the Control page

std::vector<TiEditorTab> MakeControlTabs() {
    return {
        Tab("General", {Check("AutoFrameRateCheckBox", "Auto Frame Rate", "AutoFrameRate"),
                        Int("UpdateFrameRateEdit", "Update Frame Rate", "UpdateFrameRate", 0, 100),
                        Check("ClipAnnotationsToAxesCheckBox", "Clip Annotations To Axes",
                              "ClipAnnotationsToAxes"),
                        Radio("BorderStyleRadioGroup", "Border Style", "BorderStyle",
                              {"None", "Raised", "Lowered"}),
                        Choice("CopyToClipBoardFormatComboBox", "Copy To ClipBoard Format",
                               "CopyToClipBoardFormat", {"Meta File", "Bitmap", "JPEG"}),
                        Choice("FileColumnSeparatorComboBox", "File Column Separator",
                               "DataFileColumnSeparator", {"Tab", "Comma"}),
                        Int("OuterMarginLeftEdit", "Outer Margin/Left", "OuterMarginLeft"),
                        Int("OuterMarginTopEdit", "Outer Margin/Top", "OuterMarginTop"),
                        Int("OuterMarginRightEdit", "Outer Margin/Right", "OuterMarginRight"),
                        Int("OuterMarginBottomEdit", "Outer Margin/Bottom", "OuterMarginBottom")}),
        Tab("Title", {Check("TitleVisibleCheckBox", "Visible", "TitleVisible"),
                      Text("TitleTextEdit", "Text", "TitleText"),
                      Float("TitleMarginEdit", "Margin", "TitleMargin"),
                      Font("TitleFontPicker", "Font", "TitleFont")}),
        Tab("Background", {Colour("BackGroundColorPicker", "Color", "BackGroundColor"),
                           Check("BackGroundGradientEnabledCheckBox", "Gradient/Enabled",
                                 "BackGroundGradientEnabled"),
                           Colour("BackGroundGradientStartColorPicker", "Gradient/Start Color",
                                  "BackGroundGradientStartColor"),
                           Colour("BackGroundGradientStopColorPicker", "Gradient/Stop Color",
                                  "BackGroundGradientStopColor"),
                           Choice("BackGroundGradientDirectionComboBox", "Gradient/Direction",
                                  "BackGroundGradientDirection",
                                  {"Top/Bottom", "Bottom/Top", "Left/Right", "Right/Left",
                                   "Top Left/Bottom Right", "Bottom Right/Top Left",
                                   "Bottom Left/Top Right", "Top Right/Bottom Left",
                                   "Rectangle Out", "Rectangle In", "Circle Out", "Circle In"})}),
        Tab("Print", {Check("PrintShowDialogCheckBox", "Show Dialog", "PrintShowDialog"),
                      Radio("PrintOrientationRadioGroup", "Orientation", "PrintOrientation",
                            {"Portrait", "Landscape"}),
                      Float("PrintMarginLeftEdit", "Margin/Left", "PrintMarginLeft"),
                      Float("PrintMarginTopEdit", "Margin/Top", "PrintMarginTop"),
                      Float("PrintMarginRightEdit", "Margin/Right", "PrintMarginRight"),
                      Float("PrintMarginBottomEdit", "Margin/Bottom", "PrintMarginBottom"),
                      Text("PrintDocumentNameEdit", "Document Name", "PrintDocumentName")}),
        Tab("Hints", {Check("HintsShowCheckBox", "Show", "HintsShow"),
                      Int("HintsPauseEdit", "Pause", "HintsPause"),
                      Int("HintsHidePauseEdit", "Hide Pause", "HintsHidePause"),
                      Font("HintsFontPicker", "Font", "HintsFont")}),
        Tab("File I/O",
            {Picker(K::OpenPicker, "ControlPropertiesOpenPicker", "Properties/Load", kConfigFilter,
                    "cfg", true),
             Picker(K::SavePicker, "ControlPropertiesSavePicker", "Properties/Save", kConfigFilter,
                    "cfg"),
             Picker(K::OpenPicker, "ControlDataOpenPicker", "Data/Load",
                    "Data (*.dat)|*.dat|Log (*.log)|*.log|All Files (*.*)|*.*", "dat"),
             Picker(K::SavePicker, "ControlDataSavePicker", "Data/Save",
                    "Data (*.dat)|*.dat|All Files (*.*)|*.*", "dat"),
             Text("ControlLogFileNameEdit", "Log/File Name", "LogFileName"),
             Picker(K::OpenPicker, "ControlLogFileNamePicker", "Log/...", kLogFilter, "log"),
             Int("ControlLogBufferSizeEdit", "Log/Buffer Size", "LogBufferSize"),
             Button("ControlLogActivateButton", "Log/Activate"),
             Button("ControlLogDeactivateButton", "Log/Deactivate"),
             Picker(K::OpenPicker, "ControlAnnotationOpenPicker", "Annotations/Load",
                    "Annotations (*.ano)|*.ano|All Files (*.*)|*.*", "dat"),
             Picker(K::SavePicker, "ControlAnnotationSavePicker", "Annotations/Save",
                    "Annotations (*.ano)|*.ano|All Files (*.*)|*.*", "dat")},
            3),
        Tab("Annotation Defaults",
            {Colour("AnnotationDefaultPenColorPicker", "Pen/Color", "AnnotationDefaultPenColor"),
             Choice("AnnotationDefaultPenStyleComboBox", "Pen/Style", "AnnotationDefaultPenStlye",
                    kPenStylesSpaced),
             Int("AnnotationDefaultPenWidthEdit", "Pen/Width", "AnnotationDefaultPenWidth", 0, 100),
             Colour("AnnotationDefaultBrushColorPicker", "Brush/Color",
                    "AnnotationDefaultBrushColor"),
             Choice("AnnotationDefaultBrushStyleComboBox", "Brush/Style",
                    "AnnotationDefaultBrushStlye", kBrushStyles),
             Choice("AnnotationDefaultReferenceComboBox", "Reference", "AnnotationDefaultReference",
                    {"DataView", "Channel", "X-Channel Y-DataView", "Y-Channel X-DataView "}),
             Choice("AnnotationDefaultReferencePositionXComboBox", "Reference Position-X",
                    "AnnotationDefaultReferencePositionX", kReferenceIndividual),
             Choice("AnnotationDefaultReferencePositionYComboBox", "Reference Position-Y",
                    "AnnotationDefaultReferencePositionY", kReferenceIndividual),
             Choice("AnnotationDefaultReferenceSizeXComboBox", "Reference Size-X",
                    "AnnotationDefaultReferenceSizeX", kReferenceIndividual),
             Choice("AnnotationDefaultReferenceSizeYComboBox", "Reference Size-Y",
                    "AnnotationDefaultReferenceSizeY", kReferenceIndividual),
             Font("AnnotationDefaultFontPicker", "Font", "AnnotationDefaultFont")}),
    };
}

// ---- the Channels page

TiEditorPage MakeChannelPage() {
    TiEditorPage page;
    page.caption = "Channels";
    page.prefix = "Channel";
    page.kind = TiPlotObjectKind::Channel;
    page.pageControl = "ChannelPageControl";
    page.listName = "ChannelListBox";
    page.addButton = "iChannelAddButton";
    page.removeButton = "ChannelRemoveButton";
    TiEditorTab highLow =
        Tab("High/Low",
            {StripOnly(Choice("ChannelHighLowStyleComboBox", "Style", "HighLowStyle",
                              {"Open/Close", "Candlestick"})),
             StripOnly(Check("ChannelHighLowEnabledCheckBox", "Enabled", "HighLowEnabled"))});
    highLow.stripOnly = true;
    highLow.innerPageControl = "ChannelHighLowPageControl";
    highLow.inner = {
        Tab("Open/Close",
            {StripOnly(Colour("ChannelHighLowBarColorPicker", "Bar/Color", "HighLowBarColor")),
             StripOnly(Float("ChannelHighLowBarWidthEdit", "Bar/Width", "HighLowBarWidth",
                             TiConverter::Interval)),
             StripOnly(Check("ChannelHighLowOpenShowCheckBox", "Open/Show", "HighLowOpenShow")),
             StripOnly(Colour("ChannelHighLowOpenColorPicker", "Open/Color", "HighLowOpenColor")),
             StripOnly(Float("ChannelHighLowOpenWidthEdit", "Open/Width", "HighLowOpenWidth",
                             TiConverter::Interval)),
             StripOnly(Float("ChannelHighLowOpenHeightEdit", "Open/Height", "HighLowOpenHeight",
                             TiConverter::Interval)),
             StripOnly(Check("ChannelHighLowCloseShowCheckBox", "Close/Show", "HighLowCloseShow")),
             StripOnly(
                 Colour("ChannelHighLowCloseColorPicker", "Close/Color", "HighLowCloseColor")),
             StripOnly(Float("ChannelHighLowCloseWidthEdit", "Close/Width", "HighLowCloseWidth",
                             TiConverter::Interval)),
             StripOnly(Float("ChannelHighLowCloseHeightEdit", "Close/Height", "HighLowCloseHeight",
                             TiConverter::Interval))},
            3),
        Tab("Candlestick", {StripOnly(Colour("ChannelHighLowShadowColorPicker", "Shadow Color",
                                             "HighLowShadowColor")),
                            StripOnly(Colour("ChannelHighLowBullishColorPicker", "Bullish Color",
                                             "HighLowBullishColor")),
                            StripOnly(Colour("ChannelHighLowBearishColorPicker", "Bearish Color",
                                             "HighLowBearishColor"))}),
    };
    const auto stripTab = [](TiEditorTab tab) {
        tab.stripOnly = true;
        for (TiEditorField& f : tab.fields) f.stripOnly = true;
        return tab;
    };
    page.tabs = {
        Tab("General",
            {Text("ChannelNameEdit", "Name", "Name"),
             Check("ChannelVisibleCheckBox", "Visible", "Visible"),
             Check("ChannelPopupEnabledCheckBox", "Popup Enabled", "PopupEnabled"),
             Int("ChannelLayerEdit", "Layer", "Layer"),
             Text("ChannelTitleEdit", "Title", "TitleText"),
             Check("ChannelVisibleInLegendCheckBox", "Visible in Legend", "VisibleInLegend"),
             Check("ChannelUserCanMoveDataPointsCheckBox", "User Can Move Data Points",
                   "UserCanMoveDataPoints"),
             Choice("ChannelUserCanMoveDataPointsStyleComboBox", "Style",
                    "UserCanMoveDataPointsStyle", {"X and Y", "X Only", "Y Only"}),
             IntPlain("ChannelRingBufferSizeEdit", "Ring Buffer Size", "RingBufferSize"),
             Colour("ChannelColorPicker", "Color", "Color"),
             Name("ChannelXAxisNameComboBox", "X-Axis Name", "XAxisName"),
             Name("ChannelYAxisNameComboBox", "Y-Axis Name", "YAxisName"),
             Check("ChannelXAxisTrackingEnabled", "X-Axis Tracking Enabled",
                   "XAxisTrackingEnabled"),
             Check("ChannelYAxisTrackingEnabled", "Y-Axis Tracking Enabled",
                   "YAxisTrackingEnabled"),
             Choice("ChannelDataStyleComboBox", "Data Style", "DataStyle",
                    {"Standard", "Compact", "Compact Interval", "Full Feature"}),
             StripOnly(Check("ChannelFastDrawCheckBox", "Fast Draw", "FastDrawEnabled")),
             Check("ChannelClipToAxesCheckBox", "Clip To Axes", "ClipToAxes")},
            2),
        Tab("Trace",
            {Check("ChannelTraceVisibleCheckBox", "Visible", "TraceVisible"),
             Choice("ChannelTraceLineStyleComboBox", "Line Style", "TraceLineStyle", kTraceStyles),
             Int("ChannelTraceLineWidthEdit", "Line Width", "TraceLineWidth", 0, 100),
             StripOnly(Choice("ChannelInterpolationStyleComboBox", "Interpolation Style",
                              "InterpolationStyle",
                              {"Straight Line", "Cubic Spline", "Polynomial", "Rational",
                               "Differential", "Differential Terminated"}))}),
        Tab("Marker",
            {Check("ChannelMarkersVisible", "Visible", "MarkersVisible"),
             Check("ChannelMarkersAllowIndividual", "Allow Individual", "MarkersAllowIndividual"),
             Int("ChannelMarkersSizeEdit", "Size", "MarkersSize", 0, 100),
             Choice("ChannelMarkersStyleComboBox", "Style", "MarkersStyle",
                    {"Circle", "Square", "Diamond", "Cross", "Plus", "Triangle Up", "Triangle Down",
                     "Triangle Left", "Triangle Right", "Vertical Line", "Horizontal Line",
                     "Character"}),
             Colour("ChannelMarkersPenColorPicker", "Pen/Color", "MarkersPenColor"),
             Check("ChannelMarkersPenUseChannelColorCheckBox", "Pen/Use Channel Color",
                   "MarkersPenUseChannelColor"),
             Choice("ChannelMarkersPenStyleComboBox", "Pen/Style", "MarkersPenStyle", kPenStyles),
             Int("ChannelMarkersPenWidthEdit", "Pen/Width", "MarkersPenWidth", 0, 100),
             Colour("ChannelMarkersBrushColorPicker", "Brush/Color", "MarkersBrushColor"),
             Check("ChannelMarkersBrushUseChannelColorCheckBox", "Brush/Use Channel Color",
                   "MarkersBrushUseChannelColor"),
             Choice("ChannelMarkersBrushStyleComboBox", "Brush/Style", "MarkersBrushStyle",
                    kBrushStyles),
             Int("ChannelMarkersTurnOffLimitEdit", "Turn Off Limit", "MarkersTurnOffLimit", 0,
                 20000, 100),
             Font("ChannelMarkersFontPicker", "Font", "MarkersFont")},
            2),
        stripTab(Tab(
            "Bar",
            {Check("ChannelBarEnabledCheckBox", "Enabled", "BarEnabled"),
             Float("ChannelBarWidthEdit", "Width", "BarWidth", TiConverter::Interval),
             Float("ChannelBarReferenceEdit", "Reference", "BarReference"),
             Check("ChannelBarPenUseChannelColorCheckBox", "Pen/Use Channel Color",
                   "BarPenUseChannelColor"),
             Choice("ChannelBarPenStyleComboBox", "Pen/Style", "BarPenStyle", kPenStyles),
             Colour("ChannelBarPenColorPicker", "Pen/Color", "BarPenColor"),
             Int("ChannelBarPenWidthEdit", "Pen/Width", "BarPenWidth", 0, 100),
             Check("ChannelBarBrushUseChannelColorCheckBox", "Brush/Use Channel Color",
                   "BarBrushUseChannelColor"),
             Choice("ChannelBarBrushStyleComboBox", "Brush/Style", "BarBrushStyle", kBrushStyles),
             Colour("ChannelBarBrushColorPicker", "Brush/Color", "BarBrushColor")},
            2)),
        highLow,
        stripTab(
            Tab("Fill", {Check("ChannelFillEnabledCheckBox", "Enabled", "FillEnabled"),
                         Float("ChannelFillReferenceEdit", "Reference", "FillReference"),
                         Choice("ChannelFillStyleComboBox", "Style", "FillStyle", kBrushStyles),
                         Colour("ChannelFillColorPicker", "Color", "FillColor"),
                         Check("ChannelFillUseChannelColorCheckBox", "Use Channel Color",
                               "FillUseChannelColor")})),
        stripTab(
            Tab("Digital",
                {Check("ChannelDigitalEnabledCheckBox", "Enabled", "DigitalEnabled"),
                 Float("ChannelDigitalReferenceHighEdit", "Reference High", "DigitalReferenceHigh"),
                 Float("ChannelDigitalReferenceLowEdit", "Reference Low", "DigitalReferenceLow"),
                 Choice("ChannelDigitalReferenceStyleComboBox", "Reference Style",
                        "DigitalReferenceStyle", {"Scale", "Percent"})})),
        Tab("File I/O",
            {Text("ChannelLogFileNameEdit", "Log/File Name", "LogFileName"),
             Picker(K::OpenPicker, "ChannelLogFileNamePicker", "Log/...", kLogFilter, "log"),
             Int("ChannelLogBufferSizeEdit", "Log/Buffer Size", "LogBufferSize", 0, 32767),
             Button("ChannelLogActivateButton", "Log/Activate"),
             Button("ChannelLogDeactivateButton", "Log/Deactivate"),
             Picker(K::OpenPicker, "ChannelPropertiesOpenPicker", "Properties/Load", kConfigFilter,
                    "cfg"),
             Picker(K::SavePicker, "ChannelPropertiesSavePicker", "Properties/Save", kConfigFilter,
                    "cfg"),
             Picker(K::OpenPicker, "ChannelDataOpenPicker", "Data/Load",
                    "Data (*.dat)|*.dat|All Files (*.*)|*.*", "dat"),
             Picker(K::SavePicker, "ChannelDataSavePicker", "Data/Save",
                    "Data (*.dat)|*.dat|All Files (*.*)|*.*", "dat")},
            3),
        Tab("Stats", {Display("ChannelStatsPointCountDisplay", "Point Count"),
                      Display("ChannelStatsPointCapacityDisplay", "Point Capacity"),
                      Display("ChannelStatsMemoryDisplay", "Memory Used"),
                      Display("ChannelStatsDataPointSizeDisplay", "Data Point Size"),
                      Display("ChannelStatsMaxDataPointsDisplay", "Max Data Points"),
                      Display("ChannelStatsXMinDisplay", "X-Min"),
                      Display("ChannelStatsXMaxDisplay", "X-Max"),
                      Display("ChannelStatsXMeanDisplay", "X-Mean"),
                      Display("ChannelStatsYMinDisplay", "Y-Min"),
                      Display("ChannelStatsYMaxDisplay", "Y-Max"),
                      Display("ChannelStatsYMeanDisplay", "Y-Mean"),
                      Button("ChannelStatsRefreshButton", "Refresh")}),
    };
    // The base channel's tabs, its markers font, then what only strip charts have.
    page.writeOrder = {"Name",
                       "Visible",
                       "PopupEnabled",
                       "Layer",
                       "TitleText",
                       "VisibleInLegend",
                       "UserCanMoveDataPoints",
                       "UserCanMoveDataPointsStyle",
                       "RingBufferSize",
                       "Color",
                       "XAxisName",
                       "YAxisName",
                       "XAxisTrackingEnabled",
                       "YAxisTrackingEnabled",
                       "DataStyle",
                       "TraceVisible",
                       "TraceLineStyle",
                       "TraceLineWidth",
                       "MarkersVisible",
                       "MarkersAllowIndividual",
                       "MarkersSize",
                       "MarkersStyle",
                       "MarkersPenColor",
                       "MarkersPenUseChannelColor",
                       "MarkersPenStyle",
                       "MarkersPenWidth",
                       "MarkersBrushColor",
                       "MarkersBrushUseChannelColor",
                       "MarkersBrushStyle",
                       "MarkersTurnOffLimit",
                       "LogFileName",
                       "LogBufferSize",
                       "MarkersFont",
                       "FillEnabled",
                       "FillReference",
                       "FillStyle",
                       "FillColor",
                       "FillUseChannelColor",
                       "BarEnabled",
                       "BarWidth",
                       "BarReference",
                       "BarPenUseChannelColor",
                       "BarPenStyle",
                       "BarPenColor",
                       "BarPenWidth",
                       "BarBrushUseChannelColor",
                       "BarBrushStyle",
                       "BarBrushColor",
                       "HighLowStyle",
                       "HighLowEnabled",
                       "HighLowBarColor",
                       "HighLowBarWidth",
                       "HighLowOpenShow",
                       "HighLowOpenColor",
                       "HighLowOpenWidth",
                       "HighLowOpenHeight",
                       "HighLowCloseShow",
                       "HighLowCloseColor",
                       "HighLowCloseWidth",
                       "HighLowCloseHeight",
                       "HighLowShadowColor",
                       "HighLowBullishColor",
                       "HighLowBearishColor",
                       "DigitalEnabled",
                       "DigitalReferenceHigh",
                       "DigitalReferenceLow",
                       "DigitalReferenceStyle",
                       "FastDrawEnabled",
                       "ClipToAxes",
                       "InterpolationStyle"};
    return page;
}

// ---- Cursors, Limits, Labels

TiEditorPage MakeCursorPage() {
    TiEditorPage page;
    page.caption = "Cursors";
    page.prefix = "DataCursor";
    page.kind = TiPlotObjectKind::DataCursor;
    page.pageControl = "DataCursorPageControl";
    page.listName = "DataCursorListBox";
    page.addButton = "iDataCursorAddButton";
    page.removeButton = "DataCursorRemoveButton";
    page.tabs = {
        Tab("General",
            {Text("DataCursorNameEdit", "Name", "Name"),
             Check("DataCursorPopupEnabledCheckBox", "Popup Enabled", "PopupEnabled"),
             Check("DataCursorSnapToDataPointCheckBox", "Snap To Data Point", "SnapToDataPoint"),
             Choice("DataCursorStyleComboBox", "Style", "Style",
                    {"Value XY", "Value X", "Value Y", "Delta X", "Delta Y", "Inverse Delta X"}),
             Colour("DataCursorColorPicker", "Color", "Color"),
             Check("DataCursorUseChannelColorCheckBox", "Use Channel Color", "UseChannelColor"),
             Float("DataCursorPointer1PositionEdit", "Pointer 1 Position", "Pointer1Position"),
             Float("DataCursorPointer2PositionEdit", "Pointer 2 Position", "Pointer2Position"),
             Int("DataCursorPointerPenWidthEdit", "Pointer Pen Width", "PointerPenWidth", 1, 50),
             Font("DataCursorFontPicker", "Font", "Font")}),
        Tab("Channel", {Name("DataCursorChannelNameComboBox", "Name", "ChannelName"),
                        Check("DataCursorChannelAllowAllCheckBox", "Allow All", "ChannelAllowAll"),
                        Check("DataCursorChannelShowAllInLegendCheckBox", "Show All In Legend",
                              "ChannelShowAllInLegend")}),
        Tab("Hint",
            {Float("DataCursorHintPositionEdit", "Position", "HintPosition"),
             Check("DataCursorHintShowCheckBox", "Show", "HintShow"),
             Check("DataCursorHintHideOnReleaseCheckBox", "Hide On Release", "HintHideOnRelease"),
             Radio("DataCursorOrientationSideRadioGroup", "Orientation Side", "HintOrientationSide",
                   {"Bottom-Right", "Top-Left"})}),
    };
    page.writeOrder = {"Name",
                       "PopupEnabled",
                       "SnapToDataPoint",
                       "Style",
                       "Color",
                       "UseChannelColor",
                       "HintPosition",
                       "HintShow",
                       "HintHideOnRelease",
                       "HintOrientationSide",
                       "Pointer1Position",
                       "Pointer2Position",
                       "PointerPenWidth",
                       "ChannelName",
                       "ChannelAllowAll",
                       "ChannelShowAllInLegend",
                       "Font"};
    return page;
}

TiEditorPage MakeLimitPage() {
    TiEditorPage page;
    page.caption = "Limits";
    page.prefix = "Limit";
    page.kind = TiPlotObjectKind::Limit;
    page.pageControl = "LimitPageControl";
    page.listName = "LimitListBox";
    page.addButton = "iLimitAddButton";
    page.removeButton = "LimitRemoveButton";
    page.tabs = {
        Tab("General",
            {Text("LimitNameEdit", "Name", "Name"),
             Check("LimitVisibleCheckBox", "Visible", "Visible"),
             Check("LimitUserCanMoveCheckBox", "User Can Move", "UserCanMove"),
             Check("LimitPopUpEnabledCheckBox", "Popup Enabled", "PopupEnabled"),
             Check("LimitClipToAxesCheckBox", "Clip To Axes", "ClipToAxes"),
             Int("LimitLayerEdit", "Layer", "Layer"),
             Choice("LimitStyleComboBox", "Style", "Style",
                    {"Line X", "Line Y", "Band X", "Band Y", "Poly Band X", "Poly Band Y"}),
             Float("LimitLine1PositionEdit", "Line 1 Position", "Line1Position"),
             Float("LimitLine2PositionEdit", "Line 2 Position", "Line2Position"),
             Choice("LimitFillStyleCombobox", "Fill Style", "FillStyle", kBrushStyles),
             Choice("LimitLineStyleComboBox", "Line Style", "LineStyle", kPenStylesSpaced),
             Int("LimitLineWidthEdit", "Line Width", "LineWidth", 0, 100),
             Colour("LimitColorPicker", "Color", "Color"),
             Name("LimitXAxisNameComboBox", "X-Axis Name", "XAxisName"),
             Name("LimitYAxisNameComboBox", "Y-Axis Name", "YAxisName")},
            2),
    };
    return page;
}

TiEditorPage MakeLabelPage() {
    TiEditorPage page;
    page.caption = "Labels";
    page.prefix = "Label";
    page.kind = TiPlotObjectKind::Label;
    page.pageControl = "LabelPageControl";
    page.listName = "LabelListBox";
    page.addButton = "iLabelAddButton";
    page.removeButton = "LabelRemoveButton";
    page.tabs = {
        Tab("General", {Text("LabelNameEdit", "Name", "Name"),
                        Check("LabelVisibleCheckBox", "Visible", "Visible"),
                        Text("LabelCaptionMemo", "Caption", "Caption"),
                        Float("LabelMarginLeftEdit", "Margin/Left", "MarginLeft"),
                        Float("LabelMarginTopEdit", "Margin/Top", "MarginTop"),
                        Float("LabelMarginRightEdit", "Margin/Right", "MarginRight"),
                        Float("LabelMarginBottomEdit", "Margin/Bottom", "MarginBottom"),
                        Choice("LabelAlignmentComboBox", "Alignment", "Alignment",
                               {"Center", "Left", "Right"}),
                        Int("LabelImageListIndexEdit", "Image List Index", "ImageListIndex", -1, 2),
                        Int("LabelImageIndexEdit", "Image Index", "ImageIndex", -1, 255),
                        Font("LabelFontPicker", "Font", "Font")}),
    };
    return page;
}

// ---- the axis pages

TiEditorPage MakeAxisPage(bool x) {
    const std::string p = x ? "XAxis" : "YAxis";
    TiEditorPage page;
    page.caption = x ? "X-Axes" : "Y-Axes";
    page.prefix = p;
    page.kind = x ? TiPlotObjectKind::XAxis : TiPlotObjectKind::YAxis;
    page.pageControl = p + "PageControl";
    page.listName = p + "ListBox";
    page.addButton = x ? "XAxesAddButton" : "YAxesAddButton";
    page.removeButton = p + "RemoveButton";
    const int labelPrecisionMax = x ? 1000 : 20;
    const auto formatTab = [&](const std::string& tab, const std::string& property,
                               int precisionMax) {
        const std::string c = p + tab;
        return Tab(tab,
                   {Check(c + "UseDefaultFormatCheckBox", "Use Default Format",
                          property + "UseDefaultFormat"),
                    Choice(c + "FormatStyleComboBox", "Format Style", property + "FormatStyle",
                           kFormatStyles),
                    EditChoice(c + "DateTimeFormatComboBox", "Date Time Format",
                               property + "DateTimeFormat", kDateTimeFormats),
                    Choice(c + "PrecisionStyleComboBox", "Precision Style",
                           property + "PrecisionStyle", kPrecisionStyles),
                    Int(c + "PrecisionEdit", "Precision", property + "Precision", 0, precisionMax),
                    Float(c + "MinLengthEdit", "Min Length", property + "MinLength"),
                    Check(c + "MinLengthAutoAdjustCheckBox", "Min Length Auto Adjust",
                          property + "MinLengthAutoAdjust"),
                    Button(c + "CopyDefaultButton", "Copy Default")});
    };
    TiEditorTab labels = Tab("Labels", {});
    labels.innerPageControl = p + "LabelsPageControl";
    labels.inner = {
        Tab("(Default)",
            {Check(p + "LabelVisibleCheckBox", "Visible", "LabelsVisible"),
             Float(p + "LabelMarginEdit", "Margin", "LabelsMargin"),
             Choice(p + "LabelFormatStyleComboBox", "Format Style", "LabelsFormatStyle",
                    kFormatStyles),
             Choice(p + "LabelRotationComboBox", "Rotation", "LabelsRotation",
                    {"0", "90", "180", "270"}),
             EditChoice(p + "DateTimeFormatComboBox", "Date Time Format", "DateTimeFormat",
                        kDateTimeFormats),
             Choice(p + "LabelPrecisionStyleComboBox", "Precision Style", "LabelsPrecisionStyle",
                    kPrecisionStyles),
             Int(p + "LabelPrecisionEdit", "Precision", "LabelsPrecision", 0, labelPrecisionMax),
             Float(p + "LabelMinLengthEdit", "Min Length", "LabelsMinLength"),
             Check(p + "LabelMinLengthAutoAdjustCheckBox", "Min Length Auto Adjust",
                   "LabelsMinLengthAutoAdjust"),
             Float(p + "LabelSeparationEdit", "Label Separation", "LabelSeparation"),
             Font(p + "LabelFontPicker", "Font", "LabelsFont")}),
        formatTab("Cursor", "Cursor", 20),
        formatTab("Legend", "Legend", labelPrecisionMax),
    };
    page.tabs = {
        Tab("General",
            {Text(p + "NameEdit", "Name", "Name"),
             Check(p + "VisibleCheckBox", "Visible", "Visible"),
             Check(p + "GridLinesVisibleCheckBox", "Grid Lines Visible", "GridLinesVisible"),
             Check(p + "EnabledCheckBox", "Enabled", "Enabled"),
             Check(p + "PopupEnabledCheckBox", "Popup Enabled", "PopupEnabled"),
             Float(p + "MinEdit", "Min", "Min", TiConverter::DateTime),
             Float(p + "SpanEdit", "Span", "Span", TiConverter::Interval),
             Float(p + "DesiredStartEdit", "Desired Start", "DesiredStart", TiConverter::Interval),
             Float(p + "DesiredIncrementEdit", "Desired Increment", "DesiredIncrement",
                   TiConverter::Interval),
             Check(p + "ReverseScaleCheckBox", "Reverse Scale", "ReverseScale"),
             Check(p + "RestoreValuesOnResumeCheckBox", "Restore Values On Resume",
                   "RestoreValuesOnResume"),
             Check(p + "MasterUIInputCheckBox", "Master UI Input", "MasterUIInput"),
             Radio(p + "ScaleTypeRadioGroup", "Scale Type", "ScaleType", {"Linear", "Log10"})}),
        Tab("Title", {Text(p + "TitleTextEdit", "Text", "Title"),
                      Float(p + "TitleMarginEdit", "Margin", "TitleMargin"),
                      Check(p + "TitleShowCheckBox", "Show", "TitleShow"),
                      Check(p + "TitleRotatedCheckBox", "Rotated", "TitleRotated"),
                      Font(p + "TitleFontPicker", "Font", "TitleFont")}),
        labels,
        Tab("Tracking",
            {Check(p + "TrackingEnabledCheckBox", "Enabled", "TrackingEnabled"),
             Choice(p + "TrackingStyleComboBox", "Style", "TrackingStyle",
                    {"Scale Min & Max", "Scale Max", "Scale Min", "Scroll Smooth", "Scroll Page",
                     "Expand Collapse", "Expand Collapse Fast", "Expand Min & Max"}),
             Choice(p + "TrackingIncrementStyleComboBox", "Increment Style",
                    "TrackingIncrementStyle", {"Minimum", "Major", "Minor"}),
             Choice(p + "TrackingAlignFirstStyleComboBox", "Align First Style",
                    "TrackingAlignFirstStyle", {"Min", "Max", "Auto", "None"}),
             Float(p + "TrackingScrollCompressMaxEdit", "Scroll Compress Max",
                   "TrackingScrollCompressMax"),
             Float(p + "TrackingSpanMinimumEdit", "Span Minimum", "TrackingSpanMinimum"),
             Float(p + "TrackingMaxMarginEdit", "Max Margin", "TrackingMaxMargin"),
             Float(p + "TrackingMinMarginEdit", "Min Margin", "TrackingMinMargin")}),
        Tab("Cursor", {Float(p + "CursorScalerEdit", "Scaler", "CursorScaler")}),
        Tab("Scroll",
            {Check(p + "ScrollMinMaxEnabledCheckBox", "Min/Max Enabled", "ScrollMinMaxEnabled"),
             Float(p + "ScrollMinEdit", "Min", "ScrollMin"),
             Float(p + "ScrollMaxEdit", "Max", "ScrollMax")}),
        Tab("Scale",
            {Float(p + "StartPercentEdit", "Start Percent", "StartPercent"),
             Float(p + "StopPercentEdit", "Stop Percent", "StopPercent"),
             Int(p + "InnerMarginEdit", "Inner Margin", "InnerMargin", -1000, 1000),
             Int(p + "OuterMarginEdit", "Outer Margin", "OuterMargin", -1000, 1000),
             Check(p + "ScaleLinesShowCheckBox", "Lines Show", "ScaleLinesShow"),
             Colour(p + "ScaleLinesColorPicker", "Lines Color", "ScaleLinesColor"),
             Int(p + "MajorLengthEdit", "Major Length", "MajorLength", 0, 1000),
             Int(p + "MinorLengthEdit", "Minor Length", "MinorLength", 0, 1000),
             Int(p + "MinorCountEdit", "Minor Count", "MinorCount", 0, 100),
             Float(p + "StackingEndsMarginEdit", "Stacking Ends Margin", "StackingEndsMargin"),
             Check(p + "ForceStackingCheckBox", "Force Stacking", "ForceStacking"),
             Name(p + "AlignRefAxisNameComboBox", "Align Ref Axis Name", "AlignRefAxisName")}),
        Tab("Cartesian", {Int(p + "LayerEdit", "Layer", "Layer"),
                          Choice(p + "CartesianStyleComboBox", "Style", "CartesianStyle",
                                 {"None", "Master", "Child"}),
                          Name(p + "CartesianChildRefAxisNameComboBox", "Child Ref Axis Name",
                               "CartesianChildRefAxisName"),
                          Float(p + "CartesianChildRefValueEdit", "Child Ref Value",
                                "CartesianChildRefValue", TiConverter::Interval)}),
    };
    const std::vector<std::string> formats = {"UseDefaultFormat",   "FormatStyle", "DateTimeFormat",
                                              "PrecisionStyle",     "Precision",   "MinLength",
                                              "MinLengthAutoAdjust"};
    std::vector<std::string> order = {"Name",         "Visible", "GridLinesVisible", "Enabled",
                                      "PopupEnabled", "Layer",   "StartPercent",     "StopPercent",
                                      "Min",          "Span"};
    // The Y axis writes its desired increment before its start, and its rotation before its
    // format style.
    if (x) {
        order.insert(order.end(), {"DesiredStart", "DesiredIncrement"});
    } else {
        order.insert(order.end(), {"DesiredIncrement", "DesiredStart"});
    }
    order.insert(order.end(), {"ReverseScale", "RestoreValuesOnResume", "MasterUIInput",
                               "InnerMargin", "OuterMargin", "Title", "TitleMargin", "TitleShow",
                               "TitleRotated", "ScaleLinesShow", "ScaleLinesColor", "MajorLength",
                               "MinorLength", "MinorCount", "LabelsVisible", "LabelsMargin"});
    if (x) {
        order.insert(order.end(), {"LabelsFormatStyle", "LabelsRotation"});
    } else {
        order.insert(order.end(), {"LabelsRotation", "LabelsFormatStyle"});
    }
    order.insert(order.end(), {"DateTimeFormat", "LabelsPrecisionStyle", "LabelsPrecision",
                               "LabelsMinLength", "LabelsMinLengthAutoAdjust"});
    for (const char* tab : {"Cursor", "Legend"}) {
        for (const std::string& f : formats) order.push_back(tab + f);
    }
    order.insert(order.end(), {"TrackingEnabled",
                               "TrackingStyle",
                               "TrackingIncrementStyle",
                               "TrackingAlignFirstStyle",
                               "TrackingScrollCompressMax",
                               "TrackingSpanMinimum",
                               "TrackingMaxMargin",
                               "TrackingMinMargin",
                               "StackingEndsMargin",
                               "ForceStacking",
                               "LabelSeparation",
                               "ScaleType",
                               "CursorScaler",
                               "ScrollMinMaxEnabled",
                               "ScrollMin",
                               "ScrollMax",
                               "CartesianStyle",
                               "CartesianChildRefAxisName",
                               "CartesianChildRefValue",
                               "AlignRefAxisName",
                               "TitleFont",
                               "LabelsFont"});
    page.writeOrder = std::move(order);
    return page;
}

// ---- Legend, Tables, ToolBar, Data View

TiEditorPage MakeLegendPage() {
    TiEditorPage page;
    page.caption = "Legend";
    page.prefix = "Legend";
    page.kind = TiPlotObjectKind::Legend;
    page.pageControl = "LegendPageControl";
    page.listName = "LegendListBox";
    page.listVisible = false;
    TiEditorTab list = Tab("List", {Text("LegendNameEdit", "Name", "Name")});
    list.hidden = true;
    page.tabs = {
        Tab("General",
            {Check("LegendVisibleCheckbox", "Visible", "Visible"),
             Check("LegendEnabledCheckbox", "Enabled", "Enabled"),
             Check("LegendPopupEnabledCheckbox", "Popup Enabled", "PopupEnabled"),
             Float("LegendTopMarginEdit", "Margin/Top", "MarginTop"),
             Float("LegendBottomMarginEdit", "Margin/Bottom", "MarginBottom"),
             Float("LegendLeftMarginEdit", "Margin/Left", "MarginLeft"),
             Float("LegendRightMarginEdit", "Margin/Right", "MarginRight"),
             Float("LegendChannelNameMaxWidthEdit", "Channel Name/Max Width",
                   "ChannelNameMaxWidth"),
             Choice("LegendChannelNameColorStyleComboBox", "Channel Name/Color Style",
                    "ChannelNameColorStyle",
                    {"Font", "ChannelColor", "XAxisFontColor ", "YAxisFontColor"}),
             IntPlain("LegendLineColumnWidthEdit", "Line Column/Width", "LineColumnWidth"),
             IntPlain("LegendLineColumnHeightEdit", "Line Column/Height", "LineColumnHeight"),
             Float("LegendColumnSpacingEdit", "Column Spacing", "ColumnSpacing"),
             Check("LegendBackGroundTransparentCheckBox", "Background/Transparent",
                   "BackGroundTransparent"),
             Colour("LegendBackgroundColorPicker", "Background/Color", "BackGroundColor"),
             Font("LegendFontPicker", "Font", "Font"),
             Colour("LegendSelectedItemColorPicker", "Selected Item/Background Color",
                    "SelectedItemBackGroundColor"),
             Font("LegendSelectedItemFontPicker", "Selected Item/Font", "SelectedItemFont")},
            3),
        Tab("Columns",
            {Check("LegendShowLineCheckbox", "Show/Line", "ShowColumnLine"),
             Check("LegendShowMarkerCheckbox", "Show/Marker", "ShowColumnMarker"),
             Check("LegendShowXAxisTitleCheckbox", "Show/X-Axis Title", "ShowColumnXAxisTitle"),
             Check("LegendShowYAxisTitleCheckbox", "Show/Y-Axis Title", "ShowColumnYAxisTitle"),
             Check("LegendShowXValueCheckbox", "Show/X-Value", "ShowColumnXValue"),
             Check("LegendShowYValueCheckbox", "Show/Y-Value", "ShowColumnYValue"),
             Check("LegendShowYMaxCheckbox", "Show/Y-Max", "ShowColumnYMax"),
             Check("LegendShowYMinCheckbox", "Show/Y-Min", "ShowColumnYMin"),
             Check("LegendShowYMeanCheckbox", "Show/Y-Mean", "ShowColumnYMean"),
             Check("LegendColumnTitlesVisibleCheckbox", "Titles/Visible", "ColumnTitlesVisible"),
             Font("LegendColumnTitlesFontPicker", "Titles/Font", "ColumnTitlesFont")}),
        list,
        Tab("Wrap",
            {Int("LegendWrapColDesiredCountEdit", "Col/Desired Count", "WrapColDesiredCount", 1,
                 1000),
             Check("LegendWrapColAutoCountEnabledCheckBox", "Col Auto Count/Enabled",
                   "WrapColAutoCountEnabled"),
             Int("LegendWrapColAutoCountMaxEdit", "Col Auto Count/Max", "WrapColAutoCountMax", 1,
                 1000),
             Float("LegendWrapColSpacingMinEdit", "Col Spacing/Min", "WrapColSpacingMin"),
             Check("LegendWrapColSpacingAutoCheckBox", "Col Spacing/Auto", "WrapColSpacingAuto"),
             Int("LegendWrapRowDesiredCountEdit", "Row/Desired Count", "WrapRowDesiredCount", 1,
                 1000),
             Check("LegendWrapRowAutoCountEnabledCheckBox", "Row Auto Count/Enabled",
                   "WrapRowAutoCountEnabled"),
             Int("LegendWrapRowAutoCountMaxEdit", "Row Auto Count/Max", "WrapRowAutoCountMax", 1,
                 1000),
             Float("LegendWrapRowSpacingMinEdit", "Row Spacing/Min", "WrapRowSpacingMin"),
             Check("LegendWrapRowSpacingAutoCheckBox", "Row Spacing/Auto", "WrapRowSpacingAuto")},
            2),
    };
    page.writeOrder = {"Name",
                       "Visible",
                       "Enabled",
                       "PopupEnabled",
                       "MarginTop",
                       "MarginBottom",
                       "MarginLeft",
                       "MarginRight",
                       "ChannelNameMaxWidth",
                       "ChannelNameColorStyle",
                       "LineColumnWidth",
                       "LineColumnHeight",
                       "ColumnSpacing",
                       "BackGroundTransparent",
                       "BackGroundColor",
                       "SelectedItemBackGroundColor",
                       "ShowColumnLine",
                       "ShowColumnMarker",
                       "ShowColumnXAxisTitle",
                       "ShowColumnYAxisTitle",
                       "ShowColumnXValue",
                       "ShowColumnYValue",
                       "ShowColumnYMax",
                       "ShowColumnYMin",
                       "ShowColumnYMean",
                       "WrapColDesiredCount",
                       "WrapColAutoCountEnabled",
                       "WrapColAutoCountMax",
                       "WrapColSpacingMin",
                       "WrapColSpacingAuto",
                       "WrapRowDesiredCount",
                       "WrapRowAutoCountEnabled",
                       "WrapRowAutoCountMax",
                       "WrapRowSpacingMin",
                       "WrapRowSpacingAuto",
                       "ColumnTitlesVisible",
                       "Font",
                       "SelectedItemFont",
                       "ColumnTitlesFont"};
    return page;
}

TiEditorPage MakeTablePage() {
    TiEditorPage page;
    page.caption = "Tables";
    page.prefix = "Table";
    page.kind = TiPlotObjectKind::Table;
    page.pageControl = "TablePageControl";
    page.listName = "TableListBox";
    page.addButton = "iTableAddButton";
    page.removeButton = "TableRemoveButton";
    page.tabs = {
        Tab("General",
            {Text("TableNameEdit", "Name", "Name"),
             Check("TableVisibleCheckbox", "Visible", "Visible"),
             Check("TableEnabledCheckbox", "Enabled", "Enabled"),
             Check("TablePopupEnabledCheckbox", "Popup Enabled", "PopupEnabled"),
             Float("TableTopMarginEdit", "Margin/Top", "MarginTop"),
             Float("TableLeftMarginEdit", "Margin/Left", "MarginLeft"),
             Float("TableRightMarginEdit", "Margin/Right", "MarginRight"),
             Float("TableBottomMarginEdit", "Margin/Bottom", "MarginBottom"),
             Float("TableColumnSpacingEdit", "Column Spacing", "ColumnSpacing"),
             Float("TableRowSpacingEdit", "Row Spacing", "RowSpacing"),
             IntPlain("TableRowsMaxEdit", "Rows Max", "RowsMax"),
             Check("TableColumnTitlesVisibleCheckBox", "Column Titles/Visible",
                   "ColumnTitlesVisible"),
             Font("TableColumnTitlesFontPicker", "Column Titles/Font", "ColumnTitlesFont"),
             Font("TableDataFontPicker", "Data/Font", "DataFont")},
            2),
        Tab("Grid",
            {Check("TableGridLinesShowCheckBox", "Lines/Show", "GridLinesShow"),
             Colour("TableGridLinesColorPicker", "Lines/Color", "GridLinesColor"),
             Check("TableGridBackGroundTransparentCheckBox", "Background/Transparent",
                   "GridBackGroundTransparent"),
             Colour("TableGridBackgroundColorPicker", "Background/Color", "GridBackGroundColor")}),
        Tab("Layout", {Float("TableStartPercentEdit", "Start Percent", "StartPercent"),
                       Float("TableStopPercentEdit", "Stop Percent", "StopPercent")}),
    };
    page.writeOrder = {"Name",
                       "Visible",
                       "Enabled",
                       "PopupEnabled",
                       "MarginTop",
                       "MarginLeft",
                       "MarginRight",
                       "MarginBottom",
                       "ColumnSpacing",
                       "RowSpacing",
                       "RowsMax",
                       "ColumnTitlesVisible",
                       "GridLinesShow",
                       "GridLinesColor",
                       "StartPercent",
                       "StopPercent",
                       "GridBackGroundTransparent",
                       "GridBackGroundColor",
                       "DataFont",
                       "ColumnTitlesFont"};
    return page;
}

TiEditorPage MakeToolBarPage() {
    TiEditorPage page;
    page.caption = "ToolBar";
    page.prefix = "ToolBar";
    page.kind = TiPlotObjectKind::ToolBar;
    page.listName = "ToolBarListBox";
    page.listVisible = false;
    TiEditorTab list = Tab("List", {Text("ToolBarNameEdit", "Name", "Name")});
    list.hidden = true;
    // Two boxes of "Show Button" checks, side by side.
    page.tabs = {
        Tab("",
            {Check("ToolBarVisibleCheckBox", "Visible", "Visible"),
             Check("ToolBarEnabledCheckBox", "Enabled", "Enabled"),
             Check("ToolBarPopupEnabledCheckBox", "Popup Enabled", "PopupEnabled"),
             Check("ToolBarFlatBorderCheckBox", "Flat Border", "FlatBorder"),
             Check("ToolBarFlatButtonsCheckBox", "Flat Buttons", "FlatButtons"),
             Check("ToolBarSmallButtonsCheckBox", "Small Buttons", "SmallButtons"),
             Float("ToolBarZoomInOutFactorEdit", "Zoom In/Out Factor", "ZoomInOutFactor"),
             Check("ToolBarShowResumeButtonCheckBox", "Show Button/Resume", "ShowResumeButton"),
             Check("ToolBarShowPauseButtonCheckBox", "Show Button/Pause", "ShowPauseButton"),
             Check("ToolBarShowAxesModeButtonsCheckBox", "Show Button/Axes Mode",
                   "ShowAxesModeButtons"),
             Check("ToolBarShowZoomInOutButtonsCheckBox", "Show Button/Zoom In/Out",
                   "ShowZoomInOutButtons"),
             Check("ToolBarShowSelectButtonCheckBox", "Show Button/Select", "ShowSelectButton"),
             Check("ToolBarShowZoomBoxButtonCheckBox", "Show Button/Zoom Box", "ShowZoomBoxButton"),
             Check("ToolBarShowCursorButtonCheckBox", "Show Button/Cursor", "ShowCursorButton"),
             Check("ToolBarShowEditButtonCheckBox", "Show Button /Edit", "ShowEditButton"),
             Check("ToolBarShowCopyButtonCheckBox", "Show Button /Copy", "ShowCopyButton"),
             Check("ToolBarShowSaveButtonCheckBox", "Show Button /Save", "ShowSaveButton"),
             Check("ToolBarShowPrintButtonCheckBox", "Show Button /Print", "ShowPrintButton"),
             Check("ToolBarShowPreviewButtonCheckBox", "Show Button /Preview",
                   "ShowPreviewButton")},
            3),
        list,
    };
    page.writeOrder = {"Name",
                       "Visible",
                       "Enabled",
                       "PopupEnabled",
                       "FlatBorder",
                       "FlatButtons",
                       "SmallButtons",
                       "ShowResumeButton",
                       "ShowPauseButton",
                       "ShowAxesModeButtons",
                       "ShowZoomInOutButtons",
                       "ShowSelectButton",
                       "ShowZoomBoxButton",
                       "ShowCursorButton",
                       "ShowEditButton",
                       "ShowCopyButton",
                       "ShowSaveButton",
                       "ShowPrintButton",
                       "ShowPreviewButton",
                       "ZoomInOutFactor"};
    return page;
}

TiEditorPage MakeDataViewPage() {
    TiEditorPage page;
    page.caption = "Data View";
    page.prefix = "DataView";
    page.kind = TiPlotObjectKind::DataView;
    page.pageControl = "DataViewPageControl";
    page.listName = "DataViewListBox";
    page.listVisible = false;
    const auto custom = [](const std::string& which, const std::string& plural) {
        const std::string c = "DataViewGridLine" + which;
        return Tab(
            which.substr(0, 1) + "-" + plural.substr(1),
            {Check("DataViewGridLineShow" + plural + "CheckBox", "Show", "GridLineShow" + plural),
             Check(c + "CustomCheckBox", "Custom", "GridLine" + which + "Custom"),
             Colour(c + "ColorColorPicker", "Custom Properties/Color",
                    "GridLine" + which + "Color"),
             Int(c + "WidthEdit", "Custom Properties/Width", "GridLine" + which + "Width", 0, 100),
             Choice(c + "StyleComboBox", "Custom Properties/Style", "GridLine" + which + "Style",
                    kGridLineStyles)});
    };
    TiEditorTab gridLines =
        Tab("Grid Lines",
            {Int("DataViewLayerEdit", "Layer", "Layer"),
             Colour("DataViewGridLineColorPicker", "Color", "GridLineColor"),
             Check("DataViewGridLineShowLeft", "Show/Left", "GridLineShowLeft"),
             Check("DataViewGridLineShowRight", "Show/Right", "GridLineShowRight"),
             Check("DataViewGridLineShowTop", "Show/Top", "GridLineShowTop"),
             Check("DataViewGridLineShowBottom", "Show/Bottom", "GridLineShowBottom"),
             Choice("DataViewGridLineMajorStyleComboBox", "Major Style", "GridLineMajorStyle",
                    kGridLineStyles),
             Choice("DataViewGridLineMinorStyleComboBox", "Minor Style", "GridLineMinorStyle",
                    kGridLineStyles)},
            1);
    gridLines.innerPageControl = "DataViewGridLinesCustomPageControl";
    gridLines.inner = {custom("XMajor", "XMajors"), custom("XMinor", "XMinors"),
                       custom("YMajor", "YMajors"), custom("YMinor", "YMinors")};
    TiEditorTab list = Tab("List", {Text("DataViewNameEdit", "Name", "Name")});
    list.hidden = true;
    page.tabs = {
        Tab("General",
            {Check("DataViewEnabledCheckBox", "Enabled", "Enabled"),
             Check("DataViewPopupEnabledCheckBox", "Popup Enabled", "PopupEnabled"),
             Check("DataViewBackGroundTransparentCheckBox", "Background/Transparent",
                   "BackgroundTransparent"),
             Colour("DataViewBackgroundColorPicker", "Background/Color", "BackgroundColor"),
             Check("DataViewGridShow", "Grid/Show", "GridShow"),
             Name("DataViewGridXAxisNameComboBox", "Grid/X-Axis Name", "GridXAxisName"),
             Name("DataViewGridYAxisNameComboBox", "Grid/Y-Axis Name", "GridYAxisName"),
             Check("DataViewAxesControlEnabledCheckBox", "Axes Control/Enabled",
                   "AxesControlEnabled"),
             Check("DataViewAxesControlAllowInSelectModeCheckBox",
                   "Axes Control/Allow In Select Mode", "AxesControlAllowInSelectMode"),
             Choice("DataViewAxesControlMouseStyleComboBox", "Axes Control/Mouse Style",
                    "AxesControlMouseStyle", kAxesControlStyles),
             Choice("DataViewAxesControlWheelStyleComboBox", "Axes Control/Wheel Style",
                    "AxesControlWheelStyle", kAxesControlStyles)}),
        gridLines,
        list,
    };
    std::vector<std::string> order = {"Name",
                                      "Enabled",
                                      "PopupEnabled",
                                      "Layer",
                                      "BackgroundTransparent",
                                      "BackgroundColor",
                                      "GridShow",
                                      "GridXAxisName",
                                      "GridYAxisName",
                                      "AxesControlEnabled",
                                      "AxesControlAllowInSelectMode",
                                      "AxesControlMouseStyle",
                                      "AxesControlWheelStyle",
                                      "GridLineColor",
                                      "GridLineShowLeft",
                                      "GridLineShowRight",
                                      "GridLineShowTop",
                                      "GridLineShowBottom",
                                      "GridLineShowXMajors",
                                      "GridLineShowXMinors",
                                      "GridLineShowYMajors",
                                      "GridLineShowYMinors",
                                      "GridLineMajorStyle",
                                      "GridLineMinorStyle"};
    for (const char* which : {"XMajor", "XMinor", "YMajor", "YMinor"}) {
        for (const char* part : {"Custom", "Color", "Width", "Style"}) {
            order.push_back(std::string("GridLine") + which + part);
        }
    }
    page.writeOrder = std::move(order);
    return page;
}

void CollectFields(const std::vector<TiEditorTab>& tabs, std::vector<const TiEditorField*>& out) {
    for (const TiEditorTab& tab : tabs) {
        for (const TiEditorField& f : tab.fields) out.push_back(&f);
        CollectFields(tab.inner, out);
    }
}

}  // namespace

const std::vector<TiEditorPage>& PlotEditorObjectPages() {
    static const std::vector<TiEditorPage> pages = {
        MakeChannelPage(),  MakeCursorPage(),    MakeLimitPage(),  MakeLabelPage(),
        MakeAxisPage(true), MakeAxisPage(false), MakeLegendPage(), MakeTablePage(),
        MakeToolBarPage(),  MakeDataViewPage(),
    };
    return pages;
}

const std::vector<TiEditorTab>& PlotEditorControlTabs() {
    static const std::vector<TiEditorTab> tabs = MakeControlTabs();
    return tabs;
}

const std::vector<std::string>& PlotEditorControlWriteOrder() {
    static const std::vector<std::string> order = {
        "AutoFrameRate",
        "UpdateFrameRate",
        "ClipAnnotationsToAxes",
        "BorderStyle",
        "CopyToClipBoardFormat",
        "DataFileColumnSeparator",
        "BackGroundColor",
        "BackGroundGradientDirection",
        "BackGroundGradientEnabled",
        "BackGroundGradientStartColor",
        "BackGroundGradientStopColor",
        "OuterMarginLeft",
        "OuterMarginTop",
        "OuterMarginRight",
        "OuterMarginBottom",
        "TitleVisible",
        "TitleMargin",
        "TitleText",
        "TitleFont",
        "LogFileName",
        "LogBufferSize",
        "HintsShow",
        "HintsPause",
        "HintsHidePause",
        "HintsFont",
        "AnnotationDefaultPenColor",
        "AnnotationDefaultPenStlye",
        "AnnotationDefaultPenWidth",
        "AnnotationDefaultBrushColor",
        "AnnotationDefaultBrushStlye",
        "AnnotationDefaultReference",
        "AnnotationDefaultReferencePositionX",
        "AnnotationDefaultReferencePositionY",
        "AnnotationDefaultReferenceSizeX",
        "AnnotationDefaultReferenceSizeY",
        "AnnotationDefaultFont",
        "PrintShowDialog",
        "PrintOrientation",
        "PrintMarginLeft",
        "PrintMarginTop",
        "PrintMarginRight",
        "PrintMarginBottom",
        "PrintDocumentName",
    };
    return order;
}

std::vector<const TiEditorField*> AllFields(const std::vector<TiEditorTab>& tabs) {
    std::vector<const TiEditorField*> fields;
    CollectFields(tabs, fields);
    return fields;
}

}  // namespace dsp
