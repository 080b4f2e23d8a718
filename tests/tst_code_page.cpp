// Output encodings with known bytes, the code-page converter and the path codec.
#include "base/PathCodec.h"
#include "conversion/MyPdfCvt.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"

#include <QRandomGenerator>
#include <QTest>
#include <clocale>
#include <iconv.h>

class TestCodePage : public QObject {
    Q_OBJECT

    static QByteArray encoded(const QByteArray &utf8, int codePage)
    {
        QByteArray buffer;
        const int length = MyPdfCvt::EncodeText(utf8, codePage, buffer);
        return buffer.left(length);
    }

private slots:
    void initTestCase()
    {
        std::setlocale(LC_ALL, "");
        QVERIFY(CodePage::systemIsUtf8()); // the tests run in C.UTF-8
    }

    void everyOutputCodePage_data()
    {
        QTest::addColumn<int>("codePage");
        QTest::addColumn<QByteArray>("utf8");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("65001") << 65001 << QByteArray("abc") << QByteArray("\xEF\xBB\xBF" "abc");
        QTest::newRow("1200") << 1200 << QByteArray("abc") << QByteArray("\xFF\xFE" "a\0b\0c\0", 8);
        QTest::newRow("1200 beyond BMP") << 1200 << QByteArray("\xF0\x9F\x98\x80") << QByteArray("\xFF\xFE\x3D\xD8\x00\xDE", 6);
        QTest::newRow("0 UTF-8 locale") << 0 << QByteArray("a\xC3\xA9") << QByteArray("a\xC3\xA9");
        QTest::newRow("1252 abc") << 1252 << QByteArray("abc") << QByteArray("abc");
        QTest::newRow("1252 e acute") << 1252 << QByteArray("\xC3\xA9") << QByteArray("\xE9");
        QTest::newRow("1252 euro") << 1252 << QByteArray("\xE2\x82\xAC") << QByteArray("\x80");
        QTest::newRow("1252 unmappable") << 1252 << QByteArray("a\xE6\x97\xA5z") << QByteArray("a?z");
        QTest::newRow("1250") << 1250 << QByteArray("\xC5\x82") << QByteArray("\xB3");           // ł
        QTest::newRow("1256") << 1256 << QByteArray("\xD8\xB9") << QByteArray("\xDA");           // ع
        QTest::newRow("1257") << 1257 << QByteArray("\xC4\x85") << QByteArray("\xE0");           // ą
        QTest::newRow("1251") << 1251 << QByteArray("\xD0\x96") << QByteArray("\xC6");           // Ж
        QTest::newRow("1253") << 1253 << QByteArray("\xCE\xA9") << QByteArray("\xD9");           // Ω
        QTest::newRow("1255") << 1255 << QByteArray("\xD7\x90") << QByteArray("\xE0");           // א
        QTest::newRow("1254") << 1254 << QByteArray("\xC4\x9F") << QByteArray("\xF0");           // ğ
        QTest::newRow("874") << 874 << QByteArray("\xE0\xB8\x81") << QByteArray("\xA1");         // ก
        QTest::newRow("874 euro") << 874 << QByteArray("\xE2\x82\xAC") << QByteArray("\x80");
        QTest::newRow("932") << 932 << QByteArray("\xE6\x97\xA5\xE6\x9C\xAC") << QByteArray("\x93\xFA\x96\x7B"); // 日本
        QTest::newRow("936") << 936 << QByteArray("\xE4\xB8\xAD\xE6\x96\x87") << QByteArray("\xD6\xD0\xCE\xC4"); // 中文
        QTest::newRow("950") << 950 << QByteArray("\xE4\xB8\xAD\xE6\x96\x87") << QByteArray("\xA4\xA4\xA4\xE5"); // 中文
        QTest::newRow("949") << 949 << QByteArray("\xED\x95\x9C") << QByteArray("\xC7\xD1");     // 한
        QTest::newRow("1361") << 1361 << QByteArray("\xED\x95\x9C") << QByteArray("\xD0\x65");   // 한 in Johab
        QTest::newRow("no such code page") << 12345 << QByteArray("abc") << QByteArray();
        QTest::newRow("negative code page") << -1252 << QByteArray("abc") << QByteArray();
    }

    void everyOutputCodePage()
    {
        QFETCH(int, codePage);
        QFETCH(QByteArray, utf8);
        QFETCH(QByteArray, bytes);
        QCOMPARE(encoded(utf8, codePage), bytes);
        QCOMPARE(CodePage::hasConverter(codePage), !bytes.isEmpty()); // the pages that write nothing have none
    }

    void malformedUtf8()
    {
        const QByteArray malformed("ab\xC3(cd");
        QCOMPARE(encoded(malformed, 0), QByteArray()); // the system code page takes none of it
        QCOMPARE(encoded(malformed, 1252), QByteArray("ab?(cd"));
        QCOMPARE(encoded(malformed, 65001), QByteArray("\xEF\xBB\xBF") + malformed); // passed on as it is
    }

    void emptyTextLeavesTheBufferAlone()
    {
        QByteArray buffer("kept");
        QCOMPARE(MyPdfCvt::EncodeText(QByteArray(), 65001, buffer), 0);
        QCOMPARE(buffer, QByteArray("kept"));
    }

    void eightBitTextToUnicode()
    {
        QCOMPARE(CodePage::toUnicode("\xE9", 1252), QString::fromUtf8("\xC3\xA9"));
        QCOMPARE(CodePage::toUnicode("\x93\xFA\x96\x7B", 932), QString::fromUtf8("\xE6\x97\xA5\xE6\x9C\xAC"));
        QCOMPARE(CodePage::toUnicode("a\x81", 932), QStringLiteral("a") + QChar(0xFFFD)); // cut-off lead byte
        bool ok = true;
        QCOMPARE(CodePage::toUnicode("abc", 99999, &ok), QString());
        QVERIFY(!ok);
        // Every page of the Options list round-trips its own text.
        const QString sample = QString::fromUtf8("\xED\x95\x9C\xEA\xB8\x80 abc");
        for (int cp : {949, 1361})
            QCOMPARE(CodePage::toUnicode(CodePage::fromUnicode(sample, cp), cp), sample);
    }

    // One-byte pages go through a table read off iconv; it must agree with iconv everywhere.
    void singleBytePagesAgreeWithIconv()
    {
        const QList<QPair<int, QByteArray>> pages = {
            {874, "CP874"},   {1250, "CP1250"}, {1251, "CP1251"}, {1252, "CP1252"},         {1253, "CP1253"},
            {1254, "CP1254"}, {1255, "CP1255"}, {1256, "CP1256"}, {1257, "CP1257"},         {28591, "ISO-8859-1"},
            {28592, "ISO-8859-2"}, {28605, "ISO-8859-15"}, {20866, "KOI8-R"}};
        for (const auto &[cp, charset] : pages) {
            iconv_t cd = iconv_open(charset.constData(), "UTF-16LE");
            QVERIFY(cd != iconv_t(-1));
            QString all;
            QByteArray expected;
            for (char32_t u = 1; u < 0x10000; ++u) {
                if (u >= 0xD800 && u <= 0xDFFF)
                    continue;
                all += QChar(char16_t(u));
                char16_t in = char16_t(u);
                char out[8];
                char *inPtr = reinterpret_cast<char *>(&in), *outPtr = out;
                size_t inLeft = 2, outLeft = sizeof out;
                const bool mapped = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != size_t(-1);
                expected += mapped ? QByteArray(out, outPtr - out) : QByteArray("?");
            }
            iconv_close(cd);
            QCOMPARE(CodePage::fromUnicode(all, cp), expected);
        }
    }

    void localeCharsets()
    {
        QCOMPARE(CodePage::localeAnsiCodePage(), 0);
        QCOMPARE(CodePage::windowsNumberOfCharset("ISO-8859-1"), 28591);
        QCOMPARE(CodePage::windowsNumberOfCharset("iso-8859-15"), 28605);
        QCOMPARE(CodePage::windowsNumberOfCharset("ANSI_X3.4-1968"), 20127);
        QCOMPARE(CodePage::windowsNumberOfCharset("EUC-KR"), 51949);
        QCOMPARE(CodePage::windowsNumberOfCharset("GB2312"), 936);
        QCOMPARE(CodePage::windowsNumberOfCharset("CP1251"), 1251);
        QCOMPARE(CodePage::windowsNumberOfCharset("no such set"), 0);
        QCOMPARE(CodePage::fromUnicode(QString::fromUtf8("\xC3\xA9"), 28591), QByteArray("\xE9"));
    }

    void pathCodecKeepsEveryByteString()
    {
        QRandomGenerator random(7);
        for (int round = 0; round < 2000; ++round) {
            QByteArray bytes(random.bounded(1, 24), '\0');
            for (char &c : bytes)
                c = char(random.bounded(1, 256));
            const QString text = FileSystem::decodePath(bytes);
            QCOMPARE(FileSystem::encodePath(text), bytes);
            if (bytes.isValidUtf8())
                QCOMPARE(text, QString::fromUtf8(bytes));
        }
        // Invalid bytes become lone surrogates; encoded surrogates are invalid UTF-8 too.
        QCOMPARE(FileSystem::decodePath("a\xFF"), QStringLiteral("a") + QChar(0xDCFF));
        QCOMPARE(FileSystem::decodePath("\xED\xB3\xBF").size(), 3);
    }
};

QTEST_GUILESS_MAIN(TestCodePage)
#include "tst_code_page.moc"
