#include "ui/StatusPanel.h"

#include "base/Version.h"
#include "widgets/ElidedLabel.h"

#include <QLabel>
#include <QSizeGrip>
#include <QStatusBar>

StatusPanel::StatusPanel(QStatusBar *bar) : QObject(bar), bar(bar)
{
    product = new QLabel(QStringLiteral("KV-Ordvane " ORDVANE_VERSION), bar);
    product->setObjectName(QStringLiteral("StatusProduct"));
    count = new QLabel(bar);
    count->setObjectName(QStringLiteral("StatusCount"));
    count->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    message = new ElidedLabel(bar);
    message->setObjectName(QStringLiteral("StatusMessage"));
    message->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    message->setTextFormat(Qt::PlainText);
    message->setMinimumWidth(1);
    bar->setObjectName(QStringLiteral("dfsStatusBar1"));
    bar->setAccessibleName(tr("Status"));
    bar->setSizeGripEnabled(true);
    if (auto *grip = bar->findChild<QSizeGrip *>())
        grip->setAccessibleName(tr("Resize window"));
    bar->addWidget(product);
    bar->addWidget(count);
    bar->addWidget(message, 1);
    showFileCount(0);
}

void StatusPanel::showMessage(const QString &text)
{
    // A command's message outlives the selection count its own changes would bring.
    lastMessage = text;
    held = true;
    show(text);
}

void StatusPanel::release()
{
    held = false;
    lastMessage.clear();
}

void StatusPanel::showSelection(int selected)
{
    if (held)
        return; // the selection the command itself made is no news
    show(tr("Select %n file(s).", nullptr, selected));
}

void StatusPanel::showHint(const QString &hint)
{
    show(hint.isEmpty() && held ? lastMessage : hint);
}

void StatusPanel::showFileCount(int files)
{
    count->setText(tr("%n File(s)", nullptr, files));
}

void StatusPanel::show(const QString &text)
{
    // One line: a file name may hold a line break.
    QString line = text;
    line.replace(u'\n', u' ').replace(u'\r', u' ');
    message->setPath(line); // a long message loses its middle; its tool tip has it whole
    bar->setAccessibleDescription(line); // a screen reader announces the change
}
