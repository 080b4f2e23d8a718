#pragma once
// The log viewer: shows the activity log, clears it, exports a copy, and switches logging
// off and on.
#include <QDialog>

class QCheckBox;
class QPlainTextEdit;
class QPushButton;

class TFmViewLog : public QDialog {
    Q_OBJECT

public:
    explicit TFmViewLog(QWidget *parent = nullptr);

    // (Re)fills the text from the log file; throws IoError when it exists but cannot be read.
    void LoadLog();

    QPlainTextEdit *MemoLog;
    QCheckBox *CBNotLog;
    QPushButton *BtnClear, *BtnExport, *BtnClose;

signals:
    // "Do not log" was ticked or unticked: logging is on or off from now on.
    void loggingSwitched(bool on);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void BtnClearClick();
    void BtnExportClick();
    void CBNotLogClick();
};

extern TFmViewLog *FmViewLog;
