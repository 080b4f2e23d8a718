#pragma once
// Small pieces every dialog builds from.
#include <QPushButton>

// A button known by its name. It is never a default button: Enter belongs to the dialog's own
// key handling.
inline QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

#include <QEvent>
#include <QTimer>
#include <functional>

// Runs step every interval milliseconds while the widget is on screen, and not otherwise.
class AnimationWhileVisible : public QObject {
public:
    AnimationWhileVisible(QWidget *widget, int intervalMs, std::function<void()> step) : QObject(widget)
    {
        timer.setInterval(intervalMs);
        connect(&timer, &QTimer::timeout, this, std::move(step));
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            timer.start();
        else if (event->type() == QEvent::Hide)
            timer.stop();
        return false;
    }

private:
    QTimer timer;
};
