#include "widgets/panels/RzFrameController.h"

#include <algorithm>

#include "framework/controls/Control.h"
#include "framework/text/Filer.h"
#include "framework/text/PropertyText.h"
#include "widgets/panels/RzRegIniFile.h"

namespace dsp {

namespace {

// The published property each setting is pushed to.
const char* PushedName(TRzFrameControllerProperty property) {
    switch (property) {
        case fcpColor: return "Color";
        case fcpFocusColor: return "FocusColor";
        case fcpDisabledColor: return "DisabledColor";
        case fcpReadOnlyColor: return "ReadOnlyColor";
        case fcpReadOnlyColorOnFocus: return "ReadOnlyColorOnFocus";
        case fcpParentColor: return "ParentColor";
        case fcpFlatButtonColor: return "FlatButtonColor";
        case fcpFlatButtons: return "FlatButtons";
        case fcpFrameColor: return "FrameColor";
        case fcpFrameHotColor: return "FrameHotColor";
        case fcpFrameHotTrack: return "FrameHotTrack";
        case fcpFrameHotStyle: return "FrameHotStyle";
        case fcpFrameSides: return "FrameSides";
        case fcpFrameStyle: return "FrameStyle";
        case fcpFrameVisible: return "FrameVisible";
        case fcpFramingPreference: return "FramingPreference";
        case fcpAll: break;
    }
    return "";
}

// The controller's value of a setting as an ordinal.
long long ValueOf(const TRzFrameController& c, TRzFrameControllerProperty property) {
    switch (property) {
        case fcpColor: return c.Color();
        case fcpFocusColor: return c.FocusColor();
        case fcpDisabledColor: return c.DisabledColor();
        case fcpReadOnlyColor: return c.ReadOnlyColor();
        case fcpReadOnlyColorOnFocus: return c.ReadOnlyColorOnFocus();
        case fcpParentColor: return c.ParentColor();
        case fcpFlatButtonColor: return c.FlatButtonColor();
        case fcpFlatButtons: return c.FlatButtons();
        case fcpFrameColor: return c.FrameColor();
        case fcpFrameHotColor: return c.FrameHotColor();
        case fcpFrameHotTrack: return c.FrameHotTrack();
        case fcpFrameHotStyle: return c.FrameHotStyle();
        case fcpFrameSides: return static_cast<long long>(c.FrameSides().Bits());
        case fcpFrameStyle: return c.FrameStyle();
        case fcpFrameVisible: return c.FrameVisible();
        case fcpFramingPreference: return c.FramingPreference();
        case fcpAll: break;
    }
    return 0;
}

TRzFrameControllerNotifications NotificationsOf(const TControl* control) {
    const TPropInfo* info = GetPropInfo(control, "FrameControllerNotifications");
    if (info == nullptr || info->Kind() != tkSet) return kAllFrameNotifications;
    return TRzFrameControllerNotifications::FromBits(
        static_cast<std::uint64_t>(info->GetOrdinal(control)));
}

// The order in which everything is pushed.
constexpr TRzFrameControllerProperty kPushOrder[] = {
    fcpParentColor,          fcpColor,         fcpDisabledColor,   fcpReadOnlyColor,
    fcpReadOnlyColorOnFocus, fcpFocusColor,    fcpFlatButtonColor, fcpFlatButtons,
    fcpFrameColor,           fcpFrameHotColor, fcpFrameHotTrack,   fcpFrameHotStyle,
    fcpFrameSides,           fcpFrameStyle,    fcpFrameVisible,    fcpFramingPreference,
};

}  // namespace

TRzFrameController::TRzFrameController(TComponent* owner) : TComponent(owner) {}

TRzFrameController::~TRzFrameController() {
    // Attached widgets hear of the removal through the component notification and let go.
    Destroying();
}

void TRzFrameController::AddControl(TControl* control) {
    if (control == nullptr) return;
    if (!frameList_) frameList_ = std::make_unique<std::vector<TControl*>>();
    if (std::find(frameList_->begin(), frameList_->end(), control) != frameList_->end()) return;
    frameList_->push_back(control);
    UpdateControl(control, fcpAll);
}

void TRzFrameController::RemoveControl(TControl* control) {
    if (!frameList_) return;
    std::erase(*frameList_, control);
    if (frameList_->empty()) frameList_.reset();
}

void TRzFrameController::EndUpdate() {
    if (--updateCount_ <= 0) {
        updateCount_ = 0;
        NotifyControls(fcpAll);
    }
}

void TRzFrameController::PushProperty(TControl* control, TRzFrameControllerProperty property) {
    const TPropInfo* info = GetPropInfo(control, PushedName(property));
    if (info == nullptr || !info->HasSetter()) return;
    if (property == fcpFrameSides) {
        // Sets travel through their text form, so a widget's own side type takes them too.
        if (info->Kind() != tkSet || info->EnumInfo() == nullptr) return;
        SetPropText(control, *info,
                    SetToString(EnumTypeInfo(static_cast<TSide*>(nullptr)), frameSides_.Bits()));
        return;
    }
    if (!info->IsOrdinal()) return;
    info->SetOrdinal(control, ValueOf(*this, property));
}

void TRzFrameController::UpdateControl(TControl* control, TRzFrameControllerProperty property) {
    if (control == nullptr) return;
    const TRzFrameControllerNotifications flags = NotificationsOf(control);
    if (auto* framed = dynamic_cast<IFramingNotification*>(control)) {
        framed->FramingChanged();
        return;
    }
    if (property != fcpAll) {
        if (flags.Contains(property)) PushProperty(control, property);
        return;
    }
    for (TRzFrameControllerProperty p : kPushOrder) {
        if (!flags.Contains(p)) continue;
        if (p == fcpColor && parentColor_) continue;
        PushProperty(control, p);
    }
}

void TRzFrameController::NotifyControls(TRzFrameControllerProperty property) {
    if (updateCount_ > 0 || !frameList_) return;
    // A control's update may detach controls: walk a copy.
    const std::vector<TControl*> controls = *frameList_;
    for (TControl* control : controls) UpdateControl(control, property);
}

void TRzFrameController::SetColor(TColor value) {
    if (color_ == value) return;
    if (color_ == focusColor_) focusColor_ = value;
    color_ = value;
    parentColor_ = false;
    NotifyControls(fcpColor);
}

void TRzFrameController::SetFocusColor(TColor value) {
    if (focusColor_ == value) return;
    focusColor_ = value;
    NotifyControls(fcpFocusColor);
}

void TRzFrameController::SetDisabledColor(TColor value) {
    if (disabledColor_ == value) return;
    disabledColor_ = value;
    NotifyControls(fcpDisabledColor);
}

void TRzFrameController::SetReadOnlyColor(TColor value) {
    if (readOnlyColor_ == value) return;
    readOnlyColor_ = value;
    NotifyControls(fcpReadOnlyColor);
}

void TRzFrameController::SetReadOnlyColorOnFocus(bool value) {
    if (readOnlyColorOnFocus_ == value) return;
    readOnlyColorOnFocus_ = value;
    NotifyControls(fcpReadOnlyColorOnFocus);
}

void TRzFrameController::SetParentColor(bool value) {
    if (parentColor_ == value) return;
    parentColor_ = value;
    NotifyControls(fcpParentColor);
    if (!value) NotifyControls(fcpColor);
}

void TRzFrameController::SetFlatButtonColor(TColor value) {
    if (flatButtonColor_ == value) return;
    flatButtonColor_ = value;
    NotifyControls(fcpFlatButtonColor);
}

void TRzFrameController::SetFlatButtons(bool value) {
    if (flatButtons_ == value) return;
    flatButtons_ = value;
    NotifyControls(fcpFlatButtons);
}

void TRzFrameController::SetFrameColor(TColor value) {
    if (frameColor_ == value) return;
    frameColor_ = value;
    NotifyControls(fcpFrameColor);
}

void TRzFrameController::SetFrameHotColor(TColor value) {
    if (frameHotColor_ == value) return;
    frameHotColor_ = value;
    NotifyControls(fcpFrameHotColor);
}

void TRzFrameController::SetFrameHotTrack(bool value) {
    if (frameHotTrack_ == value) return;
    frameHotTrack_ = value;
    if (value) {
        SetFrameVisible(true);
        if (!ComponentState().Contains(csLoading)) frameSides_ = kAllSides;
    }
    NotifyControls(fcpFrameHotTrack);
}

void TRzFrameController::SetFrameHotStyle(TFrameStyle value) {
    if (frameHotStyle_ == value) return;
    frameHotStyle_ = value;
    NotifyControls(fcpFrameHotStyle);
}

void TRzFrameController::SetFrameSides(TSides value) {
    if (frameSides_ == value) return;
    frameSides_ = value;
    NotifyControls(fcpFrameSides);
}

void TRzFrameController::SetFrameStyle(TFrameStyle value) {
    if (frameStyle_ == value) return;
    frameStyle_ = value;
    NotifyControls(fcpFrameStyle);
}

void TRzFrameController::SetFrameVisible(bool value) {
    if (frameVisible_ == value) return;
    frameVisible_ = value;
    NotifyControls(fcpFrameVisible);
}

void TRzFrameController::SetFramingPreference(TFramingPreference value) {
    if (framingPreference_ == value) return;
    framingPreference_ = value;
    NotifyControls(fcpFramingPreference);
}

void TRzFrameController::SetRegIniFile(TRzRegIniFile* value) {
    if (regIniFile_ == value) return;
    if (regIniFile_ != nullptr) regIniFile_->RemoveFreeNotification(this);
    regIniFile_ = value;
    if (value != nullptr) value->FreeNotification(this);
}

void TRzFrameController::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == regIniFile_) regIniFile_ = nullptr;
    if (frameList_) {
        if (auto* control = dynamic_cast<TControl*>(component)) RemoveControl(control);
    }
}

void TRzFrameController::Loaded() {
    TComponent::Loaded();
    UpdateControls();
}

void TRzFrameController::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TRzFrameController*>(source);
    if (other == nullptr) {
        TComponent::Assign(source);
        return;
    }
    BeginUpdate();
    color_ = other->color_;
    disabledColor_ = other->disabledColor_;
    readOnlyColor_ = other->readOnlyColor_;
    readOnlyColorOnFocus_ = other->readOnlyColorOnFocus_;
    flatButtonColor_ = other->flatButtonColor_;
    flatButtons_ = other->flatButtons_;
    focusColor_ = other->focusColor_;
    frameColor_ = other->frameColor_;
    frameHotColor_ = other->frameHotColor_;
    frameHotStyle_ = other->frameHotStyle_;
    frameHotTrack_ = other->frameHotTrack_;
    frameSides_ = other->frameSides_;
    frameStyle_ = other->frameStyle_;
    frameVisible_ = other->frameVisible_;
    framingPreference_ = other->framingPreference_;
    parentColor_ = other->parentColor_;
    EndUpdate();
}

void TRzFrameController::Load(const std::string& section) {
    if (regIniFile_ == nullptr) {
        throw ENoRegIniFile(
            "Cannot load Custom Framing settings--No TRzRegIniFile component specified");
    }
    TRzRegIniFile& ini = *regIniFile_;
    BeginUpdate();
    try {
        color_ = ini.ReadInteger(section, "Color", clWindow);
        flatButtonColor_ = ini.ReadInteger(section, "FlatButtonColor", clBtnFace);
        flatButtons_ = ini.ReadBool(section, "FlatButtons", true);
        disabledColor_ = ini.ReadInteger(section, "DisabledColor", clBtnFace);
        readOnlyColor_ = ini.ReadInteger(section, "ReadOnlyColor", clInfoBk);
        readOnlyColorOnFocus_ = ini.ReadBool(section, "ReadOnlyColorOnFocus", false);
        focusColor_ = ini.ReadInteger(section, "FocusColor", clWindow);
        frameColor_ = ini.ReadInteger(section, "FrameColor", clBtnShadow);
        frameHotColor_ = ini.ReadInteger(section, "FrameHotColor", clBtnShadow);
        // A stored style outside the frame styles keeps the default.
        const int hotStyle = ini.ReadInteger(section, "FrameHotStyle", fsFlatBold);
        frameHotStyle_ =
            hotStyle >= fsNone && hotStyle <= fsFlatRounded ? TFrameStyle(hotStyle) : fsFlatBold;
        frameHotTrack_ = ini.ReadBool(section, "FrameHotTrack", false);
        TSides sides;
        if (ini.ReadBool(section, "FrameSides_Left", true)) sides.Include(sdLeft);
        if (ini.ReadBool(section, "FrameSides_Top", true)) sides.Include(sdTop);
        if (ini.ReadBool(section, "FrameSides_Right", true)) sides.Include(sdRight);
        if (ini.ReadBool(section, "FrameSides_Bottom", true)) sides.Include(sdBottom);
        frameSides_ = sides;
        const int style = ini.ReadInteger(section, "FrameStyle", fsFlat);
        frameStyle_ = style >= fsNone && style <= fsFlatRounded ? TFrameStyle(style) : fsFlat;
        frameVisible_ = ini.ReadBool(section, "FrameVisible", false);
        const int preference = ini.ReadInteger(section, "FramingPreference", fpXPThemes);
        framingPreference_ = preference == fpCustomFraming ? fpCustomFraming : fpXPThemes;
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TRzFrameController::Save(const std::string& section) {
    if (regIniFile_ == nullptr) {
        throw ENoRegIniFile(
            "Cannot save Custom Framing settings--No TRzRegIniFile component specified");
    }
    TRzRegIniFile& ini = *regIniFile_;
    ini.WriteInteger(section, "Color", color_);
    ini.WriteInteger(section, "FlatButtonColor", flatButtonColor_);
    ini.WriteBool(section, "FlatButtons", flatButtons_);
    ini.WriteInteger(section, "DisabledColor", disabledColor_);
    ini.WriteInteger(section, "ReadOnlyColor", readOnlyColor_);
    ini.WriteBool(section, "ReadOnlyColorOnFocus", readOnlyColorOnFocus_);
    ini.WriteInteger(section, "FocusColor", focusColor_);
    ini.WriteInteger(section, "FrameColor", frameColor_);
    ini.WriteInteger(section, "FrameHotColor", frameHotColor_);
    ini.WriteInteger(section, "FrameHotStyle", frameHotStyle_);
    ini.WriteBool(section, "FrameHotTrack", frameHotTrack_);
    ini.WriteBool(section, "FrameSides_Left", frameSides_.Contains(sdLeft));
    ini.WriteBool(section, "FrameSides_Top", frameSides_.Contains(sdTop));
    ini.WriteBool(section, "FrameSides_Right", frameSides_.Contains(sdRight));
    ini.WriteBool(section, "FrameSides_Bottom", frameSides_.Contains(sdBottom));
    ini.WriteInteger(section, "FrameStyle", frameStyle_);
    ini.WriteBool(section, "FrameVisible", frameVisible_);
    ini.WriteInteger(section, "FramingPreference", framingPreference_);
}

void TRzFrameController::DefineProperties(TFiler* filer) {
    TComponent::DefineProperties(filer);
    // Older settings: "FrameFlat" meant hot tracking with the status and lowered styles.
    filer->DefineProperty(
        "FrameFlat",
        [this](TReader& reader) {
            frameHotTrack_ = reader.ReadBoolean();
            if (frameHotTrack_) {
                frameStyle_ = fsStatus;
                frameHotStyle_ = fsLowered;
            }
        },
        nullptr, false);
    filer->DefineProperty(
        "FrameFocusStyle",
        [this](TReader& reader) {
            const int value =
                EnumTypeInfo(static_cast<TFrameStyleEx*>(nullptr)).ValueOf(reader.ReadIdent());
            if (value >= fsNone && value <= fsFlatBold) frameHotStyle_ = TFrameStyle(value);
        },
        nullptr, false);
    DefineOldProperty(filer, "FrameFlatStyle", &TRzOldPropReader::ReadOldEnumProp);
}

// ---- old properties

void TRzOldPropReader::ReadOldBooleanProp(TReader& reader) { reader.ReadBoolean(); }
void TRzOldPropReader::ReadOldEnumProp(TReader& reader) { reader.ReadIdent(); }
void TRzOldPropReader::ReadOldIdentProp(TReader& reader) { reader.ReadIdent(); }
void TRzOldPropReader::ReadOldIntegerProp(TReader& reader) { reader.ReadInteger(); }
void TRzOldPropReader::ReadOldStringProp(TReader& reader) { reader.ReadString(); }
void TRzOldPropReader::WriteOldProp(TWriter&) {}

void TRzOldPropReader::ReadOldSetProp(TReader& reader) {
    // The set's marker, then names until an empty one.
    if (reader.ReadValue() != vaSet) return;
    while (!reader.ReadIdent().empty()) {}
}

void DefineOldProperty(TFiler* filer, const std::string& name, void (*reader)(TReader&)) {
    filer->DefineProperty(name, reader, &TRzOldPropReader::WriteOldProp, false);
}

// ---- the widgets' link to their controller

TFrameControllerLink::~TFrameControllerLink() {
    if (controller_ != nullptr) controller_->RemoveControl(&owner_);
}

void TFrameControllerLink::Set(TRzFrameController* value) {
    if (controller_ == value) return;
    if (controller_ != nullptr) {
        controller_->RemoveControl(&owner_);
        controller_->RemoveFreeNotification(&owner_);
    }
    controller_ = value;
    if (value != nullptr) {
        value->FreeNotification(&owner_);
        value->AddControl(&owner_);
    }
}

void TFrameControllerLink::Removed(TComponent* component) {
    if (component == controller_) controller_ = nullptr;
}

}  // namespace dsp
