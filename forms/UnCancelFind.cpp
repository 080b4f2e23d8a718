#include "forms/UnCancelFind.h"

#include "widgets/ElidedLabel.h"
#include "widgets/KeyPreview.h"
#include "widgets/Metrics.h"
#include "widgets/Widgets.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtMath>

TFmCancelFind *FmCancelFind = nullptr;

TSearchAnimation::TSearchAnimation(QWidget *parent) : QWidget(parent)
{
    setFixedSize(48, 40);
    new AnimationWhileVisible(this, 80, [this] {
        step = (step + 1) % 24;
        update();
    });
}

void TSearchAnimation::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // The folder.
    painter.setPen(QColor(0xa0, 0x74, 0x18));
    painter.setBrush(QColor(0xf2, 0xc1, 0x4e));
    painter.drawRect(QRectF(6, 14, 34, 22));
    painter.drawRect(QRectF(6, 10, 13, 5));
    // The glass, going round.
    const double angle = step * 2 * M_PI / 24;
    const QPointF centre(23 + 8 * std::cos(angle), 22 + 6 * std::sin(angle));
    painter.setPen(QPen(QColor(0x34, 0x43, 0x5a), 2.5));
    painter.setBrush(QColor(0xe8, 0xee, 0xf7, 200));
    painter.drawEllipse(centre, 7, 7);
    painter.drawLine(centre + QPointF(5, 5), centre + QPointF(11, 11));
}

TFmCancelFind::TFmCancelFind(QWidget *parent) : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("FmCancelFind"));
    setWindowTitle(tr("Searching Files ..."));
    setModal(false);
    Animate1 = new TSearchAnimation(this);
    Animate1->setObjectName(QStringLiteral("Animate1"));
    BtnCancel = new QPushButton(tr("Press to abort search operation"), this);
    BtnCancel->setObjectName(QStringLiteral("BtnCancel"));
    BtnCancel->setFlat(true);
    BtnCancel->setAutoDefault(false);
    StatusBar1 = new ElidedLabel(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    StatusBar1->setMargin(2);
    auto *top = new QHBoxLayout;
    top->addWidget(Animate1);
    top->addWidget(BtnCancel, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(StatusBar1);
    setFixedSize(scaled(360), sizeHint().height());

    connect(BtnCancel, &QPushButton::clicked, this, &TFmCancelFind::stopRequested);
    KeyPreview::onKeys(this, {QKeySequence(Qt::Key_Escape)}, [this] { emit stopRequested(); });
}

void TFmCancelFind::showFolder(const QString &folder)
{
    StatusBar1->setPath(folder);
}

void TFmCancelFind::closeEvent(QCloseEvent *event)
{
    emit stopRequested();
    event->accept();
}
