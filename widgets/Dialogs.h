#pragma once
// Message boxes and file and folder pickers, behind one small seam: while a test script is
// active, nothing is shown; pickers return the script's next answer and message boxes are
// recorded for the test to read.
#include <QStringList>

class QWidget;

namespace Dialogs {

// A message box with the error icon.
void error(QWidget *parent, const QString &caption, const QString &text);

// An error the user decides about: try again, go on regardless, or leave things as they are.
enum class Decision { Retry, Ignore, Cancel };
Decision retryIgnoreCancel(QWidget *parent, const QString &caption, const QString &text, const QString &ignoreCaption);

// The open dialog for several files. filter is written "description|patterns|..." with
// patterns separated by ";". Returns nothing when cancelled.
QStringList openFiles(QWidget *parent, const QString &filter);
// The save dialog; asks before overwriting. Returns nothing when cancelled.
QString saveFile(QWidget *parent, const QString &filter, const QString &defaultSuffix);
// The folder picker: directories only, start folder preselected when it exists; the result
// has no trailing "/". Returns nothing when cancelled.
QString browseForFolder(QWidget *parent, const QString &title, const QString &startFolder);

// "desc|p1;p2|desc2|p3" in the form Qt's dialogs take: "desc (p1 p2);;desc2 (p3)". A
// description that ends in its own patterns, "desc(p1;p2)", gives the same.
QString qtFilter(const QString &filter);

class Script {
public:
    Script();
    ~Script();
    // Answers of the next pickers, in order; an empty list or text stands for Cancel.
    void answerFiles(const QStringList &files) { fileAnswers.append(files); }
    void answerPath(const QString &path) { pathAnswers.append(path); }
    // Decisions of the next questions; Cancel when none is left.
    void answerDecision(Decision decision) { decisionAnswers.append(decision); }
    QStringList messages; // "caption: text" of every message box shown
    QList<QStringList> fileAnswers;
    QStringList pathAnswers;
    QList<Decision> decisionAnswers;
};

}
