#pragma once
// The directory list: edits the folders one Add Dir searches, handed over and taken back
// as ";"-separated text.
#include <QDialog>

class QLineEdit;
class QListWidget;
class QPushButton;

class TFmDirectory : public QDialog {
    Q_OBJECT

public:
    explicit TFmDirectory(QWidget *parent = nullptr);

    void LoadDirectories(const QString &directories);
    QStringList directories() const;

    QListWidget *LBOXDirs;
    QLineEdit *EditDir;
    QPushButton *BtnDir, *BtnReplace, *BtnAdd, *BtnDelete, *BtnOK, *BtnCancel;

private:
    void EditDirChange();
    void LBOXDirsClick();
    void BtnAddClick();
    void BtnReplaceClick();
    void BtnDeleteClick();
    void BtnDirClick();
};

extern TFmDirectory *FmDirectory;

// ";"-separated text as list entries: two adjacent separators leave an empty entry, one at
// the end adds none, nothing is trimmed.
QStringList SplitDirectories(const QString &text);
