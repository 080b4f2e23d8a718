#pragma once
// The password of locked PDF files: masked, never shown, never copied, and remembered in the
// desktop's keyring only when the user ticks it and the desktop has one.
#include <QByteArray>
#include <QDialog>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TFmPassword : public QDialog {
    Q_OBJECT

public:
    struct Answer {
        QByteArray password; // UTF-8, as PDF files of today take it
        bool remember = false;
    };

    explicit TFmPassword(QWidget *parent = nullptr);
    // Asks for the password of one file (its name) or of several (their count); says first
    // that the last password was wrong when it was. Nothing when cancelled.
    std::optional<Answer> AskPassword(const QString &fileName, int fileCount, bool wrongBefore, bool canRemember);

    QLabel *Image1;
    QLabel *LblWrong;
    QLabel *LblPrompt;
    QLineEdit *EditPassword;
    QCheckBox *CBRemember;
    QPushButton *BtnOK;
    QPushButton *BtnCancel;
};

extern TFmPassword *FmPassword;
