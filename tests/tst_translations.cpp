// The program in the user's language: under a German locale the windows, Qt's standard
// buttons and the command line speak German, under the C locale the program's English texts
// show exactly, and in every language each control of a fixed size holds its whole caption.
// The first test runs once per locale (CTest sets LANG); the rest set their languages.
#include "conversion/ConversionRun.h"
#include "conversion/JobList.h"
#include "tests/support/SettingsCore.h"
#include "tests/support/LogLines.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/OpenedUrls.h"
#include "platform/CommandLine.h"
#include "platform/Translations.h"
#include "settings/RecognitionChoice.h"
#include "forms/UnOption.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QComboBox>
#include <QHeaderView>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QScopeGuard>
#include <QTemporaryDir>

namespace {

QString withoutMnemonic(QString text)
{
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(u'&');
    return text.replace(u'\x01', u'&');
}

// The access key of a caption: the character after a single "&", in lower case; none without.
QChar accessKey(const QString &caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&')
            continue;
        if (caption[i + 1] != u'&')
            return caption[i + 1].toLower();
        ++i; // "&&" is an ampersand
    }
    return {};
}

// The captions of one place the user meets at once that share an access key, and those
// whose key is not a character of an ordinary keyboard (Spanish "ñ").
QStringList keyProblems(const QString &place, const QStringList &captions)
{
    QStringList problems;
    QHash<QChar, QString> seen;
    for (const QString &caption : captions) {
        const QChar key = accessKey(caption);
        if (key.isNull())
            continue;
        if (key.unicode() > 0x7F)
            problems << QStringLiteral("%1: \"%2\" puts its key on %3").arg(place, caption, key);
        if (seen.contains(key))
            problems << QStringLiteral("%1: \"%2\" and \"%3\" share Alt+%4").arg(place, seen[key], caption, key);
        seen.insert(key, caption);
    }
    return problems;
}

// The captions of a window's controls that take an access key and are visible in it: buttons,
// check boxes, labels that name a control, group boxes and tabs.
QStringList controlCaptions(QWidget *window)
{
    QStringList captions;
    for (QAbstractButton *button : window->findChildren<QAbstractButton *>())
        if (button->isVisibleTo(window))
            captions << button->text();
    for (QLabel *label : window->findChildren<QLabel *>())
        if (label->isVisibleTo(window) && label->buddy())
            captions << label->text();
    for (QGroupBox *group : window->findChildren<QGroupBox *>())
        if (group->isVisibleTo(window))
            captions << group->title();
    for (QTabBar *tabs : window->findChildren<QTabBar *>())
        if (tabs->isVisibleTo(window))
            for (int i = 0; i < tabs->count(); ++i)
                captions << tabs->tabText(i);
    return captions;
}

QStringList menuCaptions()
{
    QStringList captions;
    for (QAction *menu : FmMain->menuBar()->actions())
        captions << menu->text();
    return captions;
}

QString buttonText(const char *name)
{
    return FmMain->findChild<QAbstractButton *>(QLatin1String(name))->text();
}

QString optionText(const char *name)
{
    return FmOption->findChild<QAbstractButton *>(QLatin1String(name))->text();
}

QString programOutput(const QString &program, const QStringList &arguments, const QString &language = {})
{
    QProcess process;
    if (!language.isEmpty()) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LANG"), language + QStringLiteral(".UTF-8"));
        environment.remove(QStringLiteral("LC_ALL"));
        environment.remove(QStringLiteral("LC_MESSAGES"));
        environment.remove(QStringLiteral("LANGUAGE"));
        process.setProcessEnvironment(environment);
    }
    process.start(QStringLiteral(ORDVANE_BIN_DIR) + program, arguments);
    if (!process.waitForFinished(60000))
        return QStringLiteral("(no end)");
    return QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
}

// The options of a --help text with the value each takes and its description, lines joined.
QHash<QString, QPair<QString, QString>> helpOptions(const QString &help)
{
    static const QRegularExpression entry(QStringLiteral("^\\s+(-\\S+(?:, -\\S+)*)(?: <([^>]+)>)?\\s{2,}(.*)$"));
    QHash<QString, QPair<QString, QString>> options;
    QString last;
    for (const QString &line : help.split(u'\n')) {
        const QRegularExpressionMatch match = entry.match(line);
        if (match.hasMatch()) {
            last = match.captured(1);
            options.insert(last, {match.captured(2), match.captured(3)});
        } else if (!last.isEmpty() && line.startsWith(QStringLiteral("    "))) {
            options[last].second += u' ' + line.trimmed();
        } else {
            last.clear();
        }
    }
    return options;
}

// The shape of a help page: for its opening and each section, how many paragraphs, list
// items, keys and file names it has. A translation says all the English page says.
QStringList helpPageShape(const QString &page)
{
    QFile file(QStringLiteral(ORDVANE_BIN_DIR "Ordvane.help/") + page);
    if (!file.open(QIODevice::ReadOnly))
        return {QStringLiteral("(missing)")};
    const QString text = QString::fromUtf8(file.readAll());
    QStringList shape;
    for (const QString &section : text.mid(text.indexOf(QStringLiteral("<h1>"))).split(QStringLiteral("<h2>")))
        shape << QStringLiteral("%1 p, %2 li, %3 kbd, %4 code")
                     .arg(section.count(QStringLiteral("<p>")))
                     .arg(section.count(QStringLiteral("<li>")))
                     .arg(section.count(QStringLiteral("<kbd>")))
                     .arg(section.count(QStringLiteral("<code>")));
    return shape;
}

QString sourceFile(const QString &path)
{
    QFile file(QStringLiteral(ORDVANE_SOURCE_DIR) + path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The translated texts of a language's .ts file, every plural form apart.
QStringList translatedTexts(const QString &language)
{
    static const QRegularExpression text(QStringLiteral("<(translation|numerusform)>([^<]+)</"));
    QStringList texts;
    for (auto match = text.globalMatch(sourceFile(QStringLiteral("translations/ordvane_%1.ts").arg(language))); match.hasNext();) {
        QString shown = match.next().captured(2);
        shown.replace(QStringLiteral("&apos;"), QStringLiteral("'")).replace(QStringLiteral("&quot;"), QStringLiteral("\""));
        shown.replace(QStringLiteral("&#x202f;"), QStringLiteral("\u202F")).replace(QStringLiteral("&#xa0;"), QStringLiteral("\u00A0"));
        texts << shown.replace(QStringLiteral("&lt;"), QStringLiteral("<")).replace(QStringLiteral("&gt;"), QStringLiteral(">")).replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    }
    return texts;
}

// The AppStream file's texts in one language.
QStringList appStreamTexts(const QString &language)
{
    QStringList texts;
    const QRegularExpression element(QStringLiteral("<(\\w+) xml:lang=\"%1\">(.*?)</\\1>").arg(language), QRegularExpression::DotMatchesEverythingOption);
    for (auto match = element.globalMatch(sourceFile(QStringLiteral("dist/ordvane.metainfo.xml.in"))); match.hasNext();)
        texts << match.next().captured(2);
    return texts;
}

// The words of a help page, without tags or code.
QString pageText(const QString &page)
{
    QString text = page;
    text.remove(QRegularExpression(QStringLiteral("<(code|kbd)>.*?</\\1>"))); // characters shown, not punctuation
    text.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    return text.replace(QStringLiteral("&nbsp;"), QStringLiteral("\u00A0")).replace(QStringLiteral("&#x202F;"), QStringLiteral("\u202F"));
}

// Where a control of a fixed size would cut its caption; empty when every one fits.
QStringList cutCaptions(QWidget *form)
{
    QStringList cut;
    const auto report = [&cut, form](const QWidget *control, const QString &text, int needed, int has) {
        if (needed > has)
            cut << QStringLiteral("%1/%2 \"%3\": needs %4, has %5")
                       .arg(form->objectName(), control->objectName(), text)
                       .arg(needed)
                       .arg(has);
    };
    for (QAbstractButton *button : form->findChildren<QAbstractButton *>()) {
        if (!button->isVisibleTo(form) || button->text().isEmpty())
            continue;
        const int text = button->fontMetrics().horizontalAdvance(withoutMnemonic(button->text()));
        report(button, button->text(), std::max(text, button->sizeHint().width()), button->width());
    }
    for (QLabel *label : form->findChildren<QLabel *>()) {
        if (!label->isVisibleTo(form) || label->wordWrap() || label->text().isEmpty() || label->inherits("ElidedLabel"))
            continue;
        report(label, label->text(), label->fontMetrics().horizontalAdvance(withoutMnemonic(label->text())),
               label->contentsRect().width());
    }
    for (QTabBar *tabs : form->findChildren<QTabBar *>())
        for (int i = 0; i < tabs->count(); ++i)
            report(tabs, tabs->tabText(i), tabs->fontMetrics().horizontalAdvance(withoutMnemonic(tabs->tabText(i))),
                   tabs->tabRect(i).width());
    for (QHeaderView *header : form->findChildren<QHeaderView *>()) {
        if (header->orientation() != Qt::Horizontal || !header->isVisibleTo(form))
            continue;
        QFont bold = header->font(); // as the header draws its captions
        bold.setBold(true);
        for (int section = 0; section < header->count(); ++section) {
            const QString caption = header->model()->headerData(section, Qt::Horizontal).toString();
            report(header, caption, QFontMetrics(bold).horizontalAdvance(caption), header->sectionSize(section));
        }
    }
    return cut;
}

} // namespace

class TestTranslations : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { Translations::install(QLocale::c()); }

    // Run under LANG=C.UTF-8 and LANG=de_DE.UTF-8.
    void windowsAndCommandLineSpeakTheLocalesLanguage()
    {
        Translations::install();
        const bool german = QLocale::system().language() == QLocale::German;
        QCOMPARE(Translations::language(), german ? QStringLiteral("de") : QString());
        MainWindowFixture ui;
        QFile(ui.dir.file(QStringLiteral("a.pdf"))).open(QIODevice::WriteOnly);
        QFile(ui.dir.file(QStringLiteral("b.pdf"))).open(QIODevice::WriteOnly);
        FmOption->show();
        if (german) {
            QCOMPARE(menuCaptions(), QStringList({"&Datei ", "&Bearbeiten ", "&Umwandeln ", "&Hilfe "}));
            QCOMPARE(ui.action(QStringLiteral("ActAddFile"))->text(), QStringLiteral("&Datei hinzufügen\tStrg+F"));
            QCOMPARE(buttonText("BtnAddFile"), QStringLiteral("D&atei hinzufügen"));
            QCOMPARE(buttonText("BtnOption"), QStringLiteral("&Optionen"));
            QCOMPARE(buttonText("BtnConvert"), QStringLiteral("Um&wandeln"));
            QCOMPARE(ui.statusCount(), QStringLiteral("0 Dateien"));
            FmMain->AddOneFile(ui.dir.file(QStringLiteral("a.pdf")));
            FmMain->ShowFileCount();
            QCOMPARE(ui.statusCount(), QStringLiteral("1 Datei"));
            QCOMPARE(FmOption->windowTitle(), QStringLiteral("Optionen"));
            QCOMPARE(FmOption->PageControl1->tabText(0), QStringLiteral("Allgemein"));
            QCOMPARE(optionText("BtnCancel"), QStringLiteral("Abbre&chen"));
            QCOMPARE(optionText("CBSameDir"), QStringLiteral("Zieldateien im Ordner der Quelldatei"));
            // Code pages by their German names; an entry counts in German and in English.
            QCOMPARE(FmOption->ComBSourceCode->itemText(1), QStringLiteral("1252   Latin 1: Westeuropäisch"));
            for (const QString &entry : {QStringLiteral("1252   Latin 1: Westeuropäisch"), QStringLiteral("1252   Latin 1: European Western")}) {
                qint32 codePage = 0;
                QVERIFY(TFmOption::ParseCodePage(entry, codePage));
                QCOMPARE(codePage, 1252);
            }
            // Qt's own standard buttons match.
            QMessageBox box(QMessageBox::Critical, QString(), QString(), QMessageBox::Retry | QMessageBox::Cancel);
            QCOMPARE(withoutMnemonic(box.button(QMessageBox::Cancel)->text()), QStringLiteral("Abbrechen"));
            QCOMPARE(withoutMnemonic(box.button(QMessageBox::Retry)->text()), QStringLiteral("Wiederholen"));
        } else {
            QCOMPARE(menuCaptions(), QStringList({"&File ", "&Edit ", "Con&vert ", "&Help "}));
            QCOMPARE(ui.action(QStringLiteral("ActAddFile"))->text(), QStringLiteral("Add &File\tCTRL+F"));
            QCOMPARE(ui.action(QStringLiteral("ActAddDir"))->statusTip(), QStringLiteral("Add file(s) by selecting director(ies)"));
            QCOMPARE(buttonText("BtnAddFile"), QStringLiteral("&Add File"));
            QCOMPARE(buttonText("BtnOption"), QStringLiteral("&Options"));
            QCOMPARE(buttonText("BtnConvert"), QStringLiteral("&Convert"));
            QCOMPARE(ui.statusCount(), QStringLiteral("0 File(s)"));
            FmMain->AddOneFile(ui.dir.file(QStringLiteral("a.pdf")));
            FmMain->ShowFileCount();
            QCOMPARE(ui.statusCount(), QStringLiteral("1 File(s)"));
            QCOMPARE(FmOption->windowTitle(), QStringLiteral("Options"));
            QCOMPARE(FmOption->PageControl1->tabText(0), QStringLiteral("General"));
            QCOMPARE(optionText("BtnCancel"), QStringLiteral("&Cancel"));
            QCOMPARE(optionText("CBSameDir"), QStringLiteral("Target file directory same as source file"));
        }
        FmMain->AddOneFile(ui.dir.file(QStringLiteral("b.pdf")));
        FmMain->ShowFileCount();
        QCOMPARE(ui.statusCount(), german ? QStringLiteral("2 Dateien") : QStringLiteral("2 File(s)"));
        FmOption->reject();

        // The help opens at the start page in the program's language.
        OpenedUrls opened;
        ui.action(QStringLiteral("ActContents"))->trigger();
        QCOMPARE(opened.urls.size(), 1);
        QCOMPARE(opened.urls[0].fileName(), german ? QStringLiteral("index.de.html") : QStringLiteral("index.html"));

        // The command line, printed without a window.
        const QString help = programOutput(QStringLiteral("ordvane"), {QStringLiteral("--help")});
        QVERIFY2(help.contains(german ? QStringLiteral("PDF-Dateien oder ein zu durchsuchender Ordner.")
                                      : QStringLiteral("PDF files, or one folder to search.")),
                 qPrintable(help));
        const QString batchHelp = programOutput(QStringLiteral("ordvane-batch"), {QStringLiteral("--help")});
        QVERIFY2(batchHelp.contains(german ? QStringLiteral("Jede Textdatei neben ihre PDF-Datei schreiben.")
                                           : QStringLiteral("Write each text file beside its PDF.")),
                 qPrintable(batchHelp));
        const QString refused = programOutput(QStringLiteral("ordvane-batch"), {QStringLiteral("--jobs=0"), QStringLiteral("x.pdf")});
        QVERIFY2(refused.contains(german ? QStringLiteral("--jobs erwartet eine Zahl von 1 bis 1024, nicht „0“")
                                         : QStringLiteral("--jobs takes a number from 1 to 1024, not \"0\"")),
                 qPrintable(refused));
    }

    // Recognition reads the program's language too, where its data is installed.
    // A German session writes English lines into the log and English messages into the job
    // list, and shows the messages in German: a list converted under one language reads right
    // under another.
    void logAndJobListKeepEnglishUnderAnotherLanguage()
    {
        TestProgramDirectory dir(TestProgramDirectory::WithoutConverter);
        Translations::install(QLocale(QStringLiteral("de")));
        dir.write(QStringLiteral("a.pdf"), "%PDF-1.4");
        SettingsCore core;
        JobList list(core.setup());
        list.AddOneFile(dir.file(QStringLiteral("a.pdf")));
        ConversionRun::Display display;
        const auto convert = [&] {
            list.setState(0, JobList::Waiting);
            core.run(list, display, ConversionRun::ConvertAll);
            return logTexts(dir.file(QStringLiteral("ordvnact.log"))).filter(QStringLiteral("Failed: ")).value(0);
        };

        QCOMPARE(convert(), QStringLiteral("Failed: Load file filter dll error (%1)").arg(dir.file(QStringLiteral("a.pdf"))));
        QCOMPARE(list.text(0, JobList::Message), QStringLiteral("Load file filter dll error"));
        const QString german = list.entry(0).outcome.shownText();
        QVERIFY2(!german.isEmpty() && german != list.text(0, JobList::Message), qPrintable(german));
        QCOMPARE(JobListModel(list).index(0, JobListModel::ColumnMessage).data(Qt::DisplayRole).toString(), german);

        // A problem of the settings, with its figures: English in the log and the list, German shown.
        QFile::remove(dir.file(QStringLiteral("ordvnact.log")));
        core.options.codePage = 12345;
        QCOMPARE(convert(), QStringLiteral("Failed: Code page 12345 is not supported on this system (%1)").arg(dir.file(QStringLiteral("a.pdf"))));
        QCOMPARE(list.text(0, JobList::Message), QStringLiteral("Code page 12345 is not supported on this system"));
        QVERIFY2(list.entry(0).outcome.shownText().contains(QStringLiteral("12345")) && list.entry(0).outcome.shownText() != list.text(0, JobList::Message),
                 qPrintable(list.entry(0).outcome.shownText()));

        // Read back under English, the message is the English text.
        Translations::install(QLocale::c());
        setStoredText(list, 0, JobList::Message, QStringLiteral("Load file filter dll error"));
        QCOMPARE(list.entry(0).outcome.shownText(), QStringLiteral("Load file filter dll error"));
    }

    void recognitionFollowsTheProgramsLanguage()
    {
        QTemporaryDir data;
        for (const char *name : {"eng", "osd", "deu", "fra"})
            QFile(data.filePath(QLatin1String(name) + QStringLiteral(".traineddata"))).open(QIODevice::WriteOnly);
        qputenv("TESSDATA_PREFIX", data.path().toLocal8Bit());
        const auto cleanup = qScopeGuard([] { qunsetenv("TESSDATA_PREFIX"); });
        const QList<std::pair<const char *, QString>> expected = {
            {"de", QStringLiteral("eng+deu")}, {"fr", QStringLiteral("eng+fra")}, {"es", QStringLiteral("eng")},
            {"ja", QStringLiteral("eng")}, {"C", QStringLiteral("eng")}};
        for (const auto &[language, languages] : expected) {
            Translations::install(QLocale(QLatin1String(language)));
            QCOMPARE(DefaultRecognitionLanguages(), languages);
        }
    }

    void accessKeysAreUniqueWhereTheUserMeetsThem_data() { everyFixedSizeControlHoldsItsCaptionInEveryLanguage_data(); }

    // Each window as the user meets it: the main window's menu bar with its buttons; each
    // menu and context menu by itself; each dialog, a page of Options at a time, by itself.
    void accessKeysAreUniqueWhereTheUserMeetsThem()
    {
        QFETCH(QString, language);
        Translations::install(QLocale(language));
        MainWindowFixture ui;
        QStringList problems = keyProblems(QStringLiteral("main window"), menuCaptions() + controlCaptions(FmMain));
        for (QMenu *menu : FmMain->findChildren<QMenu *>()) {
            QStringList items;
            for (QAction *action : menu->actions())
                if (!action->isSeparator() && action->isVisible())
                    items << action->text();
            problems += keyProblems(menu->objectName().isEmpty() ? QStringLiteral("menu ") + menu->title() : menu->objectName(), items);
        }
        for (QDialog *form : FmMain->findChildren<QDialog *>(Qt::FindDirectChildrenOnly)) {
            form->show();
            QApplication::processEvents();
            const int pages = form == FmOption ? FmOption->PageControl1->count() : 1;
            for (int page = 0; page < pages; ++page) {
                if (form == FmOption)
                    FmOption->PageControl1->setCurrentIndex(page);
                problems += keyProblems(form->objectName() + (pages > 1 ? QStringLiteral(" page %1").arg(page + 1) : QString()),
                                        controlCaptions(form));
            }
            form->hide();
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
    }

    // A help text that speaks of its option's value calls it by the option's value name in
    // every language ("--files-from <FILE>: read paths from FILE").
    void helpTextsNameTheValuesOfTheirOptions()
    {
        const auto english = helpOptions(programOutput(QStringLiteral("ordvane-batch"), {QStringLiteral("--help")}, QStringLiteral("C")));
        QVERIFY(english.size() > 10);
        QStringList problems;
        for (const char *language : {"de_DE", "fr_FR", "es_ES", "ja_JP"}) {
            const auto translated = helpOptions(programOutput(QStringLiteral("ordvane-batch"), {QStringLiteral("--help")}, QLatin1String(language)));
            QCOMPARE(translated.size(), english.size());
            for (auto it = english.begin(); it != english.end(); ++it) {
                const QString value = it->first;
                const QRegularExpression named(QStringLiteral("\\b%1\\b").arg(QRegularExpression::escape(value)));
                if (!value.isEmpty() && it->second.contains(named) && !translated.value(it.key()).second.contains(named))
                    problems << QStringLiteral("%1 %2 <%3>: %4").arg(QLatin1String(language), it.key(), value, translated.value(it.key()).second);
            }
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
    }

    // Each translated help start page has the English page's sections, each with as many
    // paragraphs, points, keys and file names; the Japanese page breaks lines only between
    // sentences, as browsers show a break inside one as a stray space.
    void helpPagesSayWhatTheEnglishPageSays()
    {
        const QStringList english = helpPageShape(QStringLiteral("index.html")), options = helpPageShape(QStringLiteral("Options.htm"));
        QCOMPARE(english.size(), 7);
        QCOMPARE(options.size(), 3);
        const QString appStream = sourceFile(QStringLiteral("dist/ordvane.metainfo.xml.in"));
        const auto elements = [&](const QString &language) {
            const QString attribute = language.isEmpty() ? QString() : QStringLiteral(" xml:lang=\"%1\"").arg(language);
            return QStringLiteral("%1 p, %2 li").arg(appStream.count(QStringLiteral("<p%1>").arg(attribute))).arg(appStream.count(QStringLiteral("<li%1>").arg(attribute)));
        };
        for (const char *language : {"de", "fr", "es", "ja"}) {
            QCOMPARE(helpPageShape(QStringLiteral("index.%1.html").arg(QLatin1String(language))), english);
            QCOMPARE(helpPageShape(QStringLiteral("Options.%1.htm").arg(QLatin1String(language))), options);
            QCOMPARE(elements(QLatin1String(language)), elements({}));
        }
        QFile japanese(QStringLiteral(ORDVANE_BIN_DIR "Ordvane.help/index.ja.html"));
        QVERIFY(japanese.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(japanese.readAll());
        static const QRegularExpression element(QStringLiteral("<(p|li)>(.*?)</\\1>"), QRegularExpression::DotMatchesEverythingOption);
        for (auto match = element.globalMatch(text); match.hasNext();) {
            const QString inner = match.next().captured(2);
            for (qsizetype at = inner.indexOf(u'\n'); at >= 0; at = inner.indexOf(u'\n', at + 1))
                QVERIFY2(at > 0 && inner[at - 1] == QChar(0x3002), qPrintable(inner)); // after "。" only
        }
    }

    // Each language's typography, in its translations, its help pages and the AppStream file:
    // French puts a narrow no-break space before : ; ! ? and inside « »; German, French and
    // Spanish write an ellipsis as one character; Japanese quotes with 「」 and counts with
    // a counter.
    void typographyOfEachLanguage()
    {
        QStringList problems;
        for (const QString &language : {QStringLiteral("de"), QStringLiteral("fr"), QStringLiteral("es"), QStringLiteral("ja")}) {
            const QStringList texts = translatedTexts(language);
            QVERIFY(texts.size() > 250);
            QStringList prose = texts + appStreamTexts(language);
            for (const QString &page : {QStringLiteral("ui/help/index.%1.html"), QStringLiteral("ui/help/Options.%1.htm")})
                prose << pageText(sourceFile(page.arg(language)));
            static const QRegularExpression frenchSpace(QStringLiteral("[^\u202F](?=[:;!?»])|«[^\u202F]"));
            static const QRegularExpression japaneseCount(QStringLiteral("%n(?! (個|ページ))"));
            for (const QString &text : std::as_const(prose)) {
                if (language == QLatin1String("fr")) {
                    // A colon in a URL, a time or an option's value is not French punctuation.
                    QString words = text;
                    words.remove(QRegularExpression(QStringLiteral("\\w+://|\\d:\\d|%\\d:%\\d|[-\\w]:[^\\s\\x{202F}]|\\?\\)|&[a-z]+;")));
                    if (const QRegularExpressionMatch found = frenchSpace.match(words); found.hasMatch())
                        problems << language + QStringLiteral(": ") + words.mid(found.capturedStart() - 40, 60).simplified();
                }
                if (language == QLatin1String("ja") && (text.contains(u'\'') || text.contains(u'"') || text.contains(japaneseCount)))
                    problems << language + QStringLiteral(": ") + text.left(120);
            }
            for (const QString &text : texts)
                if (language != QLatin1String("ja") && text.contains(QStringLiteral("...")))
                    problems << language + QStringLiteral(": ") + text.left(120);
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
    }

    // Every text with a count reads right for one and for two, in every language and in
    // English, where the design's own "File(s)" texts keep their words.
    void countsReadRightForOneAndTwo()
    {
        static const QRegularExpression numerus(QStringLiteral("<name>([^<]+)</name>|<message numerus=\"yes\">\\s*<source>([^<]+)</source>"));
        QList<QPair<QByteArray, QByteArray>> counted;
        QByteArray context;
        for (auto match = numerus.globalMatch(sourceFile(QStringLiteral("translations/ordvane_en.ts"))); match.hasNext();) {
            const QRegularExpressionMatch found = match.next();
            if (!found.captured(1).isEmpty())
                context = found.captured(1).toUtf8();
            else
                counted << qMakePair(context, found.captured(2).replace(QStringLiteral("&apos;"), QStringLiteral("'")).toUtf8());
        }
        QVERIFY(counted.size() >= 15);
        const QStringList designTexts{QStringLiteral("%n File(s)"), QStringLiteral("Select %n file(s)."), QStringLiteral("Done Scanning, add %n file(s).")};
        QStringList problems;
        for (const char *language : {"C", "de", "fr", "es", "ja"}) {
            Translations::install(QLocale(QLatin1String(language)));
            for (const auto &[context, source] : std::as_const(counted)) {
                const QString one = QCoreApplication::translate(context.constData(), source.constData(), nullptr, 1);
                const QString two = QCoreApplication::translate(context.constData(), source.constData(), nullptr, 2);
                const bool translated = one != QString::fromUtf8(source) && two != QString::fromUtf8(source);
                if (designTexts.contains(QString::fromUtf8(source)) && qstrcmp(language, "C") == 0)
                    continue;
                if (!translated || one.contains(QStringLiteral("(s)")) || one.contains(QStringLiteral("(n)")) || two.contains(QStringLiteral("(s)"))
                    || (source.contains("%n") && (!one.contains(u'1') || !two.contains(u'2'))))
                    problems << QStringLiteral("%1: %2 | %3").arg(QLatin1String(language), one, two);
            }
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
        Translations::install(QLocale::c());
        QCOMPARE(ConversionRun::countsText(1, 0, 2, 0), QStringLiteral("1 converted, 2 failed"));
    }

    // --help and --help-all of both programs speak the language in full, and no line is wider
    // than a terminal's 80 columns, a wide character taking two.
    void commandLineHelpInEveryLanguage()
    {
        QStringList problems;
        for (const QString &program : {QStringLiteral("ordvane"), QStringLiteral("ordvane-batch")}) {
            const QString english = programOutput(program, {QStringLiteral("--help-all")}, QStringLiteral("C"));
            const auto englishOptions = helpOptions(english);
            QVERIFY(englishOptions.contains(QStringLiteral("-h, --help")) && englishOptions.contains(QStringLiteral("--help-all")));
            for (const char *language : {"C", "de_DE", "fr_FR", "es_ES", "ja_JP"}) {
                for (const QString &option : {QStringLiteral("--help"), QStringLiteral("--help-all")}) {
                    const QString help = programOutput(program, {option}, QLatin1String(language));
                    for (const QString &line : help.split(u'\n'))
                        if (CommandLine::displayWidth(line) > 80)
                            problems << QStringLiteral("%1 %2: too wide: %3").arg(program, QLatin1String(language), line);
                    if (qstrcmp(language, "C") == 0)
                        continue;
                    const auto translated = helpOptions(help);
                    for (auto it = englishOptions.begin(); it != englishOptions.end(); ++it)
                        if (option == QLatin1String("--help-all") && translated.value(it.key()).second == it->second)
                            problems << QStringLiteral("%1 %2: English: %3").arg(program, QLatin1String(language), it->second);
                    for (const char *heading : {"Usage:", "Options:", "Arguments:"})
                        if (help.contains(QLatin1String(heading)))
                            problems << QStringLiteral("%1 %2: English: %3").arg(program, QLatin1String(language), QLatin1String(heading));
                }
            }
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
    }

    void everyFixedSizeControlHoldsItsCaptionInEveryLanguage_data()
    {
        QTest::addColumn<QString>("language");
        for (const char *language : {"C", "de", "fr", "es", "ja"})
            QTest::newRow(language) << QString::fromLatin1(language);
    }

    void everyFixedSizeControlHoldsItsCaptionInEveryLanguage()
    {
        QFETCH(QString, language);
        Translations::install(QLocale(language));
        QCOMPARE(Translations::language(), language == QLatin1String("C") ? QString() : language);
        MainWindowFixture ui;
        QStringList cut = cutCaptions(FmMain);
        // No button of the bar covers another.
        QList<QAbstractButton *> bar;
        for (const char *name : {"BtnAddFile", "BtnAddDir", "BtnOption", "BtnLog", "BtnConvert"})
            bar << ui.control<QAbstractButton>(QLatin1String(name));
        FmMain->resize(FmMain->minimumWidth(), FmMain->height());
        QApplication::processEvents();
        for (qsizetype i = 1; i < bar.size(); ++i)
            QVERIFY2(bar[i - 1]->geometry().right() < bar[i]->x(), qPrintable(bar[i]->objectName()));
        for (QDialog *form : FmMain->findChildren<QDialog *>(Qt::FindDirectChildrenOnly)) {
            form->show();
            QApplication::processEvents();
            if (form == FmOption) {
                for (int page = 0; page < FmOption->PageControl1->count(); ++page) {
                    FmOption->PageControl1->setCurrentIndex(page);
                    cut += cutCaptions(form);
                }
            } else {
                cut += cutCaptions(form);
            }
            form->hide();
        }
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(u'\n')));
    }
};

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
