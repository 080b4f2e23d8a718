#include "widgets/KeyPreview.h"

#include <QShortcut>
#include <QWidget>

namespace KeyPreview {

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
    // The keypad's Enter matches Qt::Key_Enter once its keypad flag is set aside.
    onKeys(window, {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)}, onEnter);
    onKeys(window, {QKeySequence(Qt::Key_Escape)}, onEscape);
}

}
