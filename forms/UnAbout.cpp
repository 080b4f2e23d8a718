#include "forms/UnAbout.h"

#include "base/Version.h"
#include "widgets/Images.h"
#include "widgets/Widgets.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TFmAbout *FmAbout = nullptr;

TFmAbout::TFmAbout(QWidget *parent) : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("FmAbout"));
    setWindowTitle(tr("About KV-Ordvane"));
    Animation = new QLabel(this);
    Animation->setObjectName(QStringLiteral("Animation"));
    Animation->setFixedSize(32, 32);
    Animation->setPixmap(Images::aboutFrame(0, devicePixelRatioF()));
    auto *name = new QLabel(QStringLiteral("KV-Ordvane"), this);
    QFont big = name->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.4);
    name->setFont(big);
    auto *version = new QLabel(tr("Version %1").arg(QStringLiteral(ORDVANE_VERSION)), this);
    auto *ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("BtnOK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *text = new QVBoxLayout;
    text->addWidget(name);
    text->addWidget(version);
    auto *top = new QHBoxLayout;
    top->addWidget(Animation, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(text);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    // The title bar shows the caption beside the window's icon and buttons; a box narrower
    // than all of them gets its caption clipped ("Abou... vane").
    QFont titleFont = font();
    titleFont.setBold(true);
    const int titleBarButtons = 4 * 2 * fontMetrics().height(); // icon, minimise, maximise, close
    layout->addSpacerItem(new QSpacerItem(QFontMetrics(titleFont).horizontalAdvance(windowTitle()) + titleBarButtons, 0,
                                          QSizePolicy::Fixed, QSizePolicy::Minimum));
    layout->setSizeConstraint(QLayout::SetFixedSize);

    new AnimationWhileVisible(this, 400, [this] { nextFrame(); });
}

void TFmAbout::nextFrame()
{
    currentFrame = (currentFrame + 1) % Images::AboutFrameCount;
    Animation->setPixmap(Images::aboutFrame(currentFrame, Animation->devicePixelRatioF()));
}
