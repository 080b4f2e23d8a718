// What recognition read, made into text, on made-up lines: the noise rules keep every line
// of text and leave out what a picture gives, a page's own text layer is not given twice,
// and the three orders place the words as a text layer's would be.
#include "tsypdf/RecognisedText.h"

#include <QTest>

using namespace RecognisedText;

namespace {

// A line of words at a height, each word "text@confidence" placed from its left edge with
// glyphs ten pixels wide; words of a line stand one glyph apart unless a column is given.
Line line(int baseline, std::vector<std::pair<std::string, float>> words, int paragraph = 1, int left = 100,
          std::vector<int> columns = {})
{
    Line made;
    made.baseline = baseline;
    made.paragraph = paragraph;
    int x = left;
    for (size_t i = 0; i < words.size(); ++i) {
        if (i < columns.size())
            x = left + columns[i] * 10;
        Word word;
        word.text = words[i].first;
        word.confidence = words[i].second;
        word.box = {x, baseline - 20, x + characters(word.text) * 10, baseline};
        made.words.push_back(word);
        x = word.box.right + 10;
    }
    made.box = {left, baseline - 20, x, baseline};
    return made;
}

QStringList texts(const std::vector<Line> &lines)
{
    QStringList out;
    for (const Line &l : lines) {
        QStringList words;
        for (const Word &w : l.words)
            words << QString::fromStdString(w.text);
        out << words.join(u' ');
    }
    return out;
}

} // namespace

class TestRecognisedText : public QObject {
    Q_OBJECT

private slots:
    void noiseIsLeftOutAndTextIsNot()
    {
        std::vector<Line> lines = {
            line(100, {{"The", 96}, {"harbour", 91}, {"budget", 93}}),
            // Read with little confidence, but with a long word: a line of an odd listing.
            line(140, {{"x1", 30}, {"=", 25}, {"readDirectory(path);", 40}}),
            // A picture's lines: little confidence and no word surely read, or mostly marks.
            line(180, {{"Il", 30}, {"ji", 35}, {"ff", 20}}),
            line(220, {{"~'", 95}, {".,-", 95}, {"a;", 95}}),
            // Specks within a line go; a word of letters read with little confidence stays.
            line(260, {{"Minutes", 95}, {".", 5}, {"x", 10}, {"of", 12}, {"meeting", 92}}),
        };
        dropNoise(lines);
        QCOMPARE(texts(lines), (QStringList{"The harbour budget", "x1 = readDirectory(path);", "Minutes of meeting"}));
    }

    void aTextLayersWordsAreNotGivenTwice()
    {
        std::vector<Line> lines = {
            line(100, {{"2021/3/31", 95}}),                       // the layer's date, spaced otherwise
            line(140, {{"Quarterly", 95}, {"2021", 95}}),         // a new word beside a known one
            line(180, {{"ab", 95}, {"cd", 95}}),                  // nothing of a length surely read
        };
        keepWordsTheLayerLacks(lines, "2021 / 3 / 31\n");
        QCOMPARE(texts(lines), QStringList{"Quarterly"});
    }

    void readingAndRawOrders()
    {
        const std::vector<Line> lines = {line(100, {{"First", 95}, {"line", 95}}, 1), line(130, {{"goes", 95}, {"on.", 95}}, 1),
                                         line(200, {{"Second", 95}, {"paragraph.", 95}}, 2)};
        QCOMPARE(QString::fromStdString(inReadingOrder(lines)), QStringLiteral("First line\ngoes on.\n\nSecond paragraph.\n"));
        QCOMPARE(QString::fromStdString(inRawOrder(lines)), QStringLiteral("First line\ngoes on.\nSecond paragraph.\n"));
    }

    void layoutKeepsColumnsAndCellsInPlace()
    {
        // Two columns the engine found as separate blocks, their lines on shared baselines,
        // and a table whose cells start in one column from row to row, though the ink of their
        // first letters starts a little apart, on either side of a column's middle.
        std::vector<Line> lines = {
            line(100, {{"Left", 95}, {"column", 95}}, 1, 100),
            line(130, {{"more", 95}, {"text", 95}}, 1, 100),
            line(102, {{"Right", 95}, {"side", 95}}, 2, 400),
            line(131, {{"too", 95}}, 2, 400),
            line(170, {{"Name", 95}, {"Qty", 95}}, 3, 100, {0, 20}),
            line(200, {{"Apples", 95}, {"12", 95}}, 3, 100, {0, 20}),
            line(900, {{"Footer", 95}}, 4, 100), // far below: four blank lines at most
        };
        for (const auto &[row, by] : {std::pair{4, 5}, std::pair{5, 4}}) {
            lines[size_t(row)].words[1].box.left += by;
            lines[size_t(row)].words[1].box.right += by;
        }
        const QStringList rows = QString::fromStdString(inPhysicalLayout(lines)).split(u'\n');
        QCOMPARE(rows.value(0), QStringLiteral("Left column                   Right side"));
        QCOMPARE(rows.value(1), QStringLiteral("more text                     too"));
        QCOMPARE(rows.value(2), QString()); // a line's height between rows is a blank line
        QCOMPARE(rows.value(3), QStringLiteral("Name                 Qty"));
        QCOMPARE(rows.value(4), QStringLiteral("Apples               12"));
        QCOMPARE(rows.mid(5, MostLineEnds - 1), QStringList(MostLineEnds - 1, QString()));
        QCOMPARE(rows.value(MostLineEnds + 4), QStringLiteral("Footer"));
    }
};

QTEST_APPLESS_MAIN(TestRecognisedText)
#include "tst_recognised_text.moc"
