#include "app/ui/control_text.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QWidget>

namespace ce {

namespace {

QObject* findBelow(const QObject& parent, const QString& name)
{
    for (QObject* child : parent.children()) {
        if (child->objectName() == name)
            return child;
    }
    for (QObject* child : parent.children()) {
        const auto* widget = qobject_cast<const QWidget*>(child);
        if (widget && widget->isWindow() && !qobject_cast<const QMenu*>(widget))
            continue;  // another window: its controls are its own
        if (QObject* found = findBelow(*child, name))
            return found;
    }
    return nullptr;
}

}  // namespace

QObject* findControl(const QWidget& window, const QString& name)
{
    if (name.isEmpty())
        return nullptr;
    return findBelow(window, name);
}

QString controlCaption(const QWidget& window, const QString& name)
{
    if (name.isEmpty())
        return window.windowTitle();
    QObject* control = findControl(window, name);
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        return edit->text();
    if (auto* label = qobject_cast<QLabel*>(control))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        return button->text();
    if (auto* frame = qobject_cast<QGroupBox*>(control))
        return frame->title();
    if (auto* menu = qobject_cast<QMenu*>(control))
        return menu->title();
    if (auto* pane = qobject_cast<QPlainTextEdit*>(control))
        return pane->toPlainText();
    if (auto* action = qobject_cast<QAction*>(control))
        return action->text();
    if (auto* widget = qobject_cast<QWidget*>(control); widget && widget->isWindow())
        return widget->windowTitle();
    return QString();
}

bool setControlCaption(QWidget& window, const QString& name, const QString& text)
{
    if (name.isEmpty()) {
        window.setWindowTitle(text);
        return true;
    }
    QObject* control = findControl(window, name);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        edit->setText(text);
        // A text put in by a command shows from its beginning: a long factor
        // such as 1939.11188675587 would otherwise show only its last digits.
        edit->setCursorPosition(0);
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->setText(text);
    } else if (auto* frame = qobject_cast<QGroupBox*>(control)) {
        frame->setTitle(text);
    } else if (auto* menu = qobject_cast<QMenu*>(control)) {
        menu->setTitle(text);
    } else if (auto* pane = qobject_cast<QPlainTextEdit*>(control)) {
        pane->setPlainText(text);
    } else if (auto* action = qobject_cast<QAction*>(control)) {
        action->setText(text);
    } else {
        return false;
    }
    return true;
}

}  // namespace ce
