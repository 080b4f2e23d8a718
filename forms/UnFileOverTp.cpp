#include "forms/UnFileOverTp.h"

#include "widgets/Images.h"
#include "widgets/Widgets.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TFmFileOverTp *FmFileOverTp = nullptr;

TFmFileOverTp::TFmFileOverTp(QWidget *parent) : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("FmFileOverTp"));
    setWindowTitle(QStringLiteral("KV-Ordvane"));
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(Images::applicationIcon().pixmap(32, 32));
    LblFileName = new QLabel(this);
    LblFileName->setObjectName(QStringLiteral("LblFileName"));
    LblFileName->setWordWrap(true);
    LblFileName->setTextFormat(Qt::PlainText);
    LblFileName->setMinimumWidth(380);

    const auto button = [this](const char *name, const QString &caption, int result) {
        QPushButton *b = makeButton(this, name, caption);
        connect(b, &QPushButton::clicked, this, [this, result] { done(result); });
        return b;
    };
    BtnAutoRename = button("BtnAutoRename", tr("&Auto Rename"), AutoRename);
    BtnOverwrite = button("BtnOverwrite", tr("&Overwrite"), Overwrite);
    BtnCancel = button("BtnCancel", tr("&Cancel"), Cancel);
    FlatSpeedButton1 = button("FlatSpeedButton1", tr("&Stop Convert"), StopConvert);
    BtnAutoRename->setDefault(true);
    CBSameForRest = new QCheckBox(tr("&Do the same for the remaining files"), this);
    CBSameForRest->setObjectName(QStringLiteral("CBSameForRest"));

    auto *text = new QVBoxLayout;
    text->addWidget(LblFileName);
    text->addWidget(new QLabel(tr("The file already exist."), this));
    text->addWidget(CBSameForRest);
    auto *top = new QHBoxLayout;
    top->addWidget(Image1, 0, Qt::AlignTop);
    top->addLayout(text, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *b : {BtnAutoRename, BtnOverwrite, BtnCancel, FlatSpeedButton1})
        buttons->addWidget(b);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TFmFileOverTp::ShowPrompt(const QString &target, std::function<void(Answer, bool)> answer)
{
    LblFileName->setText(target);
    CBSameForRest->setChecked(false);
    BtnAutoRename->setFocus();
    answered = std::move(answer);
    setWindowModality(Qt::ApplicationModal);
    show();
}

void TFmFileOverTp::done(int result)
{
    QDialog::done(result);
    if (answered)
        std::exchange(answered, nullptr)(Answer(result), CBSameForRest->isChecked());
}

void TFmFileOverTp::reject()
{
    done(Cancel);
}
