#include "framework/controls/PopupBinding.h"

#include "framework/controls/MessageParams.h"

namespace dsp {

namespace {

// Owned by the control: watches its messages for the right button and holds the menu.
class TPopupBinding : public TComponent {
public:
    TPopupBinding(TControl& control, TPopupMenu& menu)
        : TComponent(&control), control_(control), menu_(&menu) {
        menu.FreeNotification(this);
        previous_ = control.WindowProc();
        control.SetWindowProc([this](TMessage& message) { Handle(message); });
    }

    ~TPopupBinding() override {
        // A control being freed needs its window procedure no more (and is no control now).
        if (Owner() == nullptr || Owner()->ComponentState().Contains(csDestroying)) return;
        control_.SetWindowProc(previous_);
    }

    TPopupMenu* Menu() const { return menu_; }

protected:
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation == opRemove && component == menu_) menu_ = nullptr;
    }

private:
    void Handle(TMessage& message) {
        // The control's own handling first: its OnMouseUp runs before the menu shows.
        previous_(message);
        if (menu_ == nullptr || !menu_->AutoPopup() || !control_.Enabled()) return;
        TPoint screen;
        if (message.Msg == WM_RBUTTONUP) {
            screen = control_.ClientToScreen(MouseParamsOf(message).pos);
        } else if (message.Msg == WM_CONTEXTMENU) {
            // From the keyboard there is no point: the menu shows at the control's corner.
            screen = ContextMenuPosOf(message).value_or(control_.ClientToScreen({0, 0}));
        } else {
            return;
        }
        menu_->SetPopupComponent(&control_);
        menu_->Popup(screen.X, screen.Y);
        message.Result = 1;
    }

    TControl& control_;
    TPopupMenu* menu_;
    TWndMethod previous_;
};

TPopupBinding* BindingOf(const TControl& control) {
    for (int i = 0; i < control.ComponentCount(); ++i)
        if (auto* binding = dynamic_cast<TPopupBinding*>(control.Components(i))) return binding;
    return nullptr;
}

}  // namespace

void SetPopupMenu(TControl& control, TPopupMenu* menu) {
    TPopupBinding* current = BindingOf(control);
    if (current != nullptr && current->Menu() == menu) return;
    delete current;
    if (menu != nullptr) new TPopupBinding(control, *menu);
}

TPopupMenu* GetPopupMenu(const TControl& control) {
    TPopupBinding* binding = BindingOf(control);
    return binding != nullptr ? binding->Menu() : nullptr;
}

}  // namespace dsp
