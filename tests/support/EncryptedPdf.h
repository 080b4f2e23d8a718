#pragma once
// Locks a PDF the way other producers do, with qpdf: RC4 of 40 or 128 bits, AES of 128 or 256
// bits, a user password, an owner password, or both, and copying allowed or not.
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QTest>

struct Lock {
    QString user, owner;
    QString bits = QStringLiteral("256"); // "40", "128" (RC4), "aes128" or "256" (AES)
    bool allowCopy = true;
};

inline void encryptPdf(const QString &plain, const QString &locked, const Lock &lock)
{
    const QString qpdf = QStandardPaths::findExecutable(QStringLiteral("qpdf"));
    QVERIFY2(!qpdf.isEmpty(), "qpdf is needed to make encrypted PDFs");
    const bool aes128 = lock.bits == QLatin1String("aes128");
    QStringList arguments{QStringLiteral("--allow-weak-crypto"), QStringLiteral("--encrypt"), lock.user, lock.owner,
                          aes128 ? QStringLiteral("128") : lock.bits};
    if (lock.bits == QLatin1String("128") || aes128)
        arguments << (aes128 ? QStringLiteral("--use-aes=y") : QStringLiteral("--use-aes=n"));
    if (!lock.allowCopy)
        arguments << QStringLiteral("--extract=n");
    arguments << QStringLiteral("--") << plain << locked;
    QProcess process;
    process.start(qpdf, arguments);
    QVERIFY(process.waitForFinished(30000));
    QVERIFY2(process.exitCode() == 0, process.readAllStandardError().constData());
}
