#pragma once
// The search's progress window: a busy animation, the folder being searched, and a button
// that stops the search. Escape and closing the window stop it too.
#include <QDialog>

class ElidedLabel;
class QPushButton;

// A magnifying glass circling over a folder while the window is visible.
class TSearchAnimation : public QWidget {
public:
    explicit TSearchAnimation(QWidget *parent = nullptr);
    int frame() const { return step; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int step = 0;
};

class TFmCancelFind : public QDialog {
    Q_OBJECT

public:
    explicit TFmCancelFind(QWidget *parent = nullptr);
    void showFolder(const QString &folder);

    TSearchAnimation *Animate1;
    QPushButton *BtnCancel;
    ElidedLabel *StatusBar1;

signals:
    void stopRequested();

protected:
    void closeEvent(QCloseEvent *event) override;
};

extern TFmCancelFind *FmCancelFind;
