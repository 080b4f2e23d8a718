// KV-Ordvane: start-up and shutdown, in their order.
#include "conversion/MyPdfCvt.h"
#include "platform/CommandLine.h"
#include "desktop/Desktop.h"
#include "platform/EndRequests.h"
#include "platform/FileSystem.h"
#include "platform/IniFile.h"
#include "platform/LocaleInfo.h"
#include "platform/ProgramFolders.h"
#include "platform/SingleInstance.h"
#include "platform/Translations.h"
#include "settings/Settings.h"
#include "ui/Forms.h"
#include "ui/UnMain.h"
#include "widgets/Dialogs.h"
#include "widgets/OrdvaneApplication.h"

#include <QSessionManager>
#include <QTimer>
#include <cstdio>

int main(int argc, char *argv[])
{
    FileSystem::failWritesPastSizeLimit();
    OrdvaneApplication::identify();
    if (CommandLine::asksForTextOnly(argc, argv)) {
        // Printed without a display, so it works on a console and in a build.
        QCoreApplication app(argc, argv);
        Translations::install();
        CommandLine::files(argc, argv);
        return 0;
    }

    OrdvaneApplication app(argc, argv);
    Translations::install();
    const QStringList files = CommandLine::files(argc, argv);
    LocaleInfo::initialise();

    // One instance owns the job list; a later start hands its files over and ends.
    SingleInstance instance(JobFilePath());
    const SingleInstance::Claim claim = instance.claim();
    if (claim == SingleInstance::Claim::OtherOwner) {
        QString whyNot;
        // The compositor let this start, not the owner, come to the front: its token goes along.
        switch (instance.handOver(files, Desktop::takeActivationToken(), 10000, &whyNot)) {
        case SingleInstance::HandOver::Taken:
            return 0;
        case SingleInstance::HandOver::NoneTaken:
            // The running window says which and why; a script sees that nothing came of it.
            std::fprintf(stderr, "%s\n", qPrintable(QCoreApplication::translate("main", "The running KV-Ordvane added none of the files; its status bar and activity log say why.")));
            return 1;
        case SingleInstance::HandOver::Failed:
            break;
        }
        const QString text = !whyNot.isEmpty() ? whyNot : QCoreApplication::translate("main", "KV-Ordvane is already running with the job list %1 (process %2) "
                                                                     "and does not answer. Nothing was added; close it and try again.")
                                 .arg(JobFilePath())
                                 .arg(instance.ownerProcess());
        std::fprintf(stderr, "%s\n", qPrintable(text));
        Dialogs::error(nullptr, QStringLiteral("KV-Ordvane"), text);
        return 1;
    }

    // From here an end signal waits for the event loop, which saves and closes.
    EndRequests ends;
    LoadSettings();
    MyPdfCvt::LoadConverterLibrary(ProgramDirectory());

    CreateForms();
    QObject::connect(&ends, &EndRequests::endRequested, FmMain, [] { FmMain->EndSession(); });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, FmMain, [](QSessionManager &) { FmMain->SaveKeptFiles(); });
    instance.setReceiver([](const QStringList &handed, const QByteArray &token) { return FmMain->AddFilesFromOutside(handed, token); });
    FmMain->show();
    if (claim == SingleInstance::Claim::Owner && !instance.listenProblem().isEmpty()) {
        // The window works on; only later starts cannot reach it.
        std::fprintf(stderr, "%s\n", qPrintable(instance.listenProblem()));
        FmMain->ShowStatusMessage(instance.listenProblem());
    }
    if (!files.isEmpty())
        QTimer::singleShot(0, FmMain, [files] { FmMain->AddFilesFromOutside(files); });
    const int result = app.exec();
    DestroyForms();

    MyPdfCvt::UnloadConverterLibrary();
    if (const IoResult<void> saved = SaveSettings(); !saved) {
        OrdvaneApplication::showError(std::make_exception_ptr(OrdvaneError(IniFile::unableToWrite(saved.error()))));
        return 1;
    }
    return result;
}
