#pragma once
// Framework-internal: menus shown by the host toolkit. The toolkit's menus are built afresh from
// the items whenever they are shown, so they never hold state of their own; a choice comes back
// as the chosen item.

#include <QString>

#include <functional>

#include "framework/controls/Menus.h"

class QMenu;
class QMenuBar;
class QWidget;

namespace dsp {

// Shows the menu at the screen point in a nested loop; the item chosen, or null.
TMenuItem* ExecNativePopupMenu(TPopupMenu& menu, int x, int y);

// Fills a toolkit menu with the visible sub-items of parent; choosing an action calls chosen
// with its item.
void FillNativeMenu(QMenu& target, TMenuItem& parent,
                    const std::function<void(TMenuItem*)>& chosen);

// The toolkit's text of a caption: "&" marks kept, the shortcut behind a tab.
QString NativeMenuText(const TMenuItem& item);

}  // namespace dsp
