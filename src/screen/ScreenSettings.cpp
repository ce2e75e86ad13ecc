#include "screen/ScreenSettings.h"

#include "base/Cp932Text.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsWrite.h"

#include <string>

namespace mosgrid {

namespace ScreenSettings {

namespace {

QString Decoded(const std::string& bytes)
{
    return QString::fromStdString(IsValidUtf8(bytes) ? bytes : Cp932ToUtf8(bytes)).trimmed();
}

std::string RecentKey(int number)
{
    return kRecentPrefix + std::to_string(number);
}

} // namespace

QString ReadActive(const SettingsStore& settings)
{
    return Decoded(settings.ReadText(kSectionView, kScreen, ""));
}

void WriteActive(SettingsStore& settings, const QString& condition)
{
    if (ReadActive(settings) != condition.trimmed())
        settings.WriteText(kSectionView, kScreen, condition.trimmed().toStdString());
}

QStringList ReadRecent(const SettingsStore& settings)
{
    QStringList recent;
    for (int number = 1; number <= kRecentCount; ++number) {
        const QString condition = Decoded(settings.ReadText(kSectionScreen, RecentKey(number), ""));
        if (!condition.isEmpty() && !recent.contains(condition))
            recent.append(condition);
    }
    return recent;
}

QStringList WithRecent(QStringList recent, const QString& condition)
{
    const QString trimmed = condition.trimmed();
    if (trimmed.isEmpty())
        return recent;
    recent.removeAll(trimmed);
    recent.prepend(trimmed);
    while (recent.size() > kRecentCount)
        recent.removeLast();
    return recent;
}

void AddRecent(SettingsStore& settings, const QString& condition)
{
    const QStringList before = ReadRecent(settings);
    const QStringList after = WithRecent(before, condition);
    if (after == before)
        return;
    SettingsWriteBatch writes;
    for (int number = 1; number <= kRecentCount; ++number) {
        const QString value = number <= after.size() ? after[number - 1] : QString();
        writes.push_back({kSectionScreen, RecentKey(number), value.toStdString()});
    }
    settings.WriteTexts(writes);
}

} // namespace ScreenSettings

} // namespace mosgrid
