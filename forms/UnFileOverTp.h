#pragma once
// The prompt when a target file exists: auto rename, overwrite, cancel this file, or stop;
// and whether to do the same for the files after it in the run.
#include <QDialog>
#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;

class TFmFileOverTp : public QDialog {
    Q_OBJECT

public:
    // Modal results of the four buttons; closing the dialog counts as Cancel.
    enum Answer { AutoRename = 6, Overwrite = 7, Cancel = 2, StopConvert = 3 };

    explicit TFmFileOverTp(QWidget *parent = nullptr);
    // Shows the prompt and returns; answered gets the button and whether the answer stands for
    // the rest of the run. Each showing starts with "Do the same for the remaining files"
    // unticked.
    void ShowPrompt(const QString &target, std::function<void(Answer answer, bool forTheRest)> answered);

    QLabel *Image1;
    QLabel *LblFileName;
    QPushButton *BtnAutoRename;
    QPushButton *BtnOverwrite;
    QPushButton *BtnCancel;
    QPushButton *FlatSpeedButton1;
    QCheckBox *CBSameForRest;

    void done(int result) override;

protected:
    void reject() override;

private:
    std::function<void(Answer, bool)> answered;
};

extern TFmFileOverTp *FmFileOverTp;
