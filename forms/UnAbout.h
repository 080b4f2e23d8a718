#pragma once
// The about box, with its four-frame animation.
#include <QDialog>

class QLabel;

class TFmAbout : public QDialog {
    Q_OBJECT

public:
    explicit TFmAbout(QWidget *parent = nullptr);
    int frame() const { return currentFrame; }

private:
    void nextFrame();

    QLabel *Animation;
    int currentFrame = 0;
};

extern TFmAbout *FmAbout;
