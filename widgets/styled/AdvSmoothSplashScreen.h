#pragma once
// The start-up splash screen: TAdvSmoothSplashScreen holds the settings (background fill, program
// name, version and copyright, mini-HTML list lines, positioned items, top-layer boxes and a
// progress bar) and shows them in a borderless window that stays on top and never takes the
// activation, while the form that owns it loads; the form's OnShow hides it.
//
// A splash whose fill is partly transparent, or that fades, is composed in an off-screen ARGB
// picture with its constant alpha multiplied in and handed to a layered window (per-pixel alpha
// where the desktop offers it, see framework/controls/TopLevelWindow.h); any other splash paints
// as a plain window. Fades run on timers of the framework's clock; nothing waits on the UI thread
// but the first appearance, which lets the event loop run (without user input) until the window
// is on the screen, for at most about 200 ms.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "framework/controls/ControlTypes.h"
#include "framework/controls/Form.h"
#include "framework/controls/GraphicControl.h"
#include "framework/core/Collection.h"
#include "framework/core/Component.h"
#include "framework/core/TypeInfo.h"
#include "framework/graphics/Font.h"
#include "widgets/styled/AdvGDIP.h"
#include "widgets/styled/AdvStyleIF.h"
#include "widgets/styled/GDIPFill.h"

namespace dsp {

class TTimer;
class TImageList;
class TGDIPPictureContainer;
class TAdvSmoothSplashScreen;
class TSplashScreenWindow;

enum TDisplayLocation { dlFixedPos, dlCenter };
DSP_ENUM_NAMES(TDisplayLocation, "dlFixedPos", "dlCenter")

enum TDisplayStyle { dsNormal, dsFadeInOut };
DSP_ENUM_NAMES(TDisplayStyle, "dsNormal", "dsFadeInOut")

enum TAdvSmoothSplashScreenTextRenderingHint { tAntiAlias, tAntiAliasGridFit, tClearType };
DSP_ENUM_NAMES(TAdvSmoothSplashScreenTextRenderingHint, "tAntiAlias", "tAntiAliasGridFit",
               "tClearType")

enum TItemLocation {
    ilTopLeft,
    ilTopCenter,
    ilTopRight,
    ilBottomLeft,
    ilBottomCenter,
    ilBottomRight,
    ilCustom,
};
DSP_ENUM_NAMES(TItemLocation, "ilTopLeft", "ilTopCenter", "ilTopRight", "ilBottomLeft",
               "ilBottomCenter", "ilBottomRight", "ilCustom")

enum TAdvSmoothSplashScreenLocation {
    cpTopLeft,
    cpTopCenter,
    cpTopRight,
    cpCenterLeft,
    cpCenterCenter,
    cpCenterRight,
    cpBottomLeft,
    cpBottomCenter,
    cpBottomRight,
    cpCustom,
};
DSP_ENUM_NAMES(TAdvSmoothSplashScreenLocation, "cpTopLeft", "cpTopCenter", "cpTopRight",
               "cpCenterLeft", "cpCenterCenter", "cpCenterRight", "cpBottomLeft", "cpBottomCenter",
               "cpBottomRight", "cpCustom")

using TOnDeleteItemEvent = std::function<void(TObject* sender, int index)>;
using TAdvSmoothProgressBarPositionChanged = std::function<void(TObject* sender, double value)>;

// ================================================================ progress bar

// The settings of a splash progress bar (bounds, range, position, value text, fills, fonts), and
// how to draw such a bar.
class TGDIPSplashProgress : public TPersistent {
public:
    TGDIPSplashProgress();
    ~TGDIPSplashProgress() override;

    // Only from another progress setting; then OnChange.
    void Assign(TPersistent* source) override;

    // Draws the bar into r for the range and position: background, done part, edge shading,
    // value text, shine.
    void Draw(TGPGraphics* g, const TRect& r, double min, double max, double position);
    TGPRectF CalculateProgressRectangle(const TRect& r, double min, double max, double pos);
    TGPRectF GetInsideRectF(const TRect& r);
    // The value text for a position: the user's ValueFormat when it fits one floating-point
    // value, else the default "%.0f%%".
    std::string ValueText(double min, double max, double position) const;

    TGDIPFill* BackGroundFill() const { return FBackGroundFill.get(); }
    void SetBackGroundFill(TGDIPFill* v);
    TGDIPFill* ProgressFill() const { return FProgressFill.get(); }
    void SetProgressFill(TGDIPFill* v);
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* v);
    TFont* ProgressFont() const { return FProgressFont.get(); }
    void SetProgressFont(TFont* v);
    const std::string& ValueFormat() const { return FValueFormat; }
    void SetValueFormat(const std::string& v) { Set(FValueFormat, v); }
    TGDIPProgressValueType ValueType() const { return FValueType; }
    void SetValueType(TGDIPProgressValueType v) { Set(FValueType, v); }
    TGDIPProgressValuePosition ValuePosition() const { return FValuePosition; }
    void SetValuePosition(TGDIPProgressValuePosition v) { Set(FValuePosition, v); }
    int ValuePositionLeft() const { return FValuePositionLeft; }
    void SetValuePositionLeft(int v) { Set(FValuePositionLeft, v); }
    int ValuePositionTop() const { return FValuePositionTop; }
    void SetValuePositionTop(int v) { Set(FValuePositionTop, v); }
    bool ValueVisible() const { return FValueVisible; }
    void SetValueVisible(bool v) { Set(FValueVisible, v); }
    int Left() const { return FLeft; }
    void SetLeft(int v) { Set(FLeft, v); }
    int Top() const { return FTop; }
    void SetTop(int v) { Set(FTop, v); }
    int Width() const { return FWidth; }
    void SetWidth(int v) { Set(FWidth, v); }
    int Height() const { return FHeight; }
    void SetHeight(int v) { Set(FHeight, v); }
    double Minimum() const { return FMinimum; }
    void SetMinimum(double v) { Set(FMinimum, v); }
    double Maximum() const { return FMaximum; }
    void SetMaximum(double v) { Set(FMaximum, v); }
    double Position() const { return FPosition; }
    void SetPosition(double v) { Set(FPosition, v); }
    // Stores and announces the change even when the value is the same.
    bool Visible() const { return FVisible; }
    void SetVisible(bool v);
    double Step() const { return FStep; }
    void SetStep(double v) { FStep = v; }
    bool ProgressAnimation() const { return FProgressAnimation; }
    bool GlowAnimation() const { return FGlowAnimation; }

    TNotifyEvent OnChange;

    DSP_PUBLISHED(TGDIPSplashProgress, TPersistent) {
        using P = Published<TGDIPSplashProgress>;
        using B = TGDIPSplashProgress;
        return {
            P::Property("BackGroundFill", &B::BackGroundFill, &B::SetBackGroundFill),
            P::Property("ProgressFill", &B::ProgressFill, &B::SetProgressFill),
            P::Property("Font", &B::Font, &B::SetFont),
            P::Property("ProgressFont", &B::ProgressFont, &B::SetProgressFont),
            P::Property("ValueFormat", &B::ValueFormat, &B::SetValueFormat),
            P::Property("ValueType", &B::ValueType, &B::SetValueType).Default(vtAbsolute),
            P::Property("ValuePosition", &B::ValuePosition, &B::SetValuePosition).Default(vpCenter),
            P::Property("ValuePositionLeft", &B::ValuePositionLeft, &B::SetValuePositionLeft)
                .Default(0),
            P::Property("ValuePositionTop", &B::ValuePositionTop, &B::SetValuePositionTop)
                .Default(0),
            P::Property("ValueVisible", &B::ValueVisible, &B::SetValueVisible).Default(false),
            P::Property("Left", &B::Left, &B::SetLeft).Default(50),
            P::Property("Top", &B::Top, &B::SetTop).Default(100),
            P::Property("Width", &B::Width, &B::SetWidth).Default(300),
            P::Property("Height", &B::Height, &B::SetHeight).Default(17),
            P::Property("Minimum", &B::Minimum, &B::SetMinimum),
            P::Property("Maximum", &B::Maximum, &B::SetMaximum),
            P::Property("Position", &B::Position, &B::SetPosition),
            P::Property("Visible", &B::Visible, &B::SetVisible).Default(false),
            P::Property("Step", &B::Step, &B::SetStep),
        };
    }

private:
    friend class TAdvSplashProgressBar;
    template <typename T>
    void Set(T& field, const T& value) {
        if (field == value) return;
        field = value;
        Changed();
    }
    void Changed();
    void DrawEdgeShading(TGPGraphics* g, const TGPRectF& r);
    void DrawShine(TGPGraphics* g, const TGPRectF& r);
    void DrawValue(TGPGraphics* g, const TRect& r, const TGPRectF& done, double min, double max,
                   double position);

    std::unique_ptr<TGDIPFill> FBackGroundFill;
    std::string FValueFormat = "%.0f%%";
    TGDIPProgressValueType FValueType = vtAbsolute;
    std::unique_ptr<TGDIPFill> FProgressFill;
    int FValuePositionTop = 0;
    int FValuePositionLeft = 0;
    std::unique_ptr<TFont> FFont;
    TGDIPProgressValuePosition FValuePosition = vpCenter;
    bool FValueVisible = false;
    std::unique_ptr<TFont> FProgressFont;
    bool FVisible = false;
    int FHeight = 17;
    int FLeft = 50;
    int FWidth = 300;
    int FTop = 100;
    bool FProgressAnimation = false;
    bool FGlowAnimation = false;
    double FPosition = 0;
    double FStep = 10;
    double FMaximum = 100;
    double FMinimum = 0;
};

// The progress bar control of a splash window: keeps the live range and position, eases the
// shown position toward a new one when ProgressAnimation is on, and sweeps a glow across the
// done part when GlowAnimation is on; both run on a 10 ms timer.
class TAdvSplashProgressBar : public TGraphicControl {
public:
    explicit TAdvSplashProgressBar(TComponent* owner);
    ~TAdvSplashProgressBar() override;

    void Assign(TPersistent* source) override;

    double Position() const { return FPosition; }
    void SetPosition(double value);
    double Minimum() const { return FMinimum; }
    void SetMinimum(double value);
    double Maximum() const { return FMaximum; }
    void SetMaximum(double value);
    double Step() const { return FStep; }
    void SetStep(double value);
    bool GlowAnimation() const { return FGlowAnimation; }
    void SetGlowAnimation(bool value);
    bool ProgressAnimation() const { return FProgressAnimation; }
    void SetProgressAnimation(bool value);
    TGDIPSplashProgress* Appearance() const { return FAppearance.get(); }
    void SetAppearance(TGDIPSplashProgress* value);
    std::string Version() const;
    void SetVersion(const std::string&) {}

    void Next() { SetPosition(FPosition + FStep); }
    void Next(double step) { SetPosition(FPosition + step); }
    void Previous() { SetPosition(FPosition - FStep); }
    void Previous(double step) { SetPosition(FPosition - step); }
    void GoToValue(double value) { SetPosition(value); }
    void GoToEnd() { SetPosition(FMaximum); }
    void GoToStart() { SetPosition(FMinimum); }
    bool AnimationInProgress() const;
    void SetComponentStyle(TTMSStyle style);

    // One step of the animation and the glow; the timer calls it every 10 ms.
    void AnimationTick();
    // Where the glow stands (its centre's x) and its pause counter.
    double GlowPos() const { return FGlowPos; }
    int GlowCount() const { return FGlowCount; }

    TNotifyEvent OnChange;
    TAdvSmoothProgressBarPositionChanged OnPositionChanged;

    DSP_PUBLISHED(TAdvSplashProgressBar, TGraphicControl) {
        using P = Published<TAdvSplashProgressBar>;
        using B = TAdvSplashProgressBar;
        return {
            P::Property("Step", &B::Step, &B::SetStep),
            P::Property("Minimum", &B::Minimum, &B::SetMinimum),
            P::Property("Maximum", &B::Maximum, &B::SetMaximum),
            P::Property("Position", &B::Position, &B::SetPosition),
            P::Property("GlowAnimation", &B::GlowAnimation, &B::SetGlowAnimation).Default(false),
            P::Property("ProgressAnimation", &B::ProgressAnimation, &B::SetProgressAnimation)
                .Default(false),
            P::Property("Appearance", &B::Appearance, &B::SetAppearance),
            P::Property("Version", &B::Version, &B::SetVersion).Stored(false),
        };
    }

protected:
    void Paint() override;
    void Resize() override;

private:
    bool AnimationActive() const;
    bool GlowActive() const;
    void ApplyAppearance();

    double FPositionTo = 0;
    double FPositionTemp = 0;
    TRect FRect;
    bool FDesignTime = false;
    int FGlowCount = 3000;
    double FGlowPos = -40;
    TTimer* FAnimationTimer = nullptr;  // owned as a component
    double FMaximum = 100;
    std::unique_ptr<TGDIPSplashProgress> FAppearance;
    bool FGlowAnimation = false;
    double FMinimum = 0;
    bool FProgressAnimation = false;
    double FStep = 10;
    double FPosition = 0;
};

// ================================================================ settings and collections

// The program name or version: a text with its font, fill (gradient, hatch or texture) and place.
class TSplashHeadingText : public TPersistent {
public:
    TSplashHeadingText();
    ~TSplashHeadingText() override;
    void Assign(TPersistent* source) override;

    std::uint8_t OpacityStart() const { return FStartOpacity; }
    void SetOpacityStart(std::uint8_t v) { FStartOpacity = v; }
    std::uint8_t OpacityEnd() const { return FEndOpacity; }
    void SetOpacityEnd(std::uint8_t v) { FEndOpacity = v; }
    int PosY() const { return FPosY; }
    void SetPosY(int v) { FPosY = v; }
    int PosX() const { return FPosX; }
    void SetPosX(int v) { FPosX = v; }
    const std::string& Text() const { return FText; }
    // The only setting that announces its change.
    void SetText(const std::string& v);
    TAdvGDIPPicture* Picture() const { return FPicture.get(); }
    void SetPicture(TAdvGDIPPicture* v) { FPicture->Assign(v); }
    TAdvGradientType GradientType() const { return FGradientType; }
    void SetGradientType(TAdvGradientType v) { FGradientType = v; }
    TColor ColorEnd() const { return FEndColor; }
    void SetColorEnd(TColor v) { FEndColor = v; }
    TColor ColorStart() const { return FStartColor; }
    void SetColorStart(TColor v) { FStartColor = v; }
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* v) { FFont->Assign(v); }
    HatchStyle GetHatchStyle() const { return FHatchStyle; }
    void SetHatchStyle(HatchStyle v) { FHatchStyle = v; }
    TItemLocation Location() const { return FLocation; }
    void SetLocation(TItemLocation v) { FLocation = v; }
    int Angle() const { return FAngle; }
    void SetAngle(int v) { FAngle = v; }

    TNotifyEvent OnChange;

    DSP_PUBLISHED(TSplashHeadingText, TPersistent) {
        using P = Published<TSplashHeadingText>;
        using B = TSplashHeadingText;
        return {
            P::Property("OpacityStart", &B::OpacityStart, &B::SetOpacityStart).Default(255),
            P::Property("OpacityEnd", &B::OpacityEnd, &B::SetOpacityEnd).Default(255),
            P::Property("PosY", &B::PosY, &B::SetPosY).Default(100),
            P::Property("PosX", &B::PosX, &B::SetPosX).Default(10),
            P::Property("Text", &B::Text, &B::SetText),
            P::Property("Picture", &B::Picture, &B::SetPicture),
            P::Property("GradientType", &B::GradientType, &B::SetGradientType).Default(gtVertical),
            P::Property("ColorEnd", &B::ColorEnd, &B::SetColorEnd).Default(clNone),
            P::Property("ColorStart", &B::ColorStart, &B::SetColorStart).Default(0),
            P::Property("Font", &B::Font, &B::SetFont),
            P::Property("HatchStyle", &B::GetHatchStyle, &B::SetHatchStyle)
                .Default(HatchStyleHorizontal),
            P::Property("Location", &B::Location, &B::SetLocation).Default(ilTopLeft),
            P::Property("Angle", &B::Angle, &B::SetAngle).Default(0),
        };
    }

private:
    std::uint8_t FStartOpacity = 255;
    std::uint8_t FEndOpacity = 255;
    int FPosY = 100;
    int FPosX = 10;
    std::string FText;
    std::unique_ptr<TAdvGDIPPicture> FPicture;
    TAdvGradientType FGradientType = gtVertical;
    TColor FEndColor = clNone;
    TColor FStartColor = 0;
    std::unique_ptr<TFont> FFont;
    HatchStyle FHatchStyle = HatchStyleHorizontal;
    TItemLocation FLocation = ilTopLeft;
    int FAngle = 0;
};

// The program's name, version and copyright.
class TBasicProgramInfo : public TPersistent {
public:
    TBasicProgramInfo();
    ~TBasicProgramInfo() override;
    void Assign(TPersistent* source) override;

    bool AutoLoad() const { return FAutoLoad; }
    void SetAutoLoad(bool v) { FAutoLoad = v; }
    TFont* CopyRightFont() const { return FCopyRightFont.get(); }
    void SetCopyRightFont(TFont* v) { FCopyRightFont->Assign(v); }
    int CopyRightPosX() const { return FCopyRightPosX; }
    void SetCopyRightPosX(int v) { FCopyRightPosX = v; }
    int CopyRightPosY() const { return FCopyRightPosY; }
    void SetCopyRightPosY(int v) { FCopyRightPosY = v; }
    const std::string& CopyRight() const { return FCopyRight; }
    void SetCopyRight(const std::string& v) { FCopyRight = v; }
    TSplashHeadingText* ProgramName() const { return FProgramName.get(); }
    void SetProgramName(TSplashHeadingText* v) { FProgramName->Assign(v); }
    TSplashHeadingText* ProgramVersion() const { return FProgramVersion.get(); }
    void SetProgramVersion(TSplashHeadingText* v) { FProgramVersion->Assign(v); }
    TItemLocation CopyRightLocation() const { return FCopyRightLocation; }
    void SetCopyRightLocation(TItemLocation v) { FCopyRightLocation = v; }

    TNotifyEvent OnChange;

    DSP_PUBLISHED(TBasicProgramInfo, TPersistent) {
        using P = Published<TBasicProgramInfo>;
        using B = TBasicProgramInfo;
        return {
            P::Property("AutoLoad", &B::AutoLoad, &B::SetAutoLoad).Default(true),
            P::Property("CopyRightFont", &B::CopyRightFont, &B::SetCopyRightFont),
            P::Property("CopyRightPosX", &B::CopyRightPosX, &B::SetCopyRightPosX).Default(10),
            P::Property("CopyRightPosY", &B::CopyRightPosY, &B::SetCopyRightPosY).Default(130),
            P::Property("CopyRight", &B::CopyRight, &B::SetCopyRight),
            P::Property("ProgramName", &B::ProgramName, &B::SetProgramName),
            P::Property("ProgramVersion", &B::ProgramVersion, &B::SetProgramVersion),
            P::Property("CopyRightLocation", &B::CopyRightLocation, &B::SetCopyRightLocation)
                .Default(ilTopLeft),
        };
    }

private:
    void HeadingChanged(TObject*) {
        if (OnChange) OnChange(this);
    }

    bool FAutoLoad = true;
    std::unique_ptr<TFont> FCopyRightFont;
    int FCopyRightPosX = 10;
    int FCopyRightPosY = 130;
    std::string FCopyRight;
    std::unique_ptr<TSplashHeadingText> FProgramName;
    std::unique_ptr<TSplashHeadingText> FProgramVersion;
    TItemLocation FCopyRightLocation = ilTopLeft;
};

// One mini-HTML line of the splash's list.
class TSplashListItem : public TCollectionItem {
public:
    explicit TSplashListItem(TCollection* collection);
    ~TSplashListItem() override;
    void Assign(TPersistent* source) override;

    const std::string& HTMLText() const { return FHTMLText; }
    void SetHTMLText(const std::string& v) { FHTMLText = v; }
    int Tag() const { return FTag; }
    void SetTag(int v) { FTag = v; }
    // Where the window's list layout put the line; (-1, -1, -1, -1) until then and while the
    // line gives way to newer ones.
    const TRect& DisplayRect() const { return FDisplayRect; }
    void SetDisplayRect(const TRect& r) { FDisplayRect = r; }

    // Tells the collection's owner to show the lines again.
    void Refresh();
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();

    DSP_PUBLISHED(TSplashListItem, TCollectionItem) {
        using P = Published<TSplashListItem>;
        using B = TSplashListItem;
        return {
            P::Property("HTMLText", &B::HTMLText, &B::SetHTMLText),
            P::Property("Tag", &B::Tag, &B::SetTag).Default(0),
        };
    }

private:
    std::string FHTMLText;
    int FTag = 0;
    TRect FDisplayRect{-1, -1, -1, -1};
    int FUpdateCount = 0;
};

// A text, picture or image-list image at a position on the splash.
class TSplashItem : public TCollectionItem {
public:
    explicit TSplashItem(TCollection* collection);
    ~TSplashItem() override;
    void Assign(TPersistent* source) override;

    const std::string& Text() const { return FText; }
    void SetText(const std::string& v) { FText = v; }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v) { FImageIndex = v; }
    int Tag() const { return FTag; }
    void SetTag(int v) { FTag = v; }
    TAdvGDIPPicture* Picture() const { return FIPicture.get(); }
    void SetPicture(TAdvGDIPPicture* v) { FIPicture->Assign(v); }
    int PosY() const { return FPosY; }
    void SetPosY(int v) { FPosY = v; }
    int PosX() const { return FPosX; }
    void SetPosX(int v) { FPosX = v; }
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* v) { FFont->Assign(v); }

    // Invalidates the splash window while it shows.
    void Refresh();
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();

    DSP_PUBLISHED(TSplashItem, TCollectionItem) {
        using P = Published<TSplashItem>;
        using B = TSplashItem;
        return {
            P::Property("Text", &B::Text, &B::SetText),
            P::Property("ImageIndex", &B::ImageIndex, &B::SetImageIndex).Default(-1),
            P::Property("Tag", &B::Tag, &B::SetTag).Default(0),
            P::Property("Picture", &B::Picture, &B::SetPicture),
            P::Property("PosY", &B::PosY, &B::SetPosY).Default(130),
            P::Property("PosX", &B::PosX, &B::SetPosX).Default(80),
            P::Property("Font", &B::Font, &B::SetFont),
        };
    }

private:
    std::string FText;
    int FImageIndex = -1;
    int FTag = 0;
    std::unique_ptr<TAdvGDIPPicture> FIPicture;
    int FPosY = 130;
    int FPosX = 80;
    std::unique_ptr<TFont> FFont;
    int FUpdateCount = 0;
};

// The collections of items and of list lines. OnChange follows when the collection as a whole
// changed and is empty afterwards (cleared); OnDeleteItem when an item goes.
template <typename Item>
class TSplashCollection : public TCollection {
public:
    explicit TSplashCollection(TComponent* owner)
        : TCollection(TCollection::ItemClass<Item>()), FOwner(owner) {}
    Item* Add() { return static_cast<Item*>(TCollection::Add()); }
    Item* Insert(int index) { return static_cast<Item*>(TCollection::Insert(index)); }
    Item* Items(int index) const { return static_cast<Item*>(TCollection::Items(index)); }
    TPersistent* GetOwner() override { return FOwner; }
    TComponent* Owner() const { return FOwner; }

    TNotifyEvent OnChange;
    TOnDeleteItemEvent OnDeleteItem;

protected:
    void Update(TCollectionItem* item) override {
        TCollection::Update(item);
        if (item == nullptr && Count() == 0 && OnChange) OnChange(this);
    }

private:
    TComponent* FOwner;
};

class TSplashItems : public TSplashCollection<TSplashItem> {
public:
    using TSplashCollection::TSplashCollection;
};

class TSplashListItems : public TSplashCollection<TSplashListItem> {
public:
    using TSplashCollection::TSplashCollection;
};

// The list's rectangle on the splash.
class TListItemsRect : public TPersistent {
public:
    void Assign(TPersistent* source) override;
    int Left() const { return FLeft; }
    void SetLeft(int v) { FLeft = v; }
    int Top() const { return FTop; }
    void SetTop(int v) { FTop = v; }
    int Width() const { return FWidth; }
    void SetWidth(int v) { FWidth = v; }
    int Height() const { return FHeight; }
    void SetHeight(int v) { FHeight = v; }
    TRect GetRect() const { return Rect(FLeft, FTop, FLeft + FWidth, FTop + FHeight); }

    TNotifyEvent OnChange;  // never raised

    DSP_PUBLISHED(TListItemsRect, TPersistent) {
        using P = Published<TListItemsRect>;
        using B = TListItemsRect;
        return {
            P::Property("Left", &B::Left, &B::SetLeft).Default(30),
            P::Property("Top", &B::Top, &B::SetTop).Default(150),
            P::Property("Width", &B::Width, &B::SetWidth).Default(300),
            P::Property("Height", &B::Height, &B::SetHeight).Default(200),
        };
    }

private:
    int FHeight = 200;
    int FLeft = 30;
    int FWidth = 300;
    int FTop = 150;
};

// Font, colours, rectangle and spacing of the list lines.
class TSplashListItemsSettings : public TPersistent {
public:
    explicit TSplashListItemsSettings(TAdvSmoothSplashScreen* owner);
    ~TSplashListItemsSettings() override;
    void Assign(TPersistent* source) override;

    int Space() const { return FSpace; }
    void SetSpace(int v) { FSpace = v; }
    int HTMLShadowOffset() const { return FHTMLShadowOffset; }
    void SetHTMLShadowOffset(int v) { FHTMLShadowOffset = v; }
    TColor HTMLURLColor() const { return FHTMLURLColor; }
    void SetHTMLURLColor(TColor v) { FHTMLURLColor = v; }
    TColor HTMLShadowColor() const { return FHTMLShadowColor; }
    void SetHTMLShadowColor(TColor v) { FHTMLShadowColor = v; }
    TFont* HTMLFont() const { return FHTMLFont.get(); }
    void SetHTMLFont(TFont* v) { FHTMLFont->Assign(v); }
    TListItemsRect* Rect() const { return FRect.get(); }
    void SetRect(TListItemsRect* v) { FRect->Assign(v); }

    TNotifyEvent OnChange;  // never raised

    DSP_PUBLISHED(TSplashListItemsSettings, TPersistent) {
        using P = Published<TSplashListItemsSettings>;
        using B = TSplashListItemsSettings;
        return {
            P::Property("Space", &B::Space, &B::SetSpace).Default(8),
            P::Property("HTMLShadowOffset", &B::HTMLShadowOffset, &B::SetHTMLShadowOffset)
                .Default(5),
            P::Property("HTMLURLColor", &B::HTMLURLColor, &B::SetHTMLURLColor).Default(clBlue),
            P::Property("HTMLShadowColor", &B::HTMLShadowColor, &B::SetHTMLShadowColor)
                .Default(clGray),
            P::Property("HTMLFont", &B::HTMLFont, &B::SetHTMLFont),
            P::Property("Rect", &B::Rect, &B::SetRect),
        };
    }

private:
    int FSpace = 8;
    int FHTMLShadowOffset = 5;
    TColor FHTMLURLColor = clBlue;
    TColor FHTMLShadowColor = clGray;
    std::unique_ptr<TFont> FHTMLFont;
    std::unique_ptr<TListItemsRect> FRect;
    [[maybe_unused]] TAdvSmoothSplashScreen* FOwner;
};

// The mini-HTML text of a top-layer box and where it goes. Every change invalidates the splash
// window while it shows.
class TAdvSplashHTMLText : public TPersistent {
public:
    explicit TAdvSplashHTMLText(TAdvSmoothSplashScreen* owner);
    ~TAdvSplashHTMLText() override;
    // Only from another HTML text; then invalidates the splash window.
    void Assign(TPersistent* source) override;

    TColor URLColor() const { return FURLColor; }
    void SetURLColor(TColor v) { Set(FURLColor, v); }
    int ShadowOffset() const { return FShadowOffset; }
    void SetShadowOffset(int v) { Set(FShadowOffset, v); }
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* v);
    const std::string& Text() const { return FText; }
    void SetText(const std::string& v) { Set(FText, v); }
    TColor ShadowColor() const { return FShadowColor; }
    void SetShadowColor(TColor v) { Set(FShadowColor, v); }
    TAdvSmoothSplashScreenLocation Location() const { return FLocation; }
    void SetLocation(TAdvSmoothSplashScreenLocation v) { Set(FLocation, v); }
    int Top() const { return FTop; }
    void SetTop(int v) { Set(FTop, v); }
    int Left() const { return FLeft; }
    void SetLeft(int v) { Set(FLeft, v); }

    TNotifyEvent OnChange;  // never raised by the text itself

    DSP_PUBLISHED(TAdvSplashHTMLText, TPersistent) {
        using P = Published<TAdvSplashHTMLText>;
        using B = TAdvSplashHTMLText;
        return {
            P::Property("URLColor", &B::URLColor, &B::SetURLColor).Default(clBlue),
            P::Property("ShadowOffset", &B::ShadowOffset, &B::SetShadowOffset).Default(5),
            P::Property("Font", &B::Font, &B::SetFont),
            P::Property("Text", &B::Text, &B::SetText),
            P::Property("ShadowColor", &B::ShadowColor, &B::SetShadowColor).Default(clGray),
            // The stream's default is the value a new text starts with, so that every other
            // location is written and reads back as it was.
            P::Property("Location", &B::Location, &B::SetLocation).Default(cpTopLeft),
            P::Property("Top", &B::Top, &B::SetTop).Default(0),
            P::Property("Left", &B::Left, &B::SetLeft).Default(0),
        };
    }

private:
    template <typename T>
    void Set(T& field, const T& value) {
        if (field == value) return;
        field = value;
        InvalidateOwner();
    }
    void InvalidateOwner();

    TAdvSmoothSplashScreen* FOwner;
    TColor FURLColor = clBlue;
    int FShadowOffset = 5;
    std::unique_ptr<TFont> FFont;
    std::string FText;
    TColor FShadowColor = clGray;
    TAdvSmoothSplashScreenLocation FLocation = cpTopLeft;
    int FTop = 0;
    int FLeft = 0;
};

// A filled box with mini-HTML text, drawn over the splash's content.
class TAdvSplashTopLayerItem : public TCollectionItem {
public:
    explicit TAdvSplashTopLayerItem(TCollection* collection);
    ~TAdvSplashTopLayerItem() override;
    // Only from another top-layer item; then invalidates the splash window.
    void Assign(TPersistent* source) override;

    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign v) { Set(FAlign, v); }
    TAdvSplashHTMLText* HTMLText() const { return FHTMLText.get(); }
    void SetHTMLText(TAdvSplashHTMLText* v);
    int Width() const { return FWidth; }
    void SetWidth(int v) { Set(FWidth, v); }
    bool Visible() const { return FVisible; }
    void SetVisible(bool v) { Set(FVisible, v); }
    int Top() const { return FTop; }
    void SetTop(int v) { Set(FTop, v); }
    int Height() const { return FHeight; }
    void SetHeight(int v) { Set(FHeight, v); }
    int Left() const { return FLeft; }
    void SetLeft(int v) { Set(FLeft, v); }
    TGDIPFill* Fill() const { return FFill.get(); }
    void SetFill(TGDIPFill* v);

    DSP_PUBLISHED(TAdvSplashTopLayerItem, TCollectionItem) {
        using P = Published<TAdvSplashTopLayerItem>;
        using B = TAdvSplashTopLayerItem;
        return {
            P::Property("Align", &B::Align, &B::SetAlign).Default(alCustom),
            P::Property("HTMLText", &B::HTMLText, &B::SetHTMLText),
            P::Property("Width", &B::Width, &B::SetWidth).Default(100),
            P::Property("Visible", &B::Visible, &B::SetVisible).Default(true),
            P::Property("Top", &B::Top, &B::SetTop).Default(0),
            P::Property("Height", &B::Height, &B::SetHeight).Default(100),
            P::Property("Left", &B::Left, &B::SetLeft).Default(0),
            P::Property("Fill", &B::Fill, &B::SetFill),
        };
    }

private:
    template <typename T>
    void Set(T& field, const T& value) {
        if (field == value) return;
        field = value;
        InvalidateOwner();
    }
    void InvalidateOwner();

    TAdvSmoothSplashScreen* FOwner;
    TAlign FAlign = alCustom;
    std::unique_ptr<TAdvSplashHTMLText> FHTMLText;
    int FWidth = 100;
    bool FVisible = true;
    int FTop = 0;
    int FHeight = 100;
    int FLeft = 0;
    std::unique_ptr<TGDIPFill> FFill;
};

class TAdvSplashTopLayerItems : public TCollection {
public:
    explicit TAdvSplashTopLayerItems(TAdvSmoothSplashScreen* owner);
    TAdvSplashTopLayerItem* Add();
    TAdvSplashTopLayerItem* Insert(int index);
    TAdvSplashTopLayerItem* Items(int index) const;
    TPersistent* GetOwner() override;
    TAdvSmoothSplashScreen* Owner() const { return FOwner; }

    TNotifyEvent OnChange;  // never raised

private:
    TAdvSmoothSplashScreen* FOwner;
};

// ================================================================ the window

// The borderless window of a showing splash. It never takes the activation. In layered mode its
// picture is composed in an off-screen ARGB bitmap (MainBuffer) and handed to the window with
// its opacity multiplied in; otherwise it paints on its client area.
class TSplashScreenWindow : public TForm {
public:
    explicit TSplashScreenWindow(TComponent* owner);
    ~TSplashScreenWindow() override;

    TAdvSmoothSplashScreen* SplashScreen() const { return FSplashScreen; }
    TAdvSplashProgressBar* ProgressBar() const { return FSplashProgressBar; }
    bool ForcedTransparent() const { return FForcedTransparent; }
    // Turns layered mode on (once; it stays on) and composes the picture.
    void SetLayered(bool value);
    // The constant alpha of layered mode, multiplied into the picture handed over.
    std::uint8_t Opacity() const { return FOpacity; }
    void SetOpacity(std::uint8_t value);
    TGPBitmap* MainBuffer() const { return FMainBuffer.get(); }

    // Layered mode: composes and hands over the picture again; otherwise repaints.
    void Refresh();

    // Steps the opacity toward target by step every interval of the framework clock, handing the
    // picture over at each step; then, for a fade-out with freeWhenDone, frees the window.
    void StartFade(int step, int intervalMs, int target, bool freeWhenDone);
    bool Fading() const;
    // Cuts the loose ends to the component (the window outlives it while fading out).
    void Detach();

    // The paint steps, each on the given graphics.
    void PaintAll(TGPGraphics* g, bool withProgressBar);
    void DrawFill(TGPGraphics* g);
    void DrawHeadings(TGPGraphics* g);
    void DrawListItems(TGPGraphics* g);
    void DrawTopLayerItems(TGPGraphics* g);
    void DrawItems(TGPGraphics* g);
    void DrawProgressBar(TGPGraphics* g);
    TRect ContentRect() const;

protected:
    void DoCreate() override;
    void Click() override;
    void Dispatch(TMessage& message) override;
    void PaintWindow(TCanvas& canvas) override;

private:
    friend class TAdvSmoothSplashScreen;
    void LayeredRedraw();
    void HandOver();
    void FadeTick();
    void SetTextHint(TGPGraphics* g) const;

    TAdvSmoothSplashScreen* FSplashScreen = nullptr;
    TAdvSplashProgressBar* FSplashProgressBar = nullptr;
    bool FForcedTransparent = false;
    std::unique_ptr<TGPBitmap> FMainBuffer;
    std::uint8_t FOpacity = 5;
    // The fade in progress.
    TTimer* fadeTimer_ = nullptr;  // owned as a component
    int fadeStep_ = 0;
    int fadeTarget_ = 255;
    bool fadeFreesWindow_ = false;
};

// Draws a splash text at (x, y) with the given look, or with measureOnly only measures it;
// size gets the measured width and height. Nothing for an empty text.
void DrawSplashText(TGPGraphics* g, const std::string& text, int x, int y, TSize& size,
                    TextRenderingHint hint, int angle, bool measureOnly, TColor endColor,
                    TColor startColor, std::uint8_t endOpacity, std::uint8_t startOpacity,
                    HatchStyle hatch, TAdvGDIPPicture* picture, TAdvGradientType gradientType,
                    TFont* font);

// ================================================================ the component

class TAdvSmoothSplashScreen : public TComponent {
public:
    explicit TAdvSmoothSplashScreen(TComponent* owner);
    // Hides a showing splash first.
    ~TAdvSmoothSplashScreen() override;

    void Loaded() override;

    // Shows the splash (X and Y are not used: the window's place comes from DisplayLocation).
    void Show();
    void Show(int x, int y);
    // Hides the splash; with dsFadeInOut the window fades out on its own and goes afterwards.
    void Hide();
    // Fades the showing window in to max or out to min, a step every wait x 3 ms (plain
    // window) or wait ms (layered window), on timers.
    void FadeIn(int step, int wait, int max);
    void FadeOut(int step, int wait, int min);
    void Refresh();
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    void SetComponentStyle(TTMSStyle style);
    // Gives the form the focus once the splash has gone out of the way (20 ms later): activates
    // its window and focuses it.
    void SetFocusToForm(TCustomForm* form);
    void SaveToTheme(const std::string&) {}
    void LoadFromTheme(const std::string&) {}
    std::string GetThemeID() const { return "TAdvSmoothSplashScreen"; }

    bool Showing() const { return FShowing; }
    TSplashScreenWindow* SplashWindow() const { return FSplashWindow; }
    TForm* MainForm() const { return FMainForm; }

    // ---- properties
    bool StayOnTop() const { return FStayOnTop; }
    void SetStayOnTop(bool v);
    std::string Version() const;
    void SetVersion(const std::string&) {}
    bool AutoShow() const { return FAutoShow; }
    void SetAutoShow(bool v) { FAutoShow = v; }
    bool AutoAdaptPictureSize() const { return FAutoAdaptPictureSize; }
    void SetAutoAdaptPictureSize(bool v) { FAutoAdaptPictureSize = v; }
    bool CloseOnMainFormShow() const { return FCloseOnMainFormShow; }
    void SetCloseOnMainFormShow(bool v) { FCloseOnMainFormShow = v; }
    bool CloseOnTimeout() const { return FCloseOnTimeout; }
    void SetCloseOnTimeout(bool v) { FCloseOnTimeout = v; }
    int TimeOut() const { return FTimeOut; }
    void SetTimeOut(int v) { FTimeOut = v; }
    int PictureGap() const { return FPictureGap; }
    void SetPictureGap(int v) { FPictureGap = v; }
    TDisplayStyle DisplayStyle() const { return FDisplayStyle; }
    void SetDisplayStyle(TDisplayStyle v) { FDisplayStyle = v; }
    TDisplayLocation DisplayLocation() const { return FDisplayLocation; }
    void SetDisplayLocation(TDisplayLocation v) { FDisplayLocation = v; }
    int DisplayPosX() const { return FDisplayPosX; }
    void SetDisplayPosX(int v) { FDisplayPosX = v; }
    int DisplayPosY() const { return FDisplayPosY; }
    void SetDisplayPosY(int v) { FDisplayPosY = v; }
    int Width() const { return FWidth; }
    void SetWidth(int v) { FWidth = v; }
    int Height() const { return FHeight; }
    void SetHeight(int v) { FHeight = v; }
    std::uint8_t MaxOpacity() const { return FMaxOpacity; }
    void SetMaxOpacity(std::uint8_t v) { FMaxOpacity = v; }
    TGDIPPictureContainer* PictureContainer() const { return FContainer; }
    void SetPictureContainer(TGDIPPictureContainer* v);
    TBasicProgramInfo* BasicProgramInfo() const { return FBasicProgramInfo.get(); }
    void SetBasicProgramInfo(TBasicProgramInfo* v) { FBasicProgramInfo->Assign(v); }
    TGDIPFill* Fill() const { return FFill.get(); }
    void SetFill(TGDIPFill* v) { FFill->Assign(v); }
    TGDIPSplashProgress* ProgressBar() const { return FProgressBar.get(); }
    void SetProgressBar(TGDIPSplashProgress* v) { FProgressBar->Assign(v); }
    TSplashItems* Items() const { return FItems.get(); }
    void SetItems(TSplashItems* v) { FItems->Assign(v); }
    TSplashListItems* ListItems() const { return FListItems.get(); }
    void SetListItems(TSplashListItems* v) { FListItems->Assign(v); }
    TSplashListItemsSettings* ListItemsSettings() const { return FListItemsSettings.get(); }
    void SetListItemsSettings(TSplashListItemsSettings* v) { FListItemsSettings->Assign(v); }
    TAdvSplashTopLayerItems* TopLayerItems() const { return FTopLayerItems.get(); }
    void SetTopLayerItems(TAdvSplashTopLayerItems* v);
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* v);
    TAdvSmoothSplashScreenTextRenderingHint TextRendering() const { return FTextRendering; }
    void SetTextRendering(TAdvSmoothSplashScreenTextRenderingHint v);

    TNotifyEvent OnProgressChange;
    TAdvSmoothProgressBarPositionChanged OnProgressPositionChanged;
    TNotifyEvent OnClick;
    TNotifyEvent OnBeforeShow;
    TNotifyEvent OnClose;

    DSP_PUBLISHED(TAdvSmoothSplashScreen, TComponent) {
        using P = Published<TAdvSmoothSplashScreen>;
        using B = TAdvSmoothSplashScreen;
        return {
            P::Property("StayOnTop", &B::StayOnTop, &B::SetStayOnTop).Default(true),
            P::Property("Version", &B::Version, &B::SetVersion).Stored(false),
            P::Property("AutoShow", &B::AutoShow, &B::SetAutoShow).Default(true),
            P::Property("AutoAdaptPictureSize", &B::AutoAdaptPictureSize,
                        &B::SetAutoAdaptPictureSize)
                .Default(true),
            P::Property("CloseOnMainFormShow", &B::CloseOnMainFormShow, &B::SetCloseOnMainFormShow)
                .Default(true),
            P::Property("CloseOnTimeout", &B::CloseOnTimeout, &B::SetCloseOnTimeout).Default(false),
            P::Property("TimeOut", &B::TimeOut, &B::SetTimeOut).Default(1000),
            P::Property("PictureGap", &B::PictureGap, &B::SetPictureGap).Default(5),
            P::Property("DisplayStyle", &B::DisplayStyle, &B::SetDisplayStyle).Default(dsFadeInOut),
            P::Property("DisplayLocation", &B::DisplayLocation, &B::SetDisplayLocation)
                .Default(dlCenter),
            P::Property("DisplayPosX", &B::DisplayPosX, &B::SetDisplayPosX).Default(0),
            P::Property("DisplayPosY", &B::DisplayPosY, &B::SetDisplayPosY).Default(0),
            P::Property("Width", &B::Width, &B::SetWidth).Default(600),
            P::Property("Height", &B::Height, &B::SetHeight).Default(400),
            P::Property("MaxOpacity", &B::MaxOpacity, &B::SetMaxOpacity).Default(255),
            P::Property("BasicProgramInfo", &B::BasicProgramInfo, &B::SetBasicProgramInfo),
            P::Property("Fill", &B::Fill, &B::SetFill),
            P::Property("ProgressBar", &B::ProgressBar, &B::SetProgressBar),
            P::Property("Items", &B::Items, &B::SetItems),
            P::Property("ListItems", &B::ListItems, &B::SetListItems),
            P::Property("ListItemsSettings", &B::ListItemsSettings, &B::SetListItemsSettings),
            P::Property("TopLayerItems", &B::TopLayerItems, &B::SetTopLayerItems),
            P::Property("TextRendering", &B::TextRendering, &B::SetTextRendering)
                .Default(tClearType),
        };
    }

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TSplashScreenWindow;
    TSplashScreenWindow* BuildSplashWindow();
    void MainFormShow(TObject* sender);
    void HideNow(bool fade);
    void ProgressSettingsChanged(TObject* sender);
    bool Designing() const { return ComponentState().Contains(csDesigning); }

    bool FAutoShow = true;
    bool FCloseOnTimeout = false;
    bool FCloseOnMainFormShow = true;
    int FTimeOut = 1000;
    TDisplayLocation FDisplayLocation = dlCenter;
    TDisplayStyle FDisplayStyle = dsFadeInOut;
    std::unique_ptr<TGDIPSplashProgress> FProgressBar;
    TImageList* FImages = nullptr;
    std::unique_ptr<TSplashItems> FItems;
    int FDisplayPosY = 0;
    int FDisplayPosX = 0;
    bool FShowing = false;
    TSplashScreenWindow* FSplashWindow = nullptr;
    TNotifyEvent FOldMainFormShow;
    bool hooked_ = false;
    int FHeight = 400;
    int FWidth = 600;
    TTimer* FCloseTimer = nullptr;  // owned as a component
    TForm* FMainForm = nullptr;
    int FPictureGap = 5;
    std::unique_ptr<TSplashListItems> FListItems;
    std::unique_ptr<TBasicProgramInfo> FBasicProgramInfo;
    int FUpdateCount = 0;
    std::unique_ptr<TGDIPFill> FFill;
    std::unique_ptr<TSplashListItemsSettings> FListItemsSettings;
    TGDIPPictureContainer* FContainer = nullptr;
    std::unique_ptr<TAdvSplashTopLayerItems> FTopLayerItems;
    std::uint8_t FMaxOpacity = 255;
    bool FAutoAdaptPictureSize = true;
    TTimer* FFocusFormTimer = nullptr;  // owned as a component
    TCustomForm* FNewFocusForm = nullptr;
    TAdvSmoothSplashScreenTextRenderingHint FTextRendering = tClearType;
    bool FStayOnTop = true;
};

}  // namespace dsp
