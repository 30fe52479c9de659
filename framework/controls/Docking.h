#pragma once
// The dock manager of a dock site (TWinControl with DockSite and UseDockManager set): it lays the
// docked controls out in the site and paints a grabber beside each one. The default, TDockTree,
// puts the controls side by side in a site aligned at the top or bottom (grabbers at their left)
// and one above the other in any other site (grabbers on top), in equal shares; a widget's own
// manager derives from it and changes the grabbers (AdjustDockRect, PaintDockFrame, PaintSite).
//
// A site makes its manager through its virtual CreateDockManager when both DockSite and
// UseDockManager are set, and frees it when either is cleared or the site goes. The manager may
// subclass the site's window procedure; the base does so itself to paint the grabbers after the
// site's own painting and to lay the controls out again when the site's size changes, and puts
// the procedure it replaced back when it goes.

#include <vector>

#include "framework/controls/Form.h"
#include "framework/controls/WinControl.h"
#include "framework/graphics/Canvas.h"

namespace dsp {

class TDockTree {
public:
    explicit TDockTree(TWinControl* dockSite);
    virtual ~TDockTree();
    TDockTree(const TDockTree&) = delete;
    TDockTree& operator=(const TDockTree&) = delete;

    TWinControl* DockSite() const { return dockSite_; }
    // The docked controls in their order in the site.
    const std::vector<TControl*>& Clients() const { return clients_; }

    // Takes a control in: before dropControl for alLeft and alTop, after it for alRight and
    // alBottom, at the end without one; then lays everything out again.
    virtual void InsertControl(TControl* control, TAlign insertAt, TControl* dropControl);
    virtual void RemoveControl(TControl* control);
    // Places every docked control in its share of the site, less its grabber.
    virtual void ResetBounds(bool force);

    // The whole share of a docked control, grabber included; empty for any other control.
    TRect ZoneRect(TControl* control) const;
    // Takes the grabber's room out of a share: at the left of each control in a site aligned
    // at the top or bottom, on top of it in any other.
    virtual void AdjustDockRect(TControl* control, TRect& rect);
    // Paints the grabber of a control in its share: two raised bars and a close box.
    virtual void PaintDockFrame(TCanvas& canvas, TControl* control, const TRect& rect);
    // Paints every grabber; runs after the site's own painting.
    virtual void PaintSite(TCanvas& canvas);

    int GrabberSize() const { return grabberSize_; }

protected:
    void SetGrabberSize(int value);
    // True when the grabbers sit at the left of the controls (site aligned top or bottom).
    bool GrabbersAtLeft() const;

private:
    void SiteMessage(TMessage& message);

    TWinControl* dockSite_;
    TWndMethod oldWndProc_;
    std::vector<TControl*> clients_;
    int grabberSize_ = 12;
};

// The small tool window a control floats in (ManualFloat); it goes once its control has docked
// elsewhere.
class TDockFloatForm : public TForm {
public:
    explicit TDockFloatForm(TComponent* owner);
};

}  // namespace dsp
