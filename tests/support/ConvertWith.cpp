// convert_with PROGRAMDIR SOURCE TARGET: converts one PDF through the converter library and
// helper of a program directory (an installed one), as the program does, writing UTF-8.
#include "conversion/MyPdfCvt.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4 || !MyPdfCvt::LoadConverterLibrary(args[1] + u'/'))
        return 2;
    QByteArray text;
    const int result = MyPdfCvt::ConvertPdfFile(args[2], text, 65001, 0, false);
    std::printf("%d\n", result);
    QFile target(args[3]);
    if (result < 0 || !target.open(QIODevice::WriteOnly) || target.write(text.left(result)) != result)
        return 1;
    return 0;
}
