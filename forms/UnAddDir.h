#pragma once
// The add-directory dialog: the folders to search, the document types to gather and
// whether subfolders are searched too.
#include <QDialog>
#include <QStringList>
#include <functional>
#include <optional>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;

class TFmAddDir : public QDialog {
    Q_OBJECT

public:
    explicit TFmAddDir(QWidget *parent = nullptr);
    void done(int result) override; // hands the ticks and the recursion box to the settings

    // What the user chose: the folders (empty entries passed over), whether subfolders are
    // searched too, and the tick of each document type's row, type 1 first.
    struct Choice {
        QStringList folders;
        bool recursive = false;
        QList<bool> types;
    };
    // Shows the dialog; nothing when it is cancelled.
    std::optional<Choice> Ask();
    // The folder a drop offers, in place of the last ones, for the next showing.
    void offerFolder(const QString &folder);

    // The tick of each document type's row, type 1 first.
    QList<bool> typeTicks() const;

    QLineEdit *EditDir;
    QPushButton *BtnDir;
    QListWidget *CheckListBox1;
    QPushButton *FlatSpeedButton1, *FlatSpeedButton2, *FlatSpeedButton3;
    QCheckBox *CBRecursive;
    QPushButton *BtnOK, *BtnCancel;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void BtnDirClick();
    void BtnOKClick();
    void setTicks(const std::function<bool(bool)> &tick);
};

extern TFmAddDir *FmAddDir;
