#pragma once
// The conversion's progress window: the file in hand, steps done of the list's size, a
// gauge and Cancel. Cancel, Escape and closing the window alike ask the run to stop at once,
// and the window says it is stopping until the run has ended.
#include "conversion/ConversionEngine.h"

#include <QDialog>
#include <QElapsedTimer>

class ElidedLabel;
class QLabel;
class QProgressBar;
class QPushButton;

class TFmCancelCvt : public QDialog {
    Q_OBJECT

public:
    explicit TFmCancelCvt(QWidget *parent = nullptr);

    void startRun(int total);   // resets the gauge and labels
    // Closes the window; a run that went through ends with the gauge full, whatever the
    // estimates said on the way.
    void endRun(bool wentThrough);
    void showFile(const QString &source);
    void StepProgress();
    int position() const;
    // How far the gauge is, from 0 to 1.
    double done() const;
    // Pages done of the pages expected move the gauge; files at work and the time left go
    // below it.
    void showProgress(const ConversionEngine::Progress &progress);

    ElidedLabel *LblFileName;
    QLabel *LblSub;
    QLabel *LblTot;
    QLabel *LblRecognising;
    QProgressBar *FlatProgressBar1;
    QLabel *LblPages;
    QPushButton *BtnCancel;

signals:
    void cancelRequested();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    void requestStop();

    bool running = false;
    bool stopping = false;
    QString fullPath;
    int steps = 0;
    int total = 0;
    QElapsedTimer started;
    QElapsedTimer lastShown;
};

extern TFmCancelCvt *FmCancelCvt;
