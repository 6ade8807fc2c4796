#include "UploadSettings.h"

#include "SettingsStore.h"

#include <QSettings>

namespace UploadSettings {

namespace {

const char* const kOrganisation = "Brindlewick";
const char* const kApplication = "Stamper";

class UserGroup {
public:
    explicit UserGroup(const char* group)
        : settings_(QString::fromLocal8Bit(SettingsStore::UserFile(kOrganisation, kApplication)),
                    QSettings::IniFormat)
    {
        settings_.beginGroup(QString::fromLatin1(group));
    }

    QVariant Value(const std::string& key) const { return settings_.value(Key(key)); }
    void SetValue(const std::string& key, const QVariant& value) { settings_.setValue(Key(key), value); }

private:
    // "/" would open a subgroup; a site never holds one, but a typed host might.
    static QString Key(const std::string& text)
    {
        return QString::fromLocal8Bit(text).replace(QLatin1Char('/'), QLatin1Char('_'));
    }

    QSettings settings_;
};

}  // namespace

DataMode ForcedDataMode()
{
    const QString mode = UserGroup("Upload").Value("DataMode").toString().toLower();
    if (mode == QLatin1String("active"))
        return DataMode::Active;
    if (mode == QLatin1String("passive"))
        return DataMode::Passive;
    return DataMode::Automatic;
}

bool RefusesPlainFtp()
{
    return UserGroup("Upload").Value("RefusePlainFtp").toBool();
}

bool PassiveWorked(const std::string& site)
{
    return UserGroup("PassiveHosts").Value(site).toBool();
}

void RememberPassive(const std::string& site)
{
    UserGroup("PassiveHosts").SetValue(site, true);
}

std::optional<std::string> TrustedFingerprint(const std::string& site)
{
    const QString fingerprint = UserGroup("Certificates").Value(site).toString();
    if (fingerprint.isEmpty())
        return std::nullopt;
    return fingerprint.toStdString();
}

void TrustFingerprint(const std::string& site, const std::string& fingerprint)
{
    UserGroup("Certificates").SetValue(site, QString::fromStdString(fingerprint));
}

}  // namespace UploadSettings
