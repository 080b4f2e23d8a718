#pragma once
// The prompt when a target file exists: auto rename, overwrite, cancel this file, or stop;
// and whether to do the same for the files after it in the run.
#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

class TFmFileOverTp : public QDialog {
    Q_OBJECT

public:
    // Modal results of the four buttons; closing the dialog counts as Cancel.
    enum Answer { AutoRename = 6, Overwrite = 7, Cancel = 2, StopConvert = 3 };

    explicit TFmFileOverTp(QWidget *parent = nullptr);
    // Each showing starts with "Do the same for the remaining files" unticked.
    int ShowPrompt(const QString &target);

    QLabel *Image1;
    QLabel *LblFileName;
    QPushButton *BtnAutoRename;
    QPushButton *BtnOverwrite;
    QPushButton *BtnCancel;
    QPushButton *FlatSpeedButton1;
    QCheckBox *CBSameForRest;

protected:
    void reject() override;
};

extern TFmFileOverTp *FmFileOverTp;
