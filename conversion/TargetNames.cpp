#include "conversion/TargetNames.h"

#include "platform/FileSystem.h"

QString TargetNames::key(const QString &name)
{
    return FileSystem::pathKey(name);
}

void TargetNames::begin(ExistingTarget policy, const QString &optionsText)
{
    existing = policy;
    options = optionsText;
    textRecords = TextRecords();
    planned.clear();
    claimedNames.clear();
}

void TargetNames::unplan(const QString &target)
{
    const auto it = planned.find(key(target));
    if (it != planned.end() && --*it <= 0)
        planned.erase(it);
}

QString TargetNames::numberedName(const QString &target, const std::function<bool(const QString &)> &taken)
{
    const qsizetype dot = FileSystem::extensionPosition(target);
    const QString base = dot < 0 ? target : target.left(dot);
    const QString extension = dot < 0 ? QString() : target.mid(dot);
    for (int n = 1;; ++n) {
        const QString candidate = base + u'(' + QString::number(n) + u')' + extension;
        // A folder or a link takes a name too.
        if (FileSystem::entryAt(candidate) == FileSystem::Entry::None && !(taken && taken(candidate)))
            return candidate;
    }
}

QString TargetNames::nextFree(const QString &target) const
{
    return numberedName(target, [this](const QString &name) { return claimedNames.contains(key(name)) || planned.value(key(name)) > 0; });
}

TargetNames::Finding TargetNames::judged(const QString &text, const TextOrigin &origin)
{
    if (existing == ExistingTarget::Skip)
        return {Finding::LeaveAlone, text, QStringLiteral("target file exists")};
    if (origin.options == options && textRecords.sourceUnchanged(origin))
        return {Finding::LeaveAlone, text, QStringLiteral("target file is up to date")};
    return {Finding::Replace, text, {}};
}

TargetNames::Finding TargetNames::find(const QString &source, const QString &target)
{
    const auto named = [&](const std::optional<TextOrigin> &origin) { return origin && FileSystem::samePath(origin->source, source); };
    const std::optional<TextOrigin> atTarget = textRecords.originOf(target);
    if (!claimed(target) && named(atTarget))
        return judged(target, *atTarget);
    // Its own text may have a numbered name, another's having had this one.
    for (const QString &text : textRecords.numberedTextsOf(source, target)) {
        if (const std::optional<TextOrigin> origin = textRecords.originOf(text); !claimed(text) && named(origin))
            return judged(text, *origin);
    }
    if (claimed(target))
        return {Finding::Another, target, {}, true};
    if (FileSystem::entryAt(target) != FileSystem::Entry::Other)
        return {Finding::Free, target, {}};
    if (atTarget)
        return {Finding::Another, target, {}};
    // A text without a record, made by an older version or by hand, is judged by times: only
    // one at least as new as its PDF is taken for up to date; one that is not a file of its
    // own (a link, say) is converted again and replaced. (The texts of this version and of
    // other runs going on have their records before they are put in place.)
    if (existing == ExistingTarget::Skip)
        return {Finding::LeaveAlone, target, QStringLiteral("target file exists")};
    const qint64 text = FileSystem::fileModified(target, false), pdf = FileSystem::fileModified(source, true);
    if (text >= 0 && pdf >= 0 && text >= pdf)
        return {Finding::LeaveAlone, target, QStringLiteral("target file is up to date")};
    return {Finding::Replace, target, {}};
}
