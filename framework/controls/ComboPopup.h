#pragma once
// Framework-internal: the dropped list of a combo box, a popup window of the host toolkit made
// when the list opens and dropped when it closes. It draws the combo's lines through the
// combo (so owner-drawn lines look the same), follows the mouse with its highlighted line and
// hands its keys to the combo.

#include <QImage>
#include <QWidget>

#include <memory>

#include "framework/graphics/Geometry.h"

namespace dsp {

class TCustomComboBox;
class TScrollTracker;

class TComboPopup : public QWidget {
public:
    explicit TComboPopup(TCustomComboBox& combo);
    ~TComboPopup() override;

    // Places the list at a screen point with the combo's rows and shows it.
    void Open(TPoint screenTopLeft, int width);
    // Lets go of the combo (it is closing or going away); the window only waits to be freed.
    void Detach();

    int Hot() const { return hot_; }
    // Highlights a line and scrolls it into view.
    void SetHot(int index);
    int Rows() const { return rows_; }
    // The line at a point of the popup, or -1.
    int RowAt(TPoint p) const;
    // Repaints after the combo's lines or top line changed.
    void Refresh();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    TRect RowsRect() const;
    TRect BarRect() const;
    bool HasBar() const;
    void Layout();

    TCustomComboBox* combo_;
    QImage image_;
    int hot_ = -1;
    int rows_ = 1;
    bool pressedInList_ = false;
    std::unique_ptr<TScrollTracker> scroll_;
};

}  // namespace dsp
