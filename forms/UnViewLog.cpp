#include "forms/UnViewLog.h"

#include "conversion/ActivityLog.h"
#include "platform/FileSystem.h"
#include "settings/Settings.h"
#include "widgets/Dialogs.h"
#include "widgets/Metrics.h"
#include "widgets/OrdvaneApplication.h"
#include "widgets/Widgets.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <cstdio>

TFmViewLog *FmViewLog = nullptr;

TFmViewLog::TFmViewLog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("FmViewLog"));
    setWindowTitle(tr("Log"));
    MemoLog = new QPlainTextEdit(this);
    MemoLog->setObjectName(QStringLiteral("MemoLog"));
    MemoLog->setReadOnly(true);
    MemoLog->setLineWrapMode(QPlainTextEdit::NoWrap);
    MemoLog->setAccessibleName(tr("Activity log"));
    MemoLog->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MemoLog->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    CBNotLog = new QCheckBox(tr("Not logging"), this);
    CBNotLog->setObjectName(QStringLiteral("CBNotLog"));
    CBNotLog->setChecked(Settings.notlog); // read once, here
    BtnClear = makeButton(this, "BtnClear", tr("Clear &Log"));
    BtnExport = makeButton(this, "BtnExport", tr("&Export to file"));
    BtnClose = makeButton(this, "BtnClose", tr("&Close"));

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(CBNotLog);
    bottom->addStretch();
    bottom->addWidget(BtnClear);
    bottom->addWidget(BtnExport);
    bottom->addWidget(BtnClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(MemoLog, 1);
    layout->addLayout(bottom);
    resize(scaled(560), scaled(360));

    connect(BtnClear, &QPushButton::clicked, this, &TFmViewLog::BtnClearClick);
    connect(BtnExport, &QPushButton::clicked, this, &TFmViewLog::BtnExportClick);
    connect(BtnClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(CBNotLog, &QCheckBox::clicked, this, &TFmViewLog::CBNotLogClick);
}

void TFmViewLog::LoadLog()
{
    MemoLog->clear();
    const IoResult<QString> read = ReadLogText(ActivityLogPath());
    if (!read)
        throw IoError(read.error()); // the command shows it instead of the dialog
    const QString &text = *read;
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (shown.endsWith(u'\n'))
        shown.chop(1); // the last line's break starts no line of its own
    MemoLog->setPlainText(shown);
    MemoLog->moveCursor(QTextCursor::End);
    BtnClear->setEnabled(!text.isEmpty());
    BtnExport->setEnabled(!text.isEmpty());
    MemoLog->verticalScrollBar()->setValue(MemoLog->verticalScrollBar()->maximum());
}

void TFmViewLog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // The caret after a long last line must not leave the beginnings of the lines out of view.
    MemoLog->horizontalScrollBar()->setValue(MemoLog->horizontalScrollBar()->minimum());
    MemoLog->verticalScrollBar()->setValue(MemoLog->verticalScrollBar()->maximum());
}

void TFmViewLog::BtnClearClick()
{
    std::remove(FileSystem::encodePath(ActivityLogPath()).constData()); // a failure shows in the reload
    try {
        LoadLog();
    } catch (...) {
        OrdvaneApplication::showError(std::current_exception());
    }
}

void TFmViewLog::BtnExportClick()
{
    const QString file = Dialogs::saveFile(this, tr("KV-Ordvane Log File(*.log)|*.log"), QStringLiteral("log"));
    if (file.isEmpty())
        return;
    if (const IoResult<void> written = WriteLogExport(file, MemoLog->toPlainText()); !written)
        OrdvaneApplication::showError(std::make_exception_ptr(IoError(written.error())));
}

void TFmViewLog::CBNotLogClick()
{
    Settings.notlog = CBNotLog->isChecked();
    emit loggingSwitched(!Settings.notlog);
}
