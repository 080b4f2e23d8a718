#pragma once
// Text from scanned pages, for tsypdf-worker: a page without a text layer (or with a few
// characters over a picture that fills it) is rendered by poppler at 300 dpi in grey (a page
// that is one scanned picture is read from that picture as it is), turned the right way up by
// Tesseract's orientation detection and recognised by Tesseract. Its words
// come out in the order asked for, as a text layer's would; those the engine is not sure of,
// and lines of stray marks (what a picture gives), are left out.
#include "base/WorkerProtocol.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class TextLayer;

class Recogniser {
public:
    Recogniser();
    ~Recogniser();

    // Languages as "+"-joined Tesseract codes; those whose data is missing are left out.
    void setLanguages(const std::string &languages);

    // Whether the page needs reading: its text layer (UTF-8) is empty and the page is not
    // blank, or the layer holds a few characters and something opaque, a picture, covers
    // most of the page. A page that names an image, as a scan does, is judged by read() on
    // the picture it reads: rendering a scan is much of the work of reading it.
    enum class Need { None, Reading, ReadingIfItShows };
    Need wanted(TextLayer &document, int page, const std::vector<char> &layerText) const;

    // Whether the page may need reading, judged by its text layer alone: when it may not,
    // the page itself need not be opened for wanted().
    bool mayWant(const std::vector<char> &layerText) const;

    // Sets the engines up for the languages, if they are not yet: the expensive part, done
    // once, before pages are read in processes of their own.
    void prepare();

    // Reads the page in the order. A page without a text layer takes what recognition reads;
    // one with a text layer keeps it, and gets below it the lines of recognised words that it
    // does not hold already. A page in a script none of the languages reads is not read:
    // returns that script, and the text stays. Stops reading a page after the page budget,
    // keeps what it has read by then and says it was cut short.
    struct Unread {
        WorkerProtocol::UnreadReason reason = WorkerProtocol::UnreadReason::NoLanguage;
        std::string script; // as the orientation step names it
    };
    std::optional<Unread> read(TextLayer &document, int page, WorkerProtocol::TextOrder order, std::vector<char> &text,
                               Need need = Need::Reading);

    void setPageBudget(int seconds) { budgetSeconds = seconds; }
    int pageBudget() const { return budgetSeconds; }

private:
    struct Engines;
    std::unique_ptr<Engines> engines;
    std::string languages;
    int budgetSeconds = WorkerProtocol::DefaultPageBudgetSeconds;
};
