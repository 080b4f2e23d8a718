#include "conversion/Failure.h"

#include "conversion/MyPdfCvt.h"

#include <QCoreApplication>

QString failureText(Failure failure)
{
    const char *text = nullptr;
    switch (failure) {
    case Failure::None: return {};
    case Failure::NoConverter: text = QT_TRANSLATE_NOOP("ConversionRun", "Load file filter dll error"); break;
    case Failure::SourceOpen: text = QT_TRANSLATE_NOOP("ConversionRun", "Source file open error"); break;
    case Failure::NotPermitted: text = QT_TRANSLATE_NOOP("ConversionRun", "Extracting text from source file not allowed"); break;
    case Failure::SourceChanged: text = QT_TRANSLATE_NOOP("ConversionRun", "Source file changed while it was read"); break;
    case Failure::PasswordRequired: text = QT_TRANSLATE_NOOP("ConversionRun", "Password required"); break;
    case Failure::FormatNotCorrect: text = QT_TRANSLATE_NOOP("ConversionRun", "File format not correct"); break;
    case Failure::TypeNotSupported: text = QT_TRANSLATE_NOOP("ConversionRun", "File type not support"); break;
    case Failure::TargetCreate: text = QT_TRANSLATE_NOOP("ConversionRun", "Target file create error"); break;
    case Failure::TargetWrite: text = QT_TRANSLATE_NOOP("ConversionRun", "Target file write error"); break;
    case Failure::TargetExistsCanceled: text = QT_TRANSLATE_NOOP("ConversionRun", "Target file already exists, user canceled"); break;
    }
    return QString::fromLatin1(text);
}

Failure failureOfResult(int result)
{
    switch (result) {
    case MyPdfCvt::ResultNoConverter: return Failure::NoConverter;
    case MyPdfCvt::ResultOpenError: return Failure::SourceOpen;
    case MyPdfCvt::ResultNotPermitted: return Failure::NotPermitted;
    case MyPdfCvt::ResultSourceChanged: return Failure::SourceChanged;
    case MyPdfCvt::ResultPasswordRequired: return Failure::PasswordRequired;
    default: return Failure::FormatNotCorrect;
    }
}

Failure failureOfText(const QString &english)
{
    for (Failure failure = Failure::NoConverter; failure <= Failure::TargetExistsCanceled; failure = Failure(int(failure) + 1))
        if (failureText(failure) == english)
            return failure;
    return Failure::None;
}

QString shownMessage(const QString &message)
{
    return message.isEmpty() ? message : QCoreApplication::translate("ConversionRun", message.toUtf8().constData());
}
