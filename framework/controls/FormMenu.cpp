#include "framework/controls/FormMenu.h"

#include <algorithm>

#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QProxyStyle>

#include <exception>
#include <memory>

#include "framework/controls/MenuQt.h"
#include "framework/controls/WindowHost.h"
#include "framework/core/FrameworkAccess.h"
#include "framework/runtime/MainThread.h"

namespace dsp {

namespace {

void ClickGuarded(TMenuItem* item) {
    try {
        if (item->Enabled()) item->Click();
    } catch (...) {
        HandleUnexpectedException(std::current_exception());
    }
}

// The toolkit's style with menu-bar items that fit the classic bar height (kMenuBarHeight).
class TMenuBarStyle : public QProxyStyle {
public:
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override {
        QSize result = QProxyStyle::sizeFromContents(type, option, size, widget);
        if (type == CT_MenuBarItem) result.setHeight(std::min(result.height(), kMenuBarHeight - 2));
        return result;
    }
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        if (metric == PM_MenuBarVMargin) return 0;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

// Fills a menu bar with the menu's top level; submenus are filled each time they open.
void FillBar(QMenuBar& bar, TMainMenu& menu) {
    bar.clear();
    TMenuItem* root = menu.Items();
    for (int i = 0; i < root->Count(); ++i) {
        TMenuItem* item = root->Items(i);
        if (!item->Visible() || item->IsLine()) continue;
        if (item->Count() == 0) {
            QAction* action = bar.addAction(NativeMenuText(*item));
            action->setEnabled(item->Enabled());
            QObject::connect(action, &QAction::triggered, [item] { ClickGuarded(item); });
            continue;
        }
        QMenu* sub = bar.addMenu(NativeMenuText(*item));
        sub->setEnabled(item->Enabled());
        QObject::connect(sub, &QMenu::aboutToShow, [sub, item] {
            // Opening a submenu is a click on its item, then it shows the items as they are.
            try {
                if (item->OnClick) item->OnClick(item);
            } catch (...) {
                HandleUnexpectedException(std::current_exception());
            }
            sub->clear();
            FillNativeMenu(*sub, *item, [](TMenuItem* chosen) { ClickGuarded(chosen); });
        });
    }
}

// Owned by the form: holds the menu, its shortcut handler and its bar, and ends with either.
class TFormMenuBinding : public TComponent {
public:
    TFormMenuBinding(TCustomForm& form, TMainMenu& menu)
        : TComponent(&form), form_(form), menu_(&menu), alive_(std::make_shared<bool>(true)) {
        menu.FreeNotification(this);
        form.AddShortCutHandler(this, [this](TKeyCode key, TShiftState shift) {
            return menu_ != nullptr && menu_->IsShortCut(ShortCut(key, shift));
        });
        menu.AddChangeListener(kFrameworkKey, this, [this] { ScheduleRebuild(); });
        SetFormMenuBar(
            form,
            [this](QWidget* frame) -> QWidget* {
                auto* bar = new QMenuBar(frame);
                bar->setNativeMenuBar(false);
                // The classic desktop's menu font (11 pixels) and items no taller than the bar:
                // a bar hides the items that do not fit its height behind its extension button.
                QFont font = bar->font();
                font.setPixelSize(11);
                bar->setFont(font);
                auto* style = new TMenuBarStyle;
                style->setParent(bar);
                bar->setStyle(style);

                bar_ = bar;
                if (menu_ != nullptr) FillBar(*bar, *menu_);
                return bar;
            },
            kMenuBarHeight);
    }

    ~TFormMenuBinding() override {
        *alive_ = false;
        if (menu_ != nullptr) menu_->RemoveChangeListener(kFrameworkKey, this);
        // While the form is being freed it is a form no longer: it takes its handlers and its
        // bar with it.
        if (Owner() == nullptr || Owner()->ComponentState().Contains(csDestroying)) return;
        form_.RemoveShortCutHandler(this);
        SetFormMenuBar(form_, nullptr, 0);
    }

    TMainMenu* Menu() const { return menu_; }

protected:
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation == opRemove && component == menu_) {
            menu_ = nullptr;
            // The menu is gone: so is the binding (after this notification returns).
            std::weak_ptr<bool> alive = alive_;
            PostToMainThread([this, alive] {
                if (auto a = alive.lock(); a && *a) delete this;
            });
        }
    }

private:
    void ScheduleRebuild() {
        if (rebuildPending_) return;
        rebuildPending_ = true;
        std::weak_ptr<bool> alive = alive_;
        PostToMainThread([this, alive] {
            if (auto a = alive.lock(); !a || !*a) return;
            rebuildPending_ = false;
            if (bar_ != nullptr && menu_ != nullptr) FillBar(*bar_, *menu_);
        });
    }

    TCustomForm& form_;
    TMainMenu* menu_;
    QPointer<QMenuBar> bar_;
    std::shared_ptr<bool> alive_;
    bool rebuildPending_ = false;
};

TFormMenuBinding* BindingOf(const TCustomForm& form) {
    for (int i = 0; i < form.ComponentCount(); ++i)
        if (auto* binding = dynamic_cast<TFormMenuBinding*>(form.Components(i))) return binding;
    return nullptr;
}

}  // namespace

void SetFormMenu(TCustomForm& form, TMainMenu* menu) {
    TFormMenuBinding* current = BindingOf(form);
    if (current != nullptr && current->Menu() == menu) return;
    delete current;
    if (menu != nullptr) new TFormMenuBinding(form, *menu);
}

TMainMenu* FormMenu(const TCustomForm& form) {
    TFormMenuBinding* binding = BindingOf(form);
    return binding != nullptr ? binding->Menu() : nullptr;
}

}  // namespace dsp
