#pragma once
// The about box, with its four-frame animation.
#include <QDialog>
#include <QTimer>

class QLabel;

class TFmAbout : public QDialog {
    Q_OBJECT

public:
    explicit TFmAbout(QWidget *parent = nullptr);
    int frame() const { return currentFrame; }

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void nextFrame();

    QLabel *Animation;
    QTimer animationTimer;
    int currentFrame = 0;
};

extern TFmAbout *FmAbout;
