// Building forms in code: named components in order, stored properties before handlers, and
// Loaded last, so that no handler runs while a form loads.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/controls/Button.h"
#include "framework/controls/Edit.h"
#include "framework/controls/FormBuilder.h"
#include "framework/controls/Panel.h"
#include "framework/controls/UpDown.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Resources.h"
#include "framework/graphics/Bitmap.h"
#include "tests/framework/controls/ControlTestSupport.h"

namespace dsp {
namespace {

using test::TEventLog;

// A fader as the styled pack has it: setting Position raises OnChange, loading or not, and
// Loaded says whether a handler was in place by then.
class TLoggingFader : public TCustomControl {
public:
    TLoggingFader(TComponent* owner, TEventLog* log) : TCustomControl(owner), log_(log) {}
    void SetPosition(int value) {
        position = value;
        log_->push_back(Name() + (ComponentState().Contains(csLoading) ? ":set-loading" : ":set"));
        if (OnChange) OnChange(this);
    }
    int position = 0;
    TNotifyEvent OnChange;

protected:
    void Loaded() override {
        log_->push_back(Name() + (OnChange ? ":loaded-with-handler" : ":loaded"));
        TCustomControl::Loaded();
    }

private:
    TEventLog* log_;
};

class TBuiltForm : public TForm {
public:
    explicit TBuiltForm(TEventLog& log);

    struct TLoggingFaderFor;
    TLoggingFader* gain = nullptr;
    TCheckBox* mute = nullptr;
    TEdit* name = nullptr;
    TUpDown* ratio = nullptr;

    void isGainInAChange(TObject*) { log_.push_back("isGainInAChange"); }
    void cbMuteInAClick(TObject*) { log_.push_back("cbMuteInAClick"); }

private:
    TEventLog& log_;
};

// The fader of the built form needs the form's log: a class the builder can create with the
// owner alone.
struct TBuiltForm::TLoggingFaderFor : TLoggingFader {
    explicit TLoggingFaderFor(TComponent* owner)
        : TLoggingFader(owner, &static_cast<TBuiltForm*>(owner)->log_) {}
};

TBuiltForm::TBuiltForm(TEventLog& log) : TForm(nullptr), log_(log) {
    // Each component as a layout unit writes it: created, its handlers given, its stored
    // properties set; and a later component's properties touch an earlier one.
    TFormBuilder build(*this);
    auto* page = build.Add<TPanel>("pnPage", this, 0, 0, 300, 200);
    gain = build.Add<TLoggingFaderFor>("isGainInA", page, 10, 10, 30, 150);
    build.Handle(gain->OnChange, this, &TBuiltForm::isGainInAChange);
    gain->SetPosition(280);
    mute = build.Add<TCheckBox>("cbMuteInA", page, 50, 10, 80, 17);
    build.Handle(mute->OnClick, this, &TBuiltForm::cbMuteInAClick);
    mute->SetChecked(true);
    name = build.Add<TEdit>("edNameInA", page, 50, 40, 80, 21);
    build.Handle(name->OnChange, [this](TObject*) { log_.push_back("edNameInAChange"); });
    name->SetText("Input A");
    ratio = build.Add<TUpDown>("udRatio", page, 50, 70, 17, 21);
    build.Handle(ratio->OnChanging, [this](TObject*, bool&) { log_.push_back("udRatio"); });
    ratio->SetPosition(4);
    ratio->SetAssociate(name);  // shows the position in the edit box: its text changes
    log_.push_back("properties-set");
    build.Finish();
    log_.push_back("built");
}

TEST(FormBuilder, NoHandlerRunsWhileTheFormLoads) {
    TEventLog log;
    TBuiltForm form(log);
    EXPECT_EQ(log, (TEventLog{"isGainInA:set-loading", "properties-set",
                              "isGainInA:loaded-with-handler", "built"}));
    EXPECT_EQ(form.name->Text(), "4");

    // Once built, the stored properties' events reach the form.
    log.clear();
    form.gain->SetPosition(100);
    form.mute->SetChecked(false);
    form.name->SetText("Input B");
    form.ratio->SetPosition(5);
    EXPECT_EQ(log, (TEventLog{"isGainInA:set", "isGainInAChange", "cbMuteInAClick",
                              "edNameInAChange", "udRatio", "edNameInAChange"}));
    EXPECT_EQ(form.name->Text(), "5");
}

TEST(FormBuilder, ComponentsAreNamedInOrderAndLoadedOnceOwnerFirst) {
    TEventLog log;
    TBuiltForm form(log);
    std::vector<std::string> names;
    for (int i = 0; i < form.ComponentCount(); ++i) names.push_back(form.Components(i)->Name());
    EXPECT_EQ(names, (std::vector<std::string>{"pnPage", "isGainInA", "cbMuteInA", "edNameInA",
                                               "udRatio"}));
    EXPECT_EQ(form.FindComponent("ISGAININA"), form.gain);
    EXPECT_EQ(form.gain->Parent(), form.FindComponent("pnPage"));
    EXPECT_EQ(form.gain->BoundsRect(), Rect(10, 10, 40, 160));
    for (int i = 0; i < form.ComponentCount(); ++i) {
        EXPECT_FALSE(form.Components(i)->ComponentState().Contains(csLoading)) << names[i];
    }
    EXPECT_FALSE(form.ComponentState().Contains(csLoading));
    EXPECT_FALSE(form.ComponentState().Contains(csReading));
    // Components made after building do not load.
    auto* later = new TPanel(&form);
    EXPECT_FALSE(later->ComponentState().Contains(csLoading));
}

TEST(FormBuilder, BadNamesAreRefused) {
    TForm form(nullptr);
    TFormBuilder build(form);
    build.Add<TPanel>("pnMain", &form, 0, 0, 10, 10);
    EXPECT_THROW(build.Add<TPanel>("PNMAIN", &form, 0, 0, 10, 10), EComponentError);
    EXPECT_THROW(build.Create<TPanel>("1stPanel"), EComponentError);
    EXPECT_THROW(build.Create<TPanel>("pn Main"), EComponentError);
    build.Finish();
    EXPECT_EQ(build.Created(), 4);
}

TEST(FormBuilder, ABuildThatFailsAssignsNoHandlerAndLoadsNothing) {
    TEventLog log;
    TForm form(nullptr);
    TCheckBox* box = nullptr;
    try {
        TFormBuilder build(form);
        box = build.Add<TCheckBox>("cbLock", &form, 0, 0, 50, 17);
        build.Handle(box->OnClick, [&](TObject*) { log.push_back("click"); });
        throw std::runtime_error("layout failed");
    } catch (const std::runtime_error&) {}
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(static_cast<bool>(box->OnClick));
    EXPECT_TRUE(box->ComponentState().Contains(csLoading)) << "never loaded";
    EXPECT_FALSE(form.ComponentState().Contains(csReading));
    EXPECT_FALSE((new TPanel(&form))->ComponentState().Contains(csLoading));

    // After Finish a handler is assigned at once.
    TFormBuilder build(form);
    auto* other = build.Add<TCheckBox>("cbOther", &form, 0, 20, 50, 17);
    build.Finish();
    build.Handle(other->OnClick, [&](TObject*) { log.push_back("other"); });
    other->SetChecked(true);
    EXPECT_EQ(log, TEventLog{"other"});
}

// Several controls showing one built-in picture share one decoding of it while the form is
// built; each gets the picture's own pixels, and a missing picture stops the build.
TEST(FormBuilder, ABuiltInBitmapIsDecodedOnceForEveryControlThatShowsIt) {
    static const std::vector<std::uint8_t> bytes = [] {
        TBitmap strip(4, 2);
        strip.Canvas()->Brush()->SetColor(clBlue);
        strip.Canvas()->FillRect(Rect(2, 0, 4, 2));
        return strip.SaveToBytes();
    }();
    static const TResourceEntry entry{"BUILDER_TEST_STRIP", RT_BITMAP, bytes.data(), bytes.size()};
    RegisterResources(&entry, 1);

    TForm form(nullptr);
    TFormBuilder build(form);
    const TBitmap& first = build.ResourceBitmap("BUILDER_TEST_STRIP");
    EXPECT_EQ(&build.ResourceBitmap("BUILDER_TEST_STRIP"), &first);
    TBitmap own;
    own.LoadFromResourceName(HInstance, "BUILDER_TEST_STRIP");
    ASSERT_EQ(first.Width(), 4);
    for (int x = 0; x < 4; ++x) EXPECT_EQ(first.PixelAt(x, 1), own.PixelAt(x, 1)) << x;
    EXPECT_EQ(first.PixelAt(3, 1), RGB(0, 0, 255));
    EXPECT_THROW(build.ResourceBitmap("NO_SUCH_PICTURE"), EResNotFound);
    build.Finish();
}

}  // namespace
}  // namespace dsp
