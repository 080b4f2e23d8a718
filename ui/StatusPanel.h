#pragma once
// The main window's status bar: the product, the file count and the message panel. The panel
// holds a command's or the start-up's message: the selection count does not replace it until
// the user changes the selection or gives the next command, and a menu hint shows over it
// only while the hint lasts.
#include <QObject>
#include <QString>

class ElidedLabel;
class QLabel;
class QStatusBar;

class StatusPanel : public QObject {
    Q_OBJECT

public:
    explicit StatusPanel(QStatusBar *bar);

    // A command's message, held.
    void showMessage(const QString &text);
    // A command starts, or the user changes the selection: the next news may replace the message.
    void release();
    // Holds what the panel shows now, also when it is nothing (what start-up left there).
    void hold() { held = true; }
    // The selection's count, unless a message is held.
    void showSelection(int selected);
    // A menu hint; empty when it goes, and the held message comes back.
    void showHint(const QString &hint);
    void showFileCount(int files);

private:
    void show(const QString &text);

    QStatusBar *bar;
    QLabel *product;
    QLabel *count;
    ElidedLabel *message;
    bool held = false;
    QString lastMessage;
};
