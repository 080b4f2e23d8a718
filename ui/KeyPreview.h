#pragma once
// Lets a window see every key pressed in it before the focused control does, whatever
// control has the focus. The handler says whether it took the key; a key it leaves goes on
// to the control as usual.
#include <QObject>
#include <functional>

class QKeyEvent;
class QWidget;

class KeyPreview : public QObject {
public:
    KeyPreview(QWidget *window, std::function<bool(QKeyEvent *)> handler);
    ~KeyPreview() override;

    // Enter (either key) runs onEnter, Escape onEscape, whatever control has the focus.
    static void enterAndEscape(QWidget *window, std::function<void()> onEnter, std::function<void()> onEscape);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *window;
    std::function<bool(QKeyEvent *)> handler;
    quint64 lastKeyPress = 0;
};
