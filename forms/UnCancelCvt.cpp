#include "forms/UnCancelCvt.h"

#include "widgets/ElidedLabel.h"
#include "widgets/Metrics.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

TFmCancelCvt *FmCancelCvt = nullptr;

namespace {

constexpr int GaugeScale = 1000;

QString duration(qint64 seconds)
{
    if (seconds < 60)
        return TFmCancelCvt::tr("%1 s").arg(std::max<qint64>(seconds, 1));
    if (seconds < 3600)
        return TFmCancelCvt::tr("%1 min %2 s").arg(seconds / 60).arg(seconds % 60);
    return TFmCancelCvt::tr("%1 h %2 min").arg(seconds / 3600).arg(seconds / 60 % 60);
}

} // namespace

TFmCancelCvt::TFmCancelCvt(QWidget *parent) : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("FmCancelCvt"));
    setWindowTitle(tr("Converting Files..."));
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
    FlatProgressBar1->setMaximum(GaugeScale);
    FlatProgressBar1->setAccessibleName(tr("Progress"));
    LblPages = new QLabel(this);
    LblPages->setObjectName(QStringLiteral("LblPages"));
    BtnCancel = new QPushButton(tr("&Cancel"), this);
    BtnCancel->setObjectName(QStringLiteral("BtnCancel"));
    BtnCancel->setAutoDefault(false);

    auto *top = new QHBoxLayout;
    // The path loses its middle before it reaches the counter; the counter's two halves touch.
    top->setSpacing(0);
    top->addWidget(LblFileName, 1);
    top->addSpacing(scaled(12));
    top->addWidget(LblSub);
    top->addWidget(LblTot);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(tr("Press CANCEL to abort current operation."), this), 1);
    bottom->addWidget(BtnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(LblRecognising);
    layout->addWidget(FlatProgressBar1);
    layout->addWidget(LblPages);
    layout->addLayout(bottom);
    setFixedSize(scaled(493), std::max(scaled(100), sizeHint().height()));

    connect(BtnCancel, &QPushButton::clicked, this, &TFmCancelCvt::requestStop);
}

void TFmCancelCvt::startRun(int count)
{
    running = true;
    stopping = false;
    BtnCancel->setEnabled(true);
    total = count;
    steps = 0;
    FlatProgressBar1->setValue(0);
    LblSub->setText(QStringLiteral("0"));
    LblTot->setText(u'/' + QString::number(total));
    LblPages->clear();
    LblFileName->clear();
    started.start();
    lastShown.invalidate();
    LblRecognising->clear();
}

void TFmCancelCvt::endRun(bool wentThrough)
{
    if (wentThrough)
        FlatProgressBar1->setValue(FlatProgressBar1->maximum());
    running = false;
    close();
}

double TFmCancelCvt::done() const
{
    const int range = FlatProgressBar1->maximum() - FlatProgressBar1->minimum();
    return range > 0 ? double(FlatProgressBar1->value() - FlatProgressBar1->minimum()) / range : 0.0;
}

void TFmCancelCvt::requestStop()
{
    if (running && !stopping) {
        stopping = true;
        BtnCancel->setEnabled(false);
        LblRecognising->setText(tr("Stopping..."));
    }
    emit cancelRequested();
}

void TFmCancelCvt::showFile(const QString &source)
{
    LblFileName->setPath(source);
}

void TFmCancelCvt::StepProgress()
{
    ++steps;
    LblSub->setText(QString::number(steps));
    if (LblPages->text().isEmpty() && total > 0) // until pages are known, entries measure the way
        FlatProgressBar1->setValue(int(qint64(GaugeScale) * steps / total));
}

int TFmCancelCvt::position() const
{
    return steps;
}

void TFmCancelCvt::showProgress(const ConversionEngine::Progress &progress)
{
    if (lastShown.isValid() && lastShown.elapsed() < 100)
        return;
    lastShown.start();
    if (!stopping) {
        LblRecognising->setText(progress.recognisingPage > 0
                                    ? tr("Recognising page %1 of %2").arg(progress.recognisingPage).arg(progress.recognisingOf)
                                    : QString());
    }
    if (progress.pagesExpected <= 0)
        return;
    const double done = std::min(1.0, double(progress.pagesDone) / double(progress.pagesExpected));
    FlatProgressBar1->setValue(std::max(FlatProgressBar1->value(), int(done * GaugeScale))); // estimates may shrink
    const QLocale locale;
    QString text = tr("Page %1 of about %2").arg(locale.toString(progress.pagesDone), locale.toString(progress.pagesExpected));
    if (progress.filesInFlight > 1)
        text += tr(", %n files at once", nullptr, progress.filesInFlight);
    const qint64 elapsed = started.elapsed();
    if (elapsed > 3000 && done > 0.02)
        text += tr(", about %1 left").arg(duration(qint64(double(elapsed) * (1 - done) / done / 1000)));
    LblPages->setText(text);
}

void TFmCancelCvt::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        requestStop();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TFmCancelCvt::reject()
{
    requestStop();
}

void TFmCancelCvt::closeEvent(QCloseEvent *event)
{
    if (!running) {
        event->accept(); // QDialog's own handling would reject, which only asks to stop here
        return;
    }
    // Closed by the user: it stays to say that the run stops, which takes a moment.
    requestStop();
    event->ignore();
}
