#pragma once
// Saving the job list: shortly after each change, so that a crash or a power cut costs little;
// quietly when the session ends; and on close, where a failure asks whether to retry, exit
// without saving, or stay open.
#include "platform/IoError.h"

#include <QObject>
#include <QTimer>
#include <functional>

class JobList;
class QWidget;

class JobListSaver : public QObject {
    Q_OBJECT

public:
    // tell: where a failure of a quiet save is said, without stopping the user.
    JobListSaver(JobList &list, std::function<void(const QString &message)> tell, QObject *parent);

    // Now, a failure told.
    void saveQuietly();
    // Before the window closes: false when the user keeps it open after a failed save.
    bool saveBeforeClose(QWidget *window);
    // At the very end, unless the close saved it or the user chose to lose the changes.
    [[nodiscard]] IoResult<void> saveAtEnd();

private:
    IoResult<void> save();

    JobList &list;
    std::function<void(const QString &)> tell;
    QTimer soon;
    bool settled = false; // saved on close, or given up by the user
};
