#pragma once
// Building a form in code, as reading its form resource would. A form's constructor (or the
// unit that lays it out) creates its named components through a builder:
//
//     TFormBuilder build(*this);
//     auto* page = build.Add<TPanel>("pnGainInA", this, 0, 20, 400, 300);
//     page->SetColor(clBlack);
//     auto* mute = build.Add<TCheckBox>("cbMuteInA", page, 10, 10, 80, 17);
//     build.Handle(mute->OnClick, this, &TfmMain::cbMuteInAClick);
//     mute->SetChecked(true);  // a stored property: its click event finds no handler yet
//     build.Finish();
//
// The rules, those of a form reader:
// - components are created with the root as owner in the order of the calls (a form resource
//   holds each parent before its children) and named at once; the name must be a valid
//   identifier, unique in the root (EComponentError otherwise);
// - from the builder's start until Finish the root is being read: every component created
//   meanwhile carries csLoading, so setters can tell loading from use;
// - the handlers given to Handle are assigned in Finish, after every stored property was set,
//   so no handler runs while the form loads;
// - Finish then calls Loaded on the root and on every component of its ownership tree that is
//   still loading, owner before owned, in creation order.
// A builder dropped without Finish (an exception while building) ends the reading without
// assigning a handler or calling Loaded.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/controls/WinControl.h"
#include "framework/core/Component.h"

namespace dsp {

class TBitmap;

// Places a control in a parent at the given bounds (parent's client coordinates).
template <typename T>
T* Place(T* control, TWinControl* parent, int left, int top, int width, int height) {
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
}

class TFormBuilder {
public:
    explicit TFormBuilder(TComponent& root);
    ~TFormBuilder();
    TFormBuilder(const TFormBuilder&) = delete;
    TFormBuilder& operator=(const TFormBuilder&) = delete;

    TComponent& Root() const { return root_; }

    // A named component of the root that is not placed anywhere (timers, menus, dialogs).
    template <typename T>
    T* Create(const std::string& name) {
        T* component = new T(&root_);
        Named(*component, name);
        return component;
    }

    // A named control of the root, placed in parent at the given bounds.
    template <typename T>
    T* Add(const std::string& name, TWinControl* parent, int left, int top, int width, int height) {
        return Place(Create<T>(name), parent, left, top, width, height);
    }

    // Assigns handler to event in Finish (at once after Finish).
    template <typename Event, typename Handler>
    void Handle(Event& event, Handler handler) {
        Defer([&event, h = Event(std::move(handler))]() mutable { event = std::move(h); });
    }

    // Assigns a method of an object (the form's handler) to event in Finish.
    template <typename Event, typename C, typename R, typename... Args>
    void Handle(Event& event, C* object, R (C::*method)(Args...)) {
        Handle(event, [object, method](Args... args) -> R {
            return (object->*method)(std::forward<Args>(args)...);
        });
    }

    // Assigns the handlers, then ends the loading with the Loaded calls. Once only.
    void Finish();
    bool Finished() const { return finished_; }

    // The number of components made through this builder.
    int Created() const { return created_; }

    // A bitmap built into the program, decoded once while this builder lives: the controls
    // that show the same picture copy it from here instead of each decoding it again.
    // EResNotFound when there is no such resource.
    const TBitmap& ResourceBitmap(const std::string& name);

private:
    void Named(TComponent& component, const std::string& name);
    void Defer(std::function<void()> assign);

    TComponent& root_;
    std::vector<std::function<void()>> pending_;
    int created_ = 0;
    bool finished_ = false;
    std::map<std::string, std::unique_ptr<TBitmap>> bitmaps_;
};

}  // namespace dsp
