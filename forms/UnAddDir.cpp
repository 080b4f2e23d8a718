#include "forms/UnAddDir.h"

#include "forms/UnDirectory.h"
#include "settings/DocumentTypes.h"
#include "settings/Settings.h"
#include "widgets/Dialogs.h"
#include "widgets/KeyPreview.h"
#include "widgets/Widgets.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

TFmAddDir *FmAddDir = nullptr;

TFmAddDir::TFmAddDir(QWidget *parent) : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("FmAddDir"));
    setWindowTitle(tr("Add directory"));
    EditDir = new QLineEdit(this);
    EditDir->setObjectName(QStringLiteral("EditDir"));
    BtnDir = makeButton(this, "BtnDir", tr("&Browse"));
    CheckListBox1 = new QListWidget(this);
    CheckListBox1->setObjectName(QStringLiteral("CheckListBox1"));
    FlatSpeedButton1 = makeButton(this, "FlatSpeedButton1", tr("&Select All"));
    FlatSpeedButton2 = makeButton(this, "FlatSpeedButton2", tr("&Invert selection"));
    FlatSpeedButton3 = makeButton(this, "FlatSpeedButton3", tr("Select &None"));
    CBRecursive = new QCheckBox(tr("&Recursive Sub Directory"), this);
    CBRecursive->setObjectName(QStringLiteral("CBRecursive"));
    BtnOK = makeButton(this, "BtnOK", tr("&OK"));
    BtnCancel = makeButton(this, "BtnCancel", tr("&Cancel"));

    auto *grid = new QGridLayout(this);
    auto *LblDir = new QLabel(tr("&Directory"), this);
    LblDir->setBuddy(EditDir); // Alt+D, and assistive technology names the field by its label
    grid->addWidget(LblDir, 0, 0, 1, 2);
    grid->addWidget(EditDir, 1, 0);
    grid->addWidget(BtnDir, 1, 1);
    auto *LblTypes = new QLabel(tr("Select type of file to be converted:"), this);
    LblTypes->setBuddy(CheckListBox1);
    grid->addWidget(LblTypes, 2, 0, 1, 2);
    grid->addWidget(CheckListBox1, 3, 0);
    auto *tickButtons = new QVBoxLayout;
    for (QPushButton *b : {FlatSpeedButton1, FlatSpeedButton2, FlatSpeedButton3})
        tickButtons->addWidget(b);
    tickButtons->addStretch();
    grid->addLayout(tickButtons, 3, 1);
    grid->addWidget(CBRecursive, 4, 0, 1, 2);
    auto *closing = new QHBoxLayout;
    closing->addStretch();
    closing->addWidget(BtnOK);
    closing->addWidget(BtnCancel);
    grid->addLayout(closing, 5, 0, 1, 2);
    CheckListBox1->setMaximumHeight(CheckListBox1->fontMetrics().height() * 4);
    setMinimumWidth(440);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    // From the settings, once.
    EditDir->setText(Settings.adddir);
    for (int type = 1; type <= DocumentTypeCount; ++type) {
        auto *row = new QListWidgetItem(DocumentTypes(Settings.userfileext1).AddDirTypeRow(type), CheckListBox1);
        row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        row->setCheckState(Settings.selext1 ? Qt::Checked : Qt::Unchecked);
    }
    CBRecursive->setChecked(Settings.recursive);

    connect(BtnDir, &QPushButton::clicked, this, &TFmAddDir::BtnDirClick);
    connect(FlatSpeedButton1, &QPushButton::clicked, this, [this] { setTicks([](bool) { return true; }); });
    connect(FlatSpeedButton2, &QPushButton::clicked, this, [this] { setTicks([](bool ticked) { return !ticked; }); });
    connect(FlatSpeedButton3, &QPushButton::clicked, this, [this] { setTicks([](bool) { return false; }); });
    connect(BtnOK, &QPushButton::clicked, this, &TFmAddDir::BtnOKClick);
    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    KeyPreview::enterAndEscape(this, [this] { BtnOKClick(); }, [this] { reject(); });
}

// However it closes, as the settings hold them from then on: written only when the form goes,
// they were lost to a session end that saved and was then cut short.
void TFmAddDir::done(int result)
{
    const QList<bool> ticks = typeTicks();
    Settings.selext1 = ticks.value(0, true);
    Settings.recursive = CBRecursive->isChecked();
    QDialog::done(result);
}

std::optional<TFmAddDir::Choice> TFmAddDir::Ask()
{
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    Choice choice{EditDir->text().split(u';', Qt::SkipEmptyParts), CBRecursive->isChecked(), typeTicks()};
    return choice;
}

void TFmAddDir::offerFolder(const QString &folder)
{
    EditDir->setText(folder);
}

QList<bool> TFmAddDir::typeTicks() const
{
    QList<bool> ticks;
    for (int i = 0; i < CheckListBox1->count(); ++i)
        ticks << (CheckListBox1->item(i)->checkState() == Qt::Checked);
    return ticks;
}

void TFmAddDir::setTicks(const std::function<bool(bool)> &tick)
{
    for (int i = 0; i < CheckListBox1->count(); ++i) {
        QListWidgetItem *row = CheckListBox1->item(i);
        row->setCheckState(tick(row->checkState() == Qt::Checked) ? Qt::Checked : Qt::Unchecked);
    }
}

void TFmAddDir::showEvent(QShowEvent *event)
{
    // The patterns may have changed in the Options dialog since the last showing. The list
    // is as wide as its longest row, up to most of the screen, and a row shows whole as its
    // tool tip.
    int widest = 0;
    const DocumentTypes types(Settings.userfileext1);
    for (int i = 0; i < CheckListBox1->count(); ++i) {
        QListWidgetItem *row = CheckListBox1->item(i);
        row->setText(types.AddDirTypeRow(i + 1));
        row->setToolTip(row->text());
        widest = std::max(widest, CheckListBox1->fontMetrics().horizontalAdvance(row->text()));
    }
    const int indicator = style()->pixelMetric(QStyle::PM_IndicatorWidth) + 3 * style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
    const int mostOfScreen = screen() ? screen()->availableGeometry().width() * 2 / 3 : 1000;
    CheckListBox1->setMinimumWidth(std::min(widest + indicator + 2 * CheckListBox1->frameWidth() + 8, mostOfScreen));
    QDialog::showEvent(event);
    // Typing goes to the folder, whatever had the focus when the dialog last closed.
    EditDir->setFocus();
}

void TFmAddDir::BtnDirClick()
{
    FmDirectory->LoadDirectories(EditDir->text());
    if (FmDirectory->exec() == QDialog::Accepted)
        EditDir->setText(FmDirectory->directories().join(u';'));
}

void TFmAddDir::BtnOKClick()
{
    Settings.adddir = EditDir->text(); // also when the check below refuses
    if (typeTicks().contains(true)) {
        accept();
        return;
    }
    Dialogs::error(this, tr("Error"), tr("Please select the type of file to be converted!"));
}
