// The converter as the engine's threads call it, scripted by a test. Every call first passes
// its gate ("pages:" or "text:" and the source), held there while the test keeps the gate
// closed, and is written down; then it reads the real library, or waits its delay unless it is
// abandoned first, or runs the test's reading, or delivers "text of <source>" and reports its
// pages when their count is known.
#pragma once

#include "conversion/ConversionEngine.h"

#include <QList>
#include <QPair>
#include <QStringList>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <set>

struct ScriptedConverter : ConversionEngine::Converter {
    using Reading = std::function<int(const QString &source, MyPdfCvt::PageRange pages, const MyPdfCvt::TextReceiver &,
                                      const MyPdfCvt::ProgressReceiver &)>;

    // The script, set before the engine starts.
    bool library = false;             // the real converter library does the work
    std::map<QString, int> pagesOf;   // page counts; other files tell none ...
    int pages = -1;                   // ... or this one
    std::function<int(const QString &)> delayOf; // milliseconds before the text is delivered
    Reading reading;

    // What happened, under the mutex while the engine runs.
    std::mutex mutex;
    std::condition_variable changed;
    QStringList started, abandonedSources;
    QList<QPair<int, int>> ranges; // first page and count, of each call for text
    int running = 0, most = 0;
    int reported = 0; // calls for text that have returned

    void close(const QString &gate)
    {
        std::lock_guard lock(mutex);
        closed.insert(gate);
    }
    void open(const QString &gate)
    {
        std::lock_guard lock(mutex);
        closed.erase(gate);
        changed.notify_all();
    }
    void openAll()
    {
        std::lock_guard lock(mutex);
        closed.clear();
        changed.notify_all();
    }
    bool waitUntil(const std::function<bool()> &condition)
    {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(60), condition);
    }
    bool waitUntilHeld(const QString &gate, size_t calls)
    {
        return waitUntil([&] { return held.count(gate) == calls; });
    }
    // Held while the gate is closed; a reading may pass gates of its own.
    void pass(const QString &gate)
    {
        std::unique_lock lock(mutex);
        const auto at = held.insert(gate);
        changed.notify_all();
        changed.wait(lock, [&] { return closed.count(gate) == 0; });
        held.erase(at);
    }

    int pageCount(const QString &source, quint64 tag) override
    {
        pass(QStringLiteral("pages:") + source);
        if (library)
            return ConversionEngine::library().pageCount(source, tag);
        const auto it = pagesOf.find(source);
        return it == pagesOf.end() ? pages : it->second;
    }

    int extract(const QString &source, const ConversionEngine::Options &options, quint64 tag, MyPdfCvt::PageRange range,
                const MyPdfCvt::TextReceiver &text, const MyPdfCvt::ProgressReceiver &progress) override
    {
        pass(QStringLiteral("text:") + source);
        int result = 0;
        {
            std::unique_lock lock(mutex);
            started << source;
            ranges << qMakePair(range.first, range.count);
            sourceOf[tag] = source;
            if (abandonedTags.count(tag) > 0) // abandoned before it began
                abandonedSources << source;
            most = std::max(most, ++running);
            if (delayOf && changed.wait_for(lock, std::chrono::milliseconds(delayOf(source)),
                                            [&] { return abandonedTags.count(tag) > 0; }))
                result = MyPdfCvt::ResultFormatError;
        }
        if (result == 0) {
            if (library)
                result = ConversionEngine::library().extract(source, options, tag, range, text, progress);
            else if (reading)
                result = reading(source, range, text, progress);
            else
                result = deliver(source, range, text, progress);
        }
        std::lock_guard lock(mutex);
        --running;
        ++reported;
        changed.notify_all();
        return result;
    }

    void abandon(quint64 tag) override
    {
        if (library)
            ConversionEngine::library().abandon(tag);
        std::lock_guard lock(mutex);
        abandonedTags.insert(tag);
        if (const auto it = sourceOf.find(tag); it != sourceOf.end())
            abandonedSources << it->second;
        changed.notify_all();
    }

private:
    int deliver(const QString &source, MyPdfCvt::PageRange range, const MyPdfCvt::TextReceiver &text,
                const MyPdfCvt::ProgressReceiver &progress)
    {
        if (const auto it = pagesOf.find(source); it != pagesOf.end()) {
            const int count = range.count > 0 ? range.count : it->second - range.first;
            progress(MyPdfCvt::PageProgress::of(count, count, 0, 0));
        }
        text(("text of " + source).toUtf8());
        return 0;
    }

    std::set<QString> closed;
    std::multiset<QString> held;
    std::set<quint64> abandonedTags;
    std::map<quint64, QString> sourceOf;
};

// Opens every gate when a test ends, so that a failed check leaves no call held for the
// engine to wait for.
struct OpenAtEnd {
    ScriptedConverter &converter;
    ~OpenAtEnd() { converter.openAll(); }
};
