#include "ui/UnCancelCvt.h"

#include "ui/ElidedLabel.h"
#include "ui/Metrics.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

TFmCancelCvt *FmCancelCvt = nullptr;

TFmCancelCvt::TFmCancelCvt(QWidget *parent) : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("FmCancelCvt"));
    setWindowTitle(QStringLiteral("Converting Files..."));
    setModal(false);

    LblFileName = new ElidedLabel(this);
    LblFileName->setObjectName(QStringLiteral("LblFileName"));
    LblSub = new QLabel(QStringLiteral("0"), this);
    LblSub->setObjectName(QStringLiteral("LblSub"));
    LblSub->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    LblTot = new QLabel(QStringLiteral("/0"), this);
    LblTot->setObjectName(QStringLiteral("LblTot"));
    LblRecognising = new QLabel(this);
    LblRecognising->setObjectName(QStringLiteral("LblRecognising"));
    FlatProgressBar1 = new QProgressBar(this);
    FlatProgressBar1->setObjectName(QStringLiteral("FlatProgressBar1"));
    FlatProgressBar1->setTextVisible(false);
    FlatProgressBar1->setMinimum(0);
    BtnCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    BtnCancel->setObjectName(QStringLiteral("BtnCancel"));
    BtnCancel->setAutoDefault(false);

    auto *top = new QHBoxLayout;
    top->addWidget(LblFileName, 1);
    top->addWidget(LblSub);
    top->setSpacing(0);
    top->addWidget(LblTot);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(QStringLiteral("Press CANCEL to abort current operation."), this), 1);
    bottom->addWidget(BtnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(LblRecognising);
    layout->addWidget(FlatProgressBar1);
    layout->addLayout(bottom);
    setFixedSize(scaled(493), std::max(scaled(100), sizeHint().height()));

    connect(BtnCancel, &QPushButton::clicked, this, &TFmCancelCvt::cancelRequested);
}

void TFmCancelCvt::startRun(int total)
{
    FlatProgressBar1->setMaximum(total);
    FlatProgressBar1->setValue(0);
    LblSub->setText(QStringLiteral("0"));
    LblTot->setText(u'/' + QString::number(total));
    LblFileName->clear();
    LblRecognising->clear();
}

void TFmCancelCvt::showFile(const QString &source)
{
    LblFileName->setPath(source);
}

void TFmCancelCvt::StepProgress()
{
    FlatProgressBar1->setValue(FlatProgressBar1->value() + 1);
    LblSub->setText(QString::number(FlatProgressBar1->value()));
}

void TFmCancelCvt::showRecognition(int page, int pageCount)
{
    LblRecognising->setText(page > 0 ? QStringLiteral("Recognising page %1 of %2").arg(page).arg(pageCount) : QString());
}

int TFmCancelCvt::position() const
{
    return FlatProgressBar1->value();
}

void TFmCancelCvt::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        emit cancelRequested(); // the window stays until the run has finished its file
        return;
    }
    QDialog::keyPressEvent(event);
}

void TFmCancelCvt::reject()
{
    emit cancelRequested();
}

void TFmCancelCvt::closeEvent(QCloseEvent *event)
{
    emit cancelRequested();
    event->accept(); // QDialog's own handling would reject, which only asks to cancel here
}
