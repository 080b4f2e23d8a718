#include "forms/UnPassword.h"

#include "widgets/Images.h"
#include "widgets/Widgets.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstring>

TFmPassword *FmPassword = nullptr;

TFmPassword::TFmPassword(QWidget *parent) : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("FmPassword"));
    setWindowTitle(tr("Password"));
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(Images::applicationIcon().pixmap(32, 32));
    LblWrong = new QLabel(tr("Wrong password. Try again."), this);
    LblWrong->setObjectName(QStringLiteral("LblWrong"));
    LblPrompt = new QLabel(this);
    LblPrompt->setObjectName(QStringLiteral("LblPrompt"));
    LblPrompt->setWordWrap(true);
    LblPrompt->setTextFormat(Qt::PlainText);
    LblPrompt->setMinimumWidth(380);
    EditPassword = new QLineEdit(this);
    EditPassword->setObjectName(QStringLiteral("EditPassword"));
    // Masked: nothing to read over a shoulder, and neither copy nor cut nor drag takes it out.
    EditPassword->setEchoMode(QLineEdit::Password);
    EditPassword->setContextMenuPolicy(Qt::NoContextMenu);
    EditPassword->setMaxLength(1024);
    LblPrompt->setBuddy(EditPassword);
    EditPassword->setAccessibleName(tr("Password"));
    CBRemember = new QCheckBox(tr("&Remember in the keyring"), this);
    CBRemember->setObjectName(QStringLiteral("CBRemember"));
    BtnOK = makeButton(this, "BtnOK", tr("&OK"));
    BtnCancel = makeButton(this, "BtnCancel", tr("&Cancel"));
    BtnOK->setDefault(true);
    BtnOK->setEnabled(false);
    connect(EditPassword, &QLineEdit::textChanged, this, [this](const QString &text) { BtnOK->setEnabled(!text.isEmpty()); });
    connect(BtnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *text = new QVBoxLayout;
    text->addWidget(LblWrong);
    text->addWidget(LblPrompt);
    text->addWidget(EditPassword);
    text->addWidget(CBRemember);
    auto *top = new QHBoxLayout;
    top->addWidget(Image1, 0, Qt::AlignTop);
    top->addLayout(text, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnOK);
    buttons->addWidget(BtnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

std::optional<TFmPassword::Answer> TFmPassword::AskPassword(const QString &fileName, int fileCount, bool wrongBefore,
                                                            bool canRemember)
{
    LblWrong->setVisible(wrongBefore);
    LblPrompt->setText(fileCount == 1 ? tr("Password of %1:").arg(fileName)
                                      : tr("Password of the %n selected files:", nullptr, fileCount));
    EditPassword->setAccessibleName(LblPrompt->text());
    CBRemember->setVisible(canRemember); // absent where nothing could keep it
    if (!canRemember)
        CBRemember->setChecked(false);
    EditPassword->clear();
    EditPassword->setFocus();
    const bool given = exec() == QDialog::Accepted;
    std::optional<Answer> answer;
    if (given)
        answer = Answer{EditPassword->text().toUtf8(), CBRemember->isChecked()};
    // The widget's own copy is overwritten at once (the text shares it); the answer is the
    // caller's to clear.
    const QString typed = EditPassword->text();
    explicit_bzero(const_cast<QChar *>(typed.constData()), size_t(typed.size()) * sizeof(QChar));
    EditPassword->clear();
    return answer;
}
