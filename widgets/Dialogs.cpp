#include "widgets/Dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace Dialogs {

namespace {
Script *script = nullptr;
}

Script::Script()
{
    script = this;
}

Script::~Script()
{
    script = nullptr;
}

void error(QWidget *parent, const QString &caption, const QString &text)
{
    if (script) {
        script->messages.append(caption + QStringLiteral(": ") + text);
        return;
    }
    QMessageBox::critical(parent, caption, text);
}

Decision retryIgnoreCancel(QWidget *parent, const QString &caption, const QString &text, const QString &ignoreCaption)
{
    if (script) {
        script->messages.append(caption + QStringLiteral(": ") + text);
        return script->decisionAnswers.isEmpty() ? Decision::Cancel : script->decisionAnswers.takeFirst();
    }
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::NoButton, parent);
    QPushButton *retry = box.addButton(QMessageBox::Retry);
    QPushButton *ignore = box.addButton(ignoreCaption, QMessageBox::DestructiveRole);
    box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(retry);
    box.exec();
    return box.clickedButton() == retry ? Decision::Retry : box.clickedButton() == ignore ? Decision::Ignore : Decision::Cancel;
}

QString qtFilter(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts).join(u' ');
        // A description that already names its patterns, "Log File(*.log)", names them once.
        QString description = parts[i];
        const qsizetype named = description.lastIndexOf(u'(');
        if (named >= 0 && description.endsWith(u')')
            && description.mid(named + 1, description.size() - named - 2).split(u';', Qt::SkipEmptyParts).join(u' ') == patterns)
            description = description.left(named).trimmed();
        filters.append(description + QStringLiteral(" (") + patterns + u')');
    }
    return filters.join(QStringLiteral(";;"));
}

QStringList openFiles(QWidget *parent, const QString &filter)
{
    if (script)
        return script->fileAnswers.isEmpty() ? QStringList() : script->fileAnswers.takeFirst();
    return QFileDialog::getOpenFileNames(parent, QString(), QString(), qtFilter(filter));
}

QString saveFile(QWidget *parent, const QString &filter, const QString &defaultSuffix)
{
    if (script)
        return script->pathAnswers.isEmpty() ? QString() : script->pathAnswers.takeFirst();
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(qtFilter(filter));
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString browseForFolder(QWidget *parent, const QString &title, const QString &startFolder)
{
    if (script)
        return script->pathAnswers.isEmpty() ? QString() : script->pathAnswers.takeFirst();
    const QString start = QFileInfo(startFolder).isDir() ? startFolder : QString();
    QString folder = QFileDialog::getExistingDirectory(parent, title, start, QFileDialog::ShowDirsOnly);
    while (folder.size() > 1 && folder.endsWith(u'/'))
        folder.chop(1);
    return folder;
}

}
