// Docking: dock sites and their managers, docking a windowed control into a site and floating
// it out, and the events of both.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "framework/controls/ControlErrors.h"
#include "framework/controls/Docking.h"
#include "framework/controls/Panel.h"
#include "framework/graphics/Bitmap.h"
#include "tests/framework/controls/ControlTestSupport.h"
#include "tests/support/RunLoop.h"

namespace dsp {
namespace {

using test::MakeForm;
using test::Place;
using test::TEventLog;

// A manager as a widget makes its own: a wider grabber filled in one colour, the site's window
// procedure subclassed to count paints while it lives.
class TCaptionDockManager : public TDockTree {
public:
    TCaptionDockManager(TWinControl* site, int* paints) : TDockTree(site), paints_(paints) {
        saved_ = site->WindowProc();
        site->SetWindowProc([this](TMessage& m) {
            if (m.Msg == WM_PAINT) ++*paints_;
            saved_(m);
        });
        SetGrabberSize(14);
    }
    ~TCaptionDockManager() override { DockSite()->SetWindowProc(saved_); }

    void PaintDockFrame(TCanvas& canvas, TControl*, const TRect& rect) override {
        canvas.Brush()->SetColor(clRed);
        canvas.FillRect(Rect(rect.Left, rect.Top, rect.Right, rect.Top + GrabberSize()));
    }

private:
    TWndMethod saved_;
    int* paints_;
};

class TCaptionPanel : public TPanel {
public:
    using TPanel::TPanel;
    int paints = 0;
    int managersMade = 0;

protected:
    std::unique_ptr<TDockTree> CreateDockManager() override {
        ++managersMade;
        return std::make_unique<TCaptionDockManager>(this, &paints);
    }
};

class DockFixture : public ::testing::Test {
protected:
    std::unique_ptr<TForm> form_ = MakeForm(400, 300);
    TPanel* site_ = nullptr;
    TPanel* a_ = nullptr;
    TPanel* b_ = nullptr;
    TEventLog log_;

    void SetUp() override {
        site_ = Place(new TPanel(form_.get()), form_.get(), 0, 0, 160, 200);
        site_->SetAlign(alLeft);
        site_->SetBevelOuter(bvNone);
        site_->SetDockSite(true);
        site_->SetUseDockManager(true);
        site_->OnDockDrop = [this](TObject*, TDragDockObject* source, int, int) {
            log_.push_back("drop " + source->Control->Name());
        };
        site_->OnUnDock = [this](TObject*, TControl* client, TWinControl* target, bool&) {
            log_.push_back("undock " + client->Name() + (target ? " to site" : " to float"));
        };
        a_ = Place(new TPanel(form_.get()), form_.get(), 200, 10, 120, 80);
        a_->SetName("A");
        b_ = Place(new TPanel(form_.get()), form_.get(), 200, 100, 100, 60);
        b_->SetName("B");
        for (TPanel* p : {a_, b_}) {
            p->SetDragKind(dkDock);
            p->OnEndDock = [this, p](TObject*, TObject* target, int, int) {
                log_.push_back("end " + p->Name() + (target == site_ ? " in site" : " floating"));
            };
        }
        form_->Show();
    }
};

TEST_F(DockFixture, ASiteMakesItsManagerWhenItIsOneThatUsesOne) {
    TCaptionPanel panel(form_.get());
    panel.SetDockSite(true);
    EXPECT_EQ(panel.DockManager(), nullptr) << "UseDockManager is off";
    panel.SetUseDockManager(true);
    ASSERT_NE(dynamic_cast<TCaptionDockManager*>(panel.DockManager()), nullptr);
    EXPECT_EQ(panel.managersMade, 1);
    panel.SetParent(form_.get());
    panel.Repaint();
    EXPECT_GT(panel.paints, 0) << "the manager's window procedure sees the paints";
    panel.SetDockSite(false);
    EXPECT_EQ(panel.DockManager(), nullptr);
    const int paints = panel.paints;
    panel.Repaint();
    EXPECT_EQ(panel.paints, paints) << "the window procedure is the panel's own again";

    EXPECT_NE(dynamic_cast<TDockTree*>(site_->DockManager()), nullptr) << "the default manager";
    TPanel plain(form_.get());
    EXPECT_THROW(a_->ManualDock(&plain), EInvalidOperation);
}

TEST_F(DockFixture, DockedControlsShareTheSiteBelowTheirGrabbers) {
    ASSERT_TRUE(a_->ManualDock(site_));
    EXPECT_EQ(a_->Parent(), site_);
    EXPECT_EQ(a_->HostDockSite(), site_);
    EXPECT_FALSE(a_->Floating());
    EXPECT_EQ(a_->BoundsRect(), Rect(0, 12, 160, 300)) << "the whole site, less the grabber";
    ASSERT_TRUE(b_->ManualDock(site_, a_, alTop));
    EXPECT_EQ(site_->DockClientCount(), 2);
    EXPECT_EQ(site_->DockManager()->Clients(), (std::vector<TControl*>{b_, a_})) << "b above a";
    EXPECT_EQ(b_->BoundsRect(), Rect(0, 12, 160, 150));
    EXPECT_EQ(a_->BoundsRect(), Rect(0, 162, 160, 300));
    EXPECT_EQ(log_, (TEventLog{"drop A", "end A in site", "drop B", "end B in site"}));

    // The grabbers show above each control.
    auto image = form_->RenderToImage();
    bool raised = false;
    for (int x = 0; x < 160 && !raised; ++x) {
        raised = image->PixelAt(x, 152) == GetSysColor(COLOR_BTNHIGHLIGHT);
    }
    EXPECT_TRUE(raised) << "the bars of a's grabber";

    // The site grows: the shares follow.
    site_->SetWidth(200);
    EXPECT_EQ(a_->Width(), 200);

    delete b_;
    EXPECT_EQ(site_->DockClientCount(), 1);
    EXPECT_EQ(a_->BoundsRect(), Rect(0, 12, 200, 300));
}

TEST_F(DockFixture, AControlFloatsOutInAFormOfItsOwnAndDocksBack) {
    ASSERT_TRUE(a_->ManualDock(site_));
    log_.clear();
    ASSERT_TRUE(a_->ManualFloat(Rect(500, 300, 700, 450)));
    EXPECT_TRUE(a_->Floating());
    EXPECT_EQ(site_->DockClientCount(), 0);
    auto* host = dynamic_cast<TDockFloatForm*>(a_->Parent());
    ASSERT_NE(host, nullptr);
    EXPECT_EQ(a_->HostDockSite(), host);
    EXPECT_EQ(host->ClientWidth(), 200);
    EXPECT_EQ(host->ClientHeight(), 150);
    EXPECT_EQ(a_->BoundsRect(), Rect(0, 0, 200, 150));
    EXPECT_TRUE(host->Visible());
    EXPECT_EQ(log_, (TEventLog{"undock A to float", "end A floating"}));

    log_.clear();
    ASSERT_TRUE(a_->ManualDock(site_));
    EXPECT_EQ(a_->Parent(), site_);
    EXPECT_EQ(log_, (TEventLog{"drop A", "end A in site"}));
    EXPECT_FALSE(host->Visible());
    test::RunLoopUntil([&] { return a_->ComponentCount() == 0; });
    EXPECT_EQ(a_->ComponentCount(), 0) << "the empty float form went";

    // Undocked, a control floats at the size it had before it first docked.
    ASSERT_TRUE(b_->ManualFloat(Bounds(50, 50, b_->UndockWidth(), b_->UndockHeight())));
    EXPECT_EQ(b_->Width(), 100);
    EXPECT_EQ(b_->Height(), 60);
}

TEST_F(DockFixture, ASiteMayRefuseToLetAControlGo) {
    ASSERT_TRUE(a_->ManualDock(site_));
    site_->OnUnDock = [](TObject*, TControl*, TWinControl*, bool& allow) { allow = false; };
    TPanel other(form_.get());
    other.SetParent(form_.get());
    other.SetDockSite(true);
    log_.clear();
    EXPECT_FALSE(a_->ManualFloat(Rect(0, 0, 50, 50)));
    EXPECT_FALSE(a_->ManualDock(&other));
    EXPECT_EQ(a_->HostDockSite(), site_);
    EXPECT_EQ(site_->DockClientCount(), 1);
    EXPECT_TRUE(log_.empty());

    // Without a manager a site keeps the control at its place, aligned as asked.
    site_->OnUnDock = nullptr;
    ASSERT_TRUE(a_->ManualDock(&other, nullptr, alClient));
    EXPECT_EQ(other.DockManager(), nullptr);
    EXPECT_EQ(a_->Align(), alClient);
    EXPECT_EQ(site_->DockClientCount(), 0);
    EXPECT_EQ(other.DockClients(0), a_);
}

}  // namespace
}  // namespace dsp
