#pragma once
// Window-wide keys: a key works whatever control of the window has the focus, and acts
// exactly once per press, also when its command runs a long time and keys pressed meanwhile
// are handled inside it. Built on Qt's shortcuts with a window context, so the key is taken
// before the focused control sees it; keys pressed in other windows (dialogs, progress
// windows, open menus) are theirs.
#include <QKeySequence>
#include <functional>
#include <initializer_list>

class QWidget;

namespace KeyPreview {

// Runs command on every press of one of keys in window.
void onKeys(QWidget *window, std::initializer_list<QKeySequence> keys, const std::function<void()> &command);

// Enter (either key) runs onEnter, Escape onEscape.
void enterAndEscape(QWidget *window, const std::function<void()> &onEnter, const std::function<void()> &onEscape);

}
