#include "framework/controls/MenuQt.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QPoint>
#include <QString>

namespace dsp {

QString NativeMenuText(const TMenuItem& item) {
    QString text = QString::fromStdString(item.Caption());
    const std::string shortCut = ShortCutToText(item.ShortCut());
    if (!shortCut.empty()) text += QLatin1Char('\t') + QString::fromStdString(shortCut);
    return text;
}

void FillNativeMenu(QMenu& target, TMenuItem& parent,
                    const std::function<void(TMenuItem*)>& chosen) {
    for (int i = 0; i < parent.Count(); ++i) {
        TMenuItem* item = parent.Items(i);
        if (!item->Visible()) continue;
        if (item->IsLine()) {
            target.addSeparator();
            continue;
        }
        if (item->Count() > 0) {
            QMenu* sub = target.addMenu(NativeMenuText(*item));
            sub->setEnabled(item->Enabled());
            FillNativeMenu(*sub, *item, chosen);
            continue;
        }
        QAction* action = target.addAction(NativeMenuText(*item));
        action->setEnabled(item->Enabled());
        if (item->Checked() || item->AutoCheck()) {
            action->setCheckable(true);
            action->setChecked(item->Checked());
        }
        if (item->IsDefault()) {
            QFont font = action->font();
            font.setBold(true);
            action->setFont(font);
        }
        // Shortcuts are matched by the form's key handling, never by the toolkit.
        action->setShortcutContext(Qt::WidgetShortcut);
        QObject::connect(action, &QAction::triggered, [item, chosen] { chosen(item); });
    }
}

TMenuItem* ExecNativePopupMenu(TPopupMenu& menu, int x, int y) {
    QMenu native;
    TMenuItem* result = nullptr;
    FillNativeMenu(native, *menu.Items(), [&result](TMenuItem* item) { result = item; });
    if (native.isEmpty()) return nullptr;
    QPoint at(x, y);
    const int width = native.sizeHint().width();
    if (menu.Alignment() == paRight) at.rx() -= width;
    if (menu.Alignment() == paCenter) at.rx() -= width / 2;
    native.exec(at);
    return result;
}

}  // namespace dsp
