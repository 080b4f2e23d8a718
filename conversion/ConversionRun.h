#pragma once
// The conversion run: walks the job list once and, for every entry the command selects,
// works out the target, applies the policy for an existing target, converts, writes the
// text file and records the outcome in the entry and the activity log. The window supplies
// the progress display, the prompt and the converter call through Display.
#include <QByteArray>
#include <QString>

class JobList;

class ConversionRun {
public:
    enum Mode { ConvertAll = 0, ConvertSelected = 1, ReConvertSelected = 2 };
    // The prompt's buttons, by their modal results.
    enum class PromptAnswer { AutoRename = 6, Overwrite = 7, Cancel = 2, StopConvert = 3 };

    class Display {
    public:
        virtual ~Display() = default;
        virtual void runStarted(int total) { Q_UNUSED(total); }
        virtual void showFile(const QString &source) { Q_UNUSED(source); }
        virtual void stepProgress() {}
        virtual PromptAnswer askTargetExists(const QString &target);
        virtual void processEvents() {}
        virtual bool cancelRequested() { return false; }
        virtual void runFinished() {}
        virtual int convert(const QString &source, QByteArray &textBuffer, int codePage, int textOrder, bool pageBreak);
    };

    ConversionRun(JobList &list, QByteArray &textBuffer, Display &display);

    // One run over the whole list with the command's mode. Errors of the activity log end
    // it at once (IoError); what was recorded before stays.
    void run(int mode);

    int successful() const { return Successful; }
    int failed() const { return Failed; }

    // The convert message of a negative conversion result.
    static QString messageFor(int result);
    // The first free name "base(N).ext" for an existing target.
    static QString numberedName(const QString &target);

private:
    enum class Outcome { Done, Stopped };
    Outcome convertEntry(int row, int mode, int codePage);
    void fail(int row, const QString &message, const QString &path);
    QString writeTarget(const QString &target, int length);

    JobList &list;
    QByteArray &textBuffer;
    Display &display;
    int Successful = 0;
    int Failed = 0;
};
