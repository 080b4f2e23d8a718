#pragma once
// The prompt when a target file exists: auto rename, overwrite, cancel this file, or stop.
#include <QDialog>

class QLabel;
class QPushButton;

class TFmFileOverTp : public QDialog {
    Q_OBJECT

public:
    // Modal results of the four buttons; closing the dialog counts as Cancel.
    enum Answer { AutoRename = 6, Overwrite = 7, Cancel = 2, StopConvert = 3 };

    explicit TFmFileOverTp(QWidget *parent = nullptr);
    int ShowPrompt(const QString &target);

    QLabel *Image1;
    QLabel *LblFileName;
    QPushButton *BtnAutoRename;
    QPushButton *BtnOverwrite;
    QPushButton *BtnCancel;
    QPushButton *FlatSpeedButton1;

protected:
    void reject() override;
};

extern TFmFileOverTp *FmFileOverTp;
