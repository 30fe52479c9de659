#include "plot/engine/iVCLComponent.h"

#include "framework/controls/ControlMessages.h"
#include "framework/controls/MessageParams.h"
#include "framework/core/Exceptions.h"
#include "framework/runtime/Timer.h"
#include "framework/text/Filer.h"
#include "framework/text/Numbers.h"
#include "framework/text/StrUtils.h"

namespace dsp {

TiVCLComponent::TiVCLComponent(TComponent* owner)
    : TiComponent(owner), FOPCItemManager(std::make_unique<TiOPCItemManager>(this)) {
    FOPCItemManager->OnGetDesigning = [this](TObject*, bool& designing) {
        designing = OPCGetDesigning();
    };
    FOPCItemManager->OnGetType = [this](const std::string& name, TTypeKind& kind) {
        kind = OPCGetPropertyKind(name);
    };
    FOPCItemManager->OnNewData = [this](TObject* item) {
        OPCNewData(static_cast<TiOPCItem*>(item));
    };
}

void TiVCLComponent::DefineProperties(TFiler* filer) {
    TiComponent::DefineProperties(filer);
    filer->DefineProperty(
        "OPCItems", [this](TReader& reader) { FOPCItemManager->ReadFromStream(reader); },
        [this](TWriter& writer) { FOPCItemManager->WriteToStream(writer); },
        FOPCItemManager->DoWriteToStream());
}

TiVCLComponent::~TiVCLComponent() {
    FTimer.reset();
    FOPCItemManager.reset();
}

// ---- painting lock

void TiVCLComponent::Lock() {
    if (!ComponentState().Contains(csDestroying)) FDataCriticalSection.Enter();
}

void TiVCLComponent::Unlock() {
    if (!ComponentState().Contains(csDestroying)) FDataCriticalSection.Leave();
}

// ---- internal timer

bool TiVCLComponent::InternalTimerRunning() const { return FTimer && FTimer->Enabled(); }

void TiVCLComponent::InternalTimerStart(int initialDelay, int interval) {
    if (InternalTimerRunning()) return;
    FTimerInterval = interval;
    unsigned first = 0;
    if (initialDelay != 0) {
        first = static_cast<unsigned>(initialDelay);
        FTimerFirstMessage = true;
    } else if (interval != 0) {
        first = static_cast<unsigned>(interval);
        FTimerFirstMessage = false;
    }
    if (first == 0) return;
    if (!FTimer) {
        FTimer = std::make_unique<TTimer>(nullptr);
        FTimer->SetEnabled(false);
        FTimer->SetOnTimer([this](TObject*) { TimerTick(); });
    }
    FTimer->SetInterval(first);
    FTimer->SetEnabled(true);
}

void TiVCLComponent::InternalTimerStop() {
    if (FTimer) FTimer->SetEnabled(false);
}

void TiVCLComponent::TimerTick() {
    if (FTimerFirstMessage) {
        FTimerFirstMessage = false;
        if (FTimerInterval > 0) {
            FTimer->SetInterval(static_cast<unsigned>(FTimerInterval));
        } else {
            FTimer->SetEnabled(false);
        }
    }
    if (OnInternalTimer) OnInternalTimer(this);
}

// ---- messages and bounds

void TiVCLComponent::Dispatch(TMessage& message) {
    switch (message.Msg) {
        case WM_ERASEBKGND:
            // The whole area is painted from the off-screen bitmap: never erase (no flicker).
            message.Result = 1;
            return;
        case WM_GETDLGCODE:
            TiComponent::Dispatch(message);
            message.Result |= DLGC_WANTALLKEYS;
            return;
        case CM_WANTSPECIALKEY: {
            TiComponent::Dispatch(message);
            TKeyCode key = static_cast<TKeyCode>(KeyParamsOf(message).key);
            iWantSpecialKey(key, message.Result);
            return;
        }
        case WM_SETFOCUS: {
            TUserInput input(*this);
            GainFocus();
            TiComponent::Dispatch(message);
            return;
        }
        case WM_KILLFOCUS: {
            TUserInput input(*this);
            const bool toSelf = HandleAllocated() && FocusWindowOf(message) == Handle();
            if (!toSelf) LoseFocus();
            TiComponent::Dispatch(message);
            return;
        }
        case WM_LBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_MBUTTONUP:
        case WM_RBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK: try { TiComponent::Dispatch(message);
            } catch (const Exception&) {}
            return;
        case CM_SYSCOLORCHANGE:
            TiComponent::Dispatch(message);
            RequestFullRepaint();
            return;
        case CM_COLORCHANGED: RequestFullRepaint(); return;
        case WM_MOVE:
            TiComponent::Dispatch(message);
            RequestTransparentCapture();
            return;
        default: TiComponent::Dispatch(message); return;
    }
}

bool TiVCLComponent::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
    return iMouseWheel(wheelDelta, shift, mousePos);
}

void TiVCLComponent::RepaintAll() {
    RequestFullRepaint();
    RequestTransparentCapture();
}

void TiVCLComponent::SetBounds(int left, int top, int width, int height) {
    if (left == Left() && top == Top() && width == Width() && height == Height()) return;
    TiComponent::SetBounds(left, top, width, height);
    if (FTransparentBitmap && width > 0 && height > 0) FTransparentBitmap->SetSize(width, height);
    RequestTransparentCapture();
    ResizeBuffers();
    RequestFullRepaint();
}

// ---- OPC items

int TiVCLComponent::OPCAddItem() { return FOPCItemManager->Add(); }
int TiVCLComponent::OPCItemCount() const { return FOPCItemManager->Count(); }
void TiVCLComponent::OPCRemoveAllItems() { FOPCItemManager->Clear(); }
void TiVCLComponent::OPCDeleteItem(int index) { FOPCItemManager->Delete(index); }
void TiVCLComponent::OPCItemActivate(int index) { FOPCItemManager->Item(index)->Activate(); }
void TiVCLComponent::OPCItemDeactivate(int index) { FOPCItemManager->Item(index)->Deactivate(); }
void TiVCLComponent::OPCItemUpdateResume(int index) {
    FOPCItemManager->Item(index)->UpdateResume();
}
void TiVCLComponent::OPCItemUpdateSuspend(int index) {
    FOPCItemManager->Item(index)->UpdateSuspend();
}
void TiVCLComponent::OPCItemLoaded(int index) { FOPCItemManager->Item(index)->Loaded(); }
void TiVCLComponent::SetOPCItemData(int index, const TVariant& value) {
    FOPCItemManager->Item(index)->SetData(value);
}
TVariant TiVCLComponent::GetOPCItemData(int index) const {
    return FOPCItemManager->Item(index)->Data();
}
void TiVCLComponent::SetOPCItemComputerName(int index, const std::string& value) {
    FOPCItemManager->Item(index)->SetComputerName(value);
}
void TiVCLComponent::SetOPCItemServerName(int index, const std::string& value) {
    FOPCItemManager->Item(index)->SetServerName(value);
}
void TiVCLComponent::SetOPCItemItemName(int index, const std::string& value) {
    FOPCItemManager->Item(index)->SetItemName(value);
}
void TiVCLComponent::SetOPCItemPropertyName(int index, const std::string& value) {
    FOPCItemManager->Item(index)->SetPropertyName(value);
}
std::string TiVCLComponent::GetOPCItemComputerName(int index) const {
    return FOPCItemManager->Item(index)->ComputerName();
}
std::string TiVCLComponent::GetOPCItemServerName(int index) const {
    return FOPCItemManager->Item(index)->ServerName();
}
std::string TiVCLComponent::GetOPCItemItemName(int index) const {
    return FOPCItemManager->Item(index)->ItemName();
}
std::string TiVCLComponent::GetOPCItemPropertyName(int index) const {
    return FOPCItemManager->Item(index)->PropertyName();
}
void TiVCLComponent::SetOPCItemAutoConnect(int index, bool value) {
    FOPCItemManager->Item(index)->SetAutoConnect(value);
}
bool TiVCLComponent::GetOPCItemAutoConnect(int index) const {
    return FOPCItemManager->Item(index)->AutoConnect();
}
void TiVCLComponent::SetOPCItemUpdateRate(int index, int value) {
    FOPCItemManager->Item(index)->SetUpdateRate(value);
}
int TiVCLComponent::GetOPCItemUpdateRate(int index) const {
    return FOPCItemManager->Item(index)->UpdateRate();
}
int TiVCLComponent::GetOPCItemQuality(int index) const {
    return FOPCItemManager->Item(index)->Quality();
}
double TiVCLComponent::GetOPCItemTimeStamp(int index) const {
    return FOPCItemManager->Item(index)->TimeStamp();
}

void TiVCLComponent::OPCNewData(TiOPCItem* item) {
    if (item == nullptr || item->PropertyName().empty()) return;
    const int index = FOPCItemManager->FindIndex(item);
    TVariant value = item->Data();
    if (OnBeforeNewOPCData) OnBeforeNewOPCData(index, value);
    FOPCIncomingActive = true;
    try {
        if (item->QualityGood()) SetPropertyByPath(this, "", value, item->PropertyName());
    } catch (...) {
        FOPCIncomingActive = false;
        throw;
    }
    FOPCIncomingActive = false;
    if (OnNewOPCData) OnNewOPCData(index);
}

bool TiVCLComponent::OPCPropertyChanged(const std::string& propName, const TVariant& value) {
    if (FOPCIncomingActive) {
        // The value came from the server: it is not sent back.
        FOPCIncomingActive = false;
        return false;
    }
    bool sent = false;
    for (int i = 0; i < FOPCItemManager->Count(); ++i) {
        TiOPCItem* item = FOPCItemManager->Item(i);
        if (item->Active() && SameText(item->PropertyName(), propName)) {
            item->SetData(value);
            sent = true;
        }
    }
    return sent;
}

void TiVCLComponent::SetPropertyByPath(TObject* instance, const std::string& path,
                                       const TVariant& value, const std::string& target) {
    if (instance == nullptr) return;
    const bool hasPath = !Trim(path).empty();
    for (const TPropInfo* p : instance->ClassInfo().Properties()) {
        const std::string full = hasPath ? path + "." + p->Name() : p->Name();
        if (p->Kind() == tkClass) {
            SetPropertyByPath(p->GetObject(instance), full, value, target);
            continue;
        }
        if (!p->HasSetter() || !SameText(full, target)) continue;
        const std::string text = VarToStr(value);
        switch (p->Kind()) {
            case tkInteger:
            case tkChar:
            case tkSet: p->SetOrdinal(instance, StrToInt64(Trim(text))); break;
            case tkEnumeration: {
                std::string number = Trim(text);
                if (SameText(number, "True")) number = "1";
                if (SameText(number, "False")) number = "0";
                const TEnumInfo* info = p->EnumInfo();
                if (info != nullptr && info->MaxValue() == 1) {
                    p->SetOrdinal(instance, number == "0" ? 0 : 1);
                } else {
                    p->SetOrdinal(instance, StrToInt64(number));
                }
                break;
            }
            case tkFloat: p->SetFloat(instance, StrToFloat(Trim(text))); break;
            case tkString: p->SetString(instance, text); break;
            default: break;
        }
    }
}

bool TiVCLComponent::OPCGetDesigning() {
    bool designing = ComponentState().Contains(csDesigning);
    if (OnGetDesigning) OnGetDesigning(this, designing);
    return designing;
}

namespace {

TTypeKind FindPropertyKind(TObject* instance, const std::string& path, const std::string& target) {
    if (instance == nullptr) return tkUnknown;
    for (const TPropInfo* p : instance->ClassInfo().Properties()) {
        const std::string full = Trim(path).empty() ? p->Name() : path + "." + p->Name();
        if (p->Kind() == tkClass) {
            const TTypeKind nested = FindPropertyKind(p->GetObject(instance), full, target);
            if (nested != tkUnknown) return nested;
            continue;
        }
        if (p->HasSetter() && SameText(full, target)) return p->Kind();
    }
    return tkUnknown;
}

}  // namespace

TTypeKind TiVCLComponent::OPCGetPropertyKind(const std::string& propName) {
    return FindPropertyKind(this, "", propName);
}

}  // namespace dsp
