#include "EditorSettings.h"

#include "SettingsStore.h"

#include <QSettings>

namespace EditorSettings {

namespace {

constexpr std::int64_t kFormatDialogWidth = 50;

QSettings UserSettings()
{
    return QSettings(QString::fromLocal8Bit(SettingsStore::UserFile("Brindlewick", "Plumet Assistant")),
                     QSettings::IniFormat);
}

QString Key(const char* name) { return QStringLiteral("Editor/") + QLatin1String(name); }

}  // namespace

bool FixedWidthFont()
{
    return UserSettings().value(Key("FixedWidthFont"), false).toBool();
}

void SetFixedWidthFont(bool on)
{
    UserSettings().setValue(Key("FixedWidthFont"), on);
}

std::int64_t LastFormatWidth()
{
    bool ok = false;
    const qlonglong width = UserSettings().value(Key("LastFormatWidth")).toLongLong(&ok);
    return ok ? width : kFormatDialogWidth;
}

void SetLastFormatWidth(std::int64_t width)
{
    UserSettings().setValue(Key("LastFormatWidth"), qlonglong(width));
}

}  // namespace EditorSettings
