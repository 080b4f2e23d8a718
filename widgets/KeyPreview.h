#pragma once
// Window-wide keys: a key works whatever control of the window has the focus, and acts
// exactly once per press, also when its command runs a long time and keys pressed meanwhile
// are handled inside it. Built on Qt's shortcuts with a window context, so the key is taken
// before the focused control sees it; keys pressed in other windows (dialogs, progress
// windows, open menus) are theirs. Enter and Escape of a dialog are the exception: they
// must first close a list the focused control has open.
#include <QKeySequence>
#include <functional>
#include <initializer_list>

class QWidget;

namespace KeyPreview {

// Runs command on every press of one of keys in window.
void onKeys(QWidget *window, std::initializer_list<QKeySequence> keys, const std::function<void()> &command);

// Enter (either key) runs onEnter, Escape onEscape, when the focused control passes the key
// on. An open drop-down list, completer or menu takes them first and only closes: the dialog
// acts on the next press.
void enterAndEscape(QWidget *window, const std::function<void()> &onEnter, const std::function<void()> &onEscape);

}
