#pragma once
// Why an entry failed. The activity log and the job file keep the English text (the log must
// read the same on every system, and a list converted under one language is read under
// another); the window shows it translated.
#include <QString>

enum class Failure {
    None,
    NoConverter,
    SourceOpen,
    NotPermitted,
    SourceChanged,
    PasswordRequired,
    FormatNotCorrect,
    TypeNotSupported,
    TargetCreate,
    TargetWrite,
    TargetExistsCanceled,
};

// The English text; empty for None.
QString failureText(Failure failure);
// The failure of a negative conversion result.
Failure failureOfResult(int result);
// The failure whose English text this is; None for any other text.
Failure failureOfText(const QString &english);
// A convert message as the window shows it: the English text of a failure or of success in
// the user's language; any other text as it stands.
QString shownMessage(const QString &message);
