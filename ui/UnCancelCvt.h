#pragma once
// The conversion's progress window: the file in hand, steps done of the list's size, a
// gauge and Cancel. Cancel, Escape and closing ask the run to stop after the file in hand.
#include <QDialog>

class ElidedLabel;
class QLabel;
class QProgressBar;
class QPushButton;

class TFmCancelCvt : public QDialog {
    Q_OBJECT

public:
    explicit TFmCancelCvt(QWidget *parent = nullptr);

    void startRun(int total);   // resets the gauge and labels
    void showFile(const QString &source);
    void StepProgress();
    int position() const;
    // "Recognising page N of M" while a scanned page is being read; page 0 clears it.
    void showRecognition(int page, int pageCount);

    ElidedLabel *LblFileName;
    QLabel *LblSub;
    QLabel *LblTot;
    QLabel *LblRecognising;
    QProgressBar *FlatProgressBar1;
    QPushButton *BtnCancel;

signals:
    void cancelRequested();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    QString fullPath;
};

extern TFmCancelCvt *FmCancelCvt;
