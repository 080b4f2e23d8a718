#pragma once
// The conversion run: walks the job list once and, for every entry the command selects,
// works out the target, applies the policy for an existing target, converts, writes the
// text file and records the outcome in the entry and the activity log. The window supplies
// the progress display and the prompt through Display.
//
// The entries are handled one after the other, in list order, as the user sees them; the
// conversions themselves run ahead on other threads, one per processor, so a run uses every
// core. A conversion depends on its source and the text options alone, which stay as they
// are during a run; a file whose entry turns out not to be wanted when its turn comes (its
// selection changed meanwhile, or the run was stopped) is simply not written.
#include <QByteArray>
#include <QString>
#include <deque>
#include <functional>
#include <future>

class JobList;

class ConversionRun {
public:
    enum Mode { ConvertAll = 0, ConvertSelected = 1, ReConvertSelected = 2 };
    // The prompt's buttons, by their modal results.
    enum class PromptAnswer { AutoRename = 6, Overwrite = 7, Cancel = 2, StopConvert = 3 };

    // A converted file: the result code, and the target's bytes when it is 0 or more.
    struct Conversion {
        int result = 0;
        QByteArray bytes;
    };
    // Converts one file; called on worker threads, several at once.
    using Converter = std::function<int(const QString &source, QByteArray &bytes, int codePage, int textOrder, bool pageBreak)>;

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
        // Returns once the conversion is done; the window lets its events through meanwhile.
        virtual void waitFor(const std::future<Conversion> &conversion) { conversion.wait(); }
    };

    // parallel: how many files are converted at once; 0 for one per processor.
    ConversionRun(JobList &list, Display &display, int parallel = 0, Converter converter = {});
    ~ConversionRun();

    // One run over the whole list with the command's mode. Errors of the activity log end
    // it at once (IoError); what was recorded before stays.
    void run(int mode);

    int successful() const { return Successful; }
    int failed() const { return Failed; }
    // Files converted successfully whose text holds nothing but blanks and page breaks.
    int withoutText() const { return WithoutText; }

    // The convert message of a negative conversion result.
    static QString messageFor(int result);
    // The first free name "base(N).ext" for an existing target.
    static QString numberedName(const QString &target);

private:
    enum class Outcome { Done, Stopped };
    struct Pending {
        int row;
        QString source;
        std::future<Conversion> conversion;
    };

    Outcome convertEntry(int row);
    bool wanted(int row) const;
    bool convertible(int row) const;
    std::future<Conversion> startConversion(const QString &source) const;
    void convertAhead(int row, int room);
    Conversion conversionOf(int row, const QString &source);
    void fail(int row, const QString &message, const QString &path);
    QString writeTarget(const QString &target, QByteArrayView bytes);

    JobList &list;
    Display &display;
    const int parallel;
    const Converter converter;
    int mode = ConvertAll;
    int codePage = 0;
    int textOrder = 0;
    bool pageBreak = false;
    std::deque<Pending> ahead; // started conversions, in row order
    int nextToStart = 0;       // the first row not yet looked at for converting ahead
    int Successful = 0;
    int Failed = 0;
    int WithoutText = 0;
};
