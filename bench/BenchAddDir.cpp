// Add Dir over a generated tree of 100,000 files, a tenth of them PDFs, with recursion, end
// to end: the real dialog confirmed, the search, AddOneFile, the window shown. Prints the time
// and how often the window repainted meanwhile.
//   bench_adddir [files=100000]
#include "conversion/JobList.h"
#include "forms/UnAddDir.h"
#include "platform/LocaleInfo.h"
#include "platform/ProgramFolders.h"
#include "settings/Settings.h"
#include "ui/Forms.h"
#include "ui/UnMain.h"
#include "widgets/OrdvaneApplication.h"

#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

namespace {

// Counts the list's repaints.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

}

int main(int argc, char *argv[])
{
    OrdvaneApplication app(argc, argv);
    LocaleInfo::initialise();
    const int files = argc > 1 ? std::max(1000, std::atoi(argv[1])) : 100000;
    QTemporaryDir programDirectory, tree;
    SetProgramDirectory(programDirectory.path());
    LoadSettings();
    Settings.notlog = true;

    // 100 folders of 10 subfolders of files; every tenth file a PDF.
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < files; ++i) {
        const QString folder = tree.path() + QStringLiteral("/f%1/s%2/").arg(i % 100).arg(i / 100 % 10);
        if (i < 1000)
            QDir().mkpath(folder);
        QFile file(folder + QStringLiteral("file%1.%2").arg(i).arg(i % 10 == 0 ? "pdf" : "txt"));
        file.open(QIODevice::WriteOnly);
    }
    std::printf("tree of %d files made in %.1f s\n", files, timer.elapsed() / 1000.0);

    CreateForms();
    FmMain->show();
    QCoreApplication::processEvents();
    PaintCounter counter;
    FmMain->findChild<QWidget *>(QStringLiteral("ListView1"))->findChild<QWidget *>(QStringLiteral("qt_scrollarea_viewport"))
        ->installEventFilter(&counter);
    QTimer::singleShot(0, [&] {
        FmAddDir->EditDir->setText(tree.path());
        FmAddDir->CBRecursive->setChecked(true);
        FmAddDir->BtnOK->click();
    });
    timer.start();
    FmMain->MenuItemClick(FmMain->findChild<QObject *>(QStringLiteral("ActAddDir")));
    const double seconds = timer.elapsed() / 1000.0;
    std::printf("Add Dir, recursive, end to end: %.2f s, %d files added (%s)\n", seconds, FmMain->FileCount(),
                qPrintable(FmMain->findChild<QLabel *>(QStringLiteral("StatusMessage"))->text()));
    std::printf("the list repainted %d times, %.1f a second\n", counter.paints, counter.paints / seconds);
    DestroyForms();
    return 0;
}
