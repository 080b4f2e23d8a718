#pragma once
// ordvane-batch's parts: the context of its texts in the translations, and its lines.
#include <QCoreApplication>
#include <QList>
#include <QString>
#include <cstdio>

struct Batch {
    Q_DECLARE_TR_FUNCTIONS(Batch)
};

// A line on standard output or error, in UTF-8.
void printLine(FILE *stream, const QString &text);
// Page numbers as a list: "3, 7".
QString pageList(const QList<int> &pages);
