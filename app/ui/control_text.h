#pragma once
// Captions and texts of controls found by their objectName.
//
// Every window names its controls after the layout ("txt_epoch", "Frm_3",
// "mnu_quit"); the language texts, the defaults file and the reduction
// controller all address them this way. A caption is whatever the control
// shows as its text: a text box's text, a label's or button's caption, a
// frame's or menu's title, a menu entry's text.

#include <QString>

class QObject;
class QWidget;

namespace ce {

// The control called `name` inside `window`: its widgets, menus and menu
// entries. Other top-level windows owned by `window` (dialogs, the help
// window) are not searched, so their controls never shadow the window's own.
// Returns nullptr when there is no such control.
QObject* findControl(const QWidget& window, const QString& name);

// The caption of a control; empty for an unknown control or one without a
// caption (an image box, a list).
QString controlCaption(const QWidget& window, const QString& name);

// Sets the caption of a control; the empty name means the window's title.
// Returns false when there is no such control or it has no caption.
bool setControlCaption(QWidget& window, const QString& name, const QString& text);

// Gives a new control its layout name and hands it back, so a window can
// build and name a control in one expression.
template <typename Widget>
Widget* named(Widget* widget, const QString& name)
{
    widget->setObjectName(name);
    return widget;
}

}  // namespace ce
