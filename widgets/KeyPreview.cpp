#include "widgets/KeyPreview.h"

#include <QKeyEvent>
#include <QShortcut>
#include <QWidget>

namespace KeyPreview {

namespace {

// A popup (a combo box's list, a completer, a menu) is a window of its own: the override
// query of a key pressed in it never reaches the dialog, while the press itself may still
// arrive once the popup has closed on it. So only a press whose query came through acts.
class EnterAndEscape : public QObject {
public:
    EnterAndEscape(QWidget *window, const std::function<void()> &onEnter, const std::function<void()> &onEscape)
        : QObject(window), onEnter(onEnter), onEscape(onEscape)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        // The keypad's Enter counts as Enter once its keypad flag is set aside.
        if (key->modifiers() & ~Qt::KeypadModifier)
            return false;
        const std::function<void()> *command = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ? &onEnter
                                               : key->key() == Qt::Key_Escape                          ? &onEscape
                                                                                                       : nullptr;
        if (!command)
            return false;
        if (event->type() == QEvent::ShortcutOverride) {
            passedOn = key->key();
            return false;
        }
        const bool ours = passedOn == key->key();
        passedOn = 0;
        if (ours)
            (*command)();
        return true; // nor does the dialog's own handling see a key a popup had
    }

private:
    std::function<void()> onEnter, onEscape;
    int passedOn = 0;
};

}

void onKeys(QWidget *window, std::initializer_list<QKeySequence> keys, const std::function<void()> &command)
{
    for (const QKeySequence &key : keys) {
        auto *shortcut = new QShortcut(key, window);
        shortcut->setContext(Qt::WindowShortcut);
        QObject::connect(shortcut, &QShortcut::activated, window, command);
    }
}

void enterAndEscape(QWidget *window, const std::function<void()> &onEnter, const std::function<void()> &onEscape)
{
    new EnterAndEscape(window, onEnter, onEscape);
}

}
