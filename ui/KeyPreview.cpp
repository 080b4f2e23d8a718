#include "ui/KeyPreview.h"

#include "ui/OrdvaneApplication.h"

#include <QKeyEvent>
#include <QWidget>

KeyPreview::KeyPreview(QWidget *window, std::function<bool(QKeyEvent *)> handler)
    : QObject(window), window(window), handler(std::move(handler))
{
    qApp->installEventFilter(this);
}

KeyPreview::~KeyPreview()
{
    qApp->removeEventFilter(this);
}

void KeyPreview::enterAndEscape(QWidget *window, std::function<void()> onEnter, std::function<void()> onEscape)
{
    new KeyPreview(window, [onEnter = std::move(onEnter), onEscape = std::move(onEscape)](QKeyEvent *key) {
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            onEnter();
            return true;
        case Qt::Key_Escape:
            onEscape();
            return true;
        default:
            return false;
        }
    });
}

bool KeyPreview::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    // The first receiver is the focused control; should it not take the key, the same key
    // goes on to its parents, and the window must act on it once only.
    auto *widget = qobject_cast<QWidget *>(watched);
    const quint64 keyPress = OrdvaneApplication::currentKeyPress();
    if (!widget || widget->window() != window || keyPress == lastKeyPress)
        return false;
    lastKeyPress = keyPress;
    return handler(static_cast<QKeyEvent *>(event));
}
