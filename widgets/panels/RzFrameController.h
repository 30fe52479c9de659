#pragma once
// TRzFrameController: one set of colour and frame settings pushed to every widget attached to it,
// so that a form's combo boxes, panels and labels share one look; the settings can be kept in a
// settings store (TRzRegIniFile). A widget that implements IFramingNotification reads the
// settings itself when told; every other widget is set property by property, by name, through
// its published properties (a widget without a property of that name is passed over).
//
// TRzOldPropReader reads, and drops, properties that older copies of the widgets' settings still
// hold; the widgets declare them for reading only, so they are never written.

#include <memory>
#include <string>
#include <vector>

#include "framework/core/Component.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Set.h"
#include "framework/core/TypeInfo.h"
#include "framework/graphics/Colors.h"
#include "widgets/panels/RzCommon.h"
#include "widgets/panels/RzRegIniFile.h"

namespace dsp {

class TControl;
class TReader;
class TWriter;

enum TRzFrameControllerProperty {
    fcpColor,
    fcpFocusColor,
    fcpDisabledColor,
    fcpReadOnlyColor,
    fcpReadOnlyColorOnFocus,
    fcpParentColor,
    fcpFlatButtonColor,
    fcpFlatButtons,
    fcpFrameColor,
    fcpFrameHotColor,
    fcpFrameHotTrack,
    fcpFrameHotStyle,
    fcpFrameSides,
    fcpFrameStyle,
    fcpFrameVisible,
    fcpFramingPreference,
    fcpAll
};
DSP_ENUM_NAMES(TRzFrameControllerProperty, "fcpColor", "fcpFocusColor", "fcpDisabledColor",
               "fcpReadOnlyColor", "fcpReadOnlyColorOnFocus", "fcpParentColor",
               "fcpFlatButtonColor", "fcpFlatButtons", "fcpFrameColor", "fcpFrameHotColor",
               "fcpFrameHotTrack", "fcpFrameHotStyle", "fcpFrameSides", "fcpFrameStyle",
               "fcpFrameVisible", "fcpFramingPreference", "fcpAll")
// The settings a widget accepts from its controller (the first sixteen flags).
using TRzFrameControllerNotifications = Set<TRzFrameControllerProperty>;
inline constexpr TRzFrameControllerNotifications kAllFrameNotifications =
    TRzFrameControllerNotifications::FromBits(0xFFFF);

// A widget that reads its controller's settings itself.
class IFramingNotification {
public:
    virtual ~IFramingNotification() = default;
    virtual void FramingChanged() = 0;
};

// Load or Save without a settings store.
class ENoRegIniFile : public Exception {
public:
    using Exception::Exception;
};

class TRzFrameController : public TComponent {
    DSP_PUBLISHED(TRzFrameController, TComponent) {
        using P = Published<TRzFrameController>;
        using C = TRzFrameController;
        return {
            P::Property("Color", &C::Color, &C::SetColor).Stored(&C::IsColorStored),
            P::Property("FocusColor", &C::FocusColor, &C::SetFocusColor).Default(clWindow),
            P::Property("DisabledColor", &C::DisabledColor, &C::SetDisabledColor)
                .Default(clBtnFace),
            P::Property("ReadOnlyColor", &C::ReadOnlyColor, &C::SetReadOnlyColor).Default(clInfoBk),
            P::Property("ReadOnlyColorOnFocus", &C::ReadOnlyColorOnFocus,
                        &C::SetReadOnlyColorOnFocus)
                .Default(false),
            P::Property("ParentColor", &C::ParentColor, &C::SetParentColor).Default(false),
            P::Property("FlatButtonColor", &C::FlatButtonColor, &C::SetFlatButtonColor)
                .Default(clBtnFace),
            P::Property("FlatButtons", &C::FlatButtons, &C::SetFlatButtons).Default(true),
            P::Property("FrameColor", &C::FrameColor, &C::SetFrameColor).Default(clBtnShadow),
            P::Property("FrameHotColor", &C::FrameHotColor, &C::SetFrameHotColor)
                .Default(clBtnShadow),
            P::Property("FrameHotTrack", &C::FrameHotTrack, &C::SetFrameHotTrack).Default(false),
            P::Property("FrameHotStyle", &C::FrameHotStyle, &C::SetFrameHotStyle)
                .Default(fsFlatBold),
            P::Property("FrameSides", &C::FrameSides, &C::SetFrameSides).Default(kAllSides),
            P::Property("FrameStyle", &C::FrameStyle, &C::SetFrameStyle).Default(fsFlat),
            P::Property("FrameVisible", &C::FrameVisible, &C::SetFrameVisible).Default(false),
            P::Property("FramingPreference", &C::FramingPreference, &C::SetFramingPreference)
                .Default(fpXPThemes),
            P::Property("RegIniFile", &C::RegIniFile, &C::SetRegIniFile),
        };
    }

public:
    explicit TRzFrameController(TComponent* owner);
    ~TRzFrameController() override;

    TColor Color() const { return color_; }
    void SetColor(TColor value);
    TColor FocusColor() const { return focusColor_; }
    void SetFocusColor(TColor value);
    TColor DisabledColor() const { return disabledColor_; }
    void SetDisabledColor(TColor value);
    TColor ReadOnlyColor() const { return readOnlyColor_; }
    void SetReadOnlyColor(TColor value);
    bool ReadOnlyColorOnFocus() const { return readOnlyColorOnFocus_; }
    void SetReadOnlyColorOnFocus(bool value);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value);
    TColor FlatButtonColor() const { return flatButtonColor_; }
    void SetFlatButtonColor(TColor value);
    bool FlatButtons() const { return flatButtons_; }
    void SetFlatButtons(bool value);
    TColor FrameColor() const { return frameColor_; }
    void SetFrameColor(TColor value);
    TColor FrameHotColor() const { return frameHotColor_; }
    void SetFrameHotColor(TColor value);
    bool FrameHotTrack() const { return frameHotTrack_; }
    void SetFrameHotTrack(bool value);
    TFrameStyle FrameHotStyle() const { return frameHotStyle_; }
    void SetFrameHotStyle(TFrameStyle value);
    TSides FrameSides() const { return frameSides_; }
    void SetFrameSides(TSides value);
    TFrameStyle FrameStyle() const { return frameStyle_; }
    void SetFrameStyle(TFrameStyle value);
    bool FrameVisible() const { return frameVisible_; }
    void SetFrameVisible(bool value);
    TFramingPreference FramingPreference() const { return framingPreference_; }
    void SetFramingPreference(TFramingPreference value);
    TRzRegIniFile* RegIniFile() const { return regIniFile_; }
    void SetRegIniFile(TRzRegIniFile* value);

    // Widgets attach when their FrameController is set and detach when it changes or they go.
    void AddControl(TControl* control);
    void RemoveControl(TControl* control);
    int ControlCount() const { return frameList_ ? static_cast<int>(frameList_->size()) : 0; }

    // Changes between BeginUpdate and the matching EndUpdate are pushed once, at the end. An
    // EndUpdate without a BeginUpdate pushes and stays at zero.
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();
    void UpdateControls() { NotifyControls(fcpAll); }

    // The settings from the store's section (each key's default when missing; ParentColor is
    // left alone), or into it. ENoRegIniFile without a store.
    void Load(const std::string& section);
    void Save(const std::string& section);

    void Assign(TPersistent* source) override;

protected:
    virtual void UpdateControl(TControl* control, TRzFrameControllerProperty property);
    virtual void NotifyControls(TRzFrameControllerProperty property);
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    void DefineProperties(TFiler* filer) override;

private:
    bool IsColorStored() const { return !parentColor_; }
    void PushProperty(TControl* control, TRzFrameControllerProperty property);

    TColor color_ = clWindow;
    TColor focusColor_ = clWindow;
    TColor disabledColor_ = clBtnFace;
    TColor readOnlyColor_ = clInfoBk;
    bool readOnlyColorOnFocus_ = false;
    bool parentColor_ = false;
    TColor flatButtonColor_ = clBtnFace;
    bool flatButtons_ = true;
    TColor frameColor_ = clBtnShadow;
    TColor frameHotColor_ = clBtnShadow;
    bool frameHotTrack_ = false;
    TFrameStyle frameHotStyle_ = fsFlatBold;
    TSides frameSides_ = kAllSides;
    TFrameStyle frameStyle_ = fsFlat;
    bool frameVisible_ = false;
    TFramingPreference framingPreference_ = fpXPThemes;
    TRzRegIniFile* regIniFile_ = nullptr;
    std::unique_ptr<std::vector<TControl*>> frameList_;
    int updateCount_ = 0;
};

// Reader callbacks that read one value of their kind and drop it.
class TRzOldPropReader {
public:
    static void ReadOldBooleanProp(TReader& reader);
    static void ReadOldEnumProp(TReader& reader);
    static void ReadOldIdentProp(TReader& reader);
    static void ReadOldIntegerProp(TReader& reader);
    static void ReadOldSetProp(TReader& reader);
    static void ReadOldStringProp(TReader& reader);
    static void WriteOldProp(TWriter& writer);
};

// Declares an old property for reading only: read by reader, never written.
void DefineOldProperty(TFiler* filer, const std::string& name, void (*reader)(TReader&));

// The frame-controller reference every framed widget keeps: attaching, detaching and hearing of
// the controller's removal.
class TFrameControllerLink {
public:
    explicit TFrameControllerLink(TControl& owner) : owner_(owner) {}
    TFrameControllerLink(const TFrameControllerLink&) = delete;
    TFrameControllerLink& operator=(const TFrameControllerLink&) = delete;
    ~TFrameControllerLink();

    TRzFrameController* Get() const { return controller_; }
    void Set(TRzFrameController* value);
    // From the owner's Notification.
    void Removed(TComponent* component);

private:
    TControl& owner_;
    TRzFrameController* controller_ = nullptr;
};

}  // namespace dsp
