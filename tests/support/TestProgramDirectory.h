#pragma once
// A temporary program directory: settings, job file and log go there, and the converter
// library with its helper is linked in from the build, so tests run the real thing.
#include "platform/ProgramFolders.h"
#include "settings/Settings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "tests/support/RemoveTree.h"

class TestProgramDirectory {
public:
    enum Converter { WithConverter, WithoutConverter };

    explicit TestProgramDirectory(Converter converter = WithConverter)
    {
        QVERIFY(dir.isValid());
        if (converter == WithConverter) {
            for (const char *name : {"tsypdf.so", "tsypdf-worker"})
                QVERIFY(QFile::link(QStringLiteral(ORDVANE_BIN_DIR) + QLatin1String(name), file(QLatin1String(name))));
        }
        SetProgramDirectory(dir.path());
        Settings = TSettings();
        Settings.targetdir = Settings.adddir = DocumentsFolder();
    }

    ~TestProgramDirectory() { removeTree(dir.path()); } // the tests make names QDir cannot remove

    QString path() const { return dir.path() + QLatin1Char('/'); }
    QString file(const QString &name) const { return path() + name; }

    QByteArray read(const QString &name) const
    {
        QFile f(file(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    void write(const QString &name, const QByteArray &bytes) const
    {
        QFile f(file(name));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(f.write(bytes), bytes.size());
    }

private:
    QTemporaryDir dir;
};
