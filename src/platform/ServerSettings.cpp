#include "ServerSettings.h"

#include "SettingsStore.h"

#include <QSettings>

namespace {

const char* const kOrganisation = "Brindlewick";
const char* const kApplication = "Plumet Assistant";

class Lookup {
public:
    Lookup()
        : user_(QString::fromLocal8Bit(SettingsStore::UserFile(kOrganisation, kApplication)),
                QSettings::IniFormat),
          machine_(QString::fromLocal8Bit(SettingsStore::MachineFile(kOrganisation, kApplication)),
                   QSettings::IniFormat)
    {
        user_.beginGroup("Servers");
        machine_.beginGroup("Servers");
    }

    std::string Text(const char* key, const char* fallback)
    {
        const QVariant value = Find(key);
        const QString text = value.toString();
        return text.isEmpty() ? std::string(fallback) : text.toLocal8Bit().toStdString();
    }

    int Port(const char* key, int fallback)
    {
        bool ok = false;
        const int port = Find(key).toString().toInt(&ok);
        return ok && port > 0 && port < 65536 ? port : fallback;
    }

private:
    QVariant Find(const char* key)
    {
        if (user_.contains(key))
            return user_.value(key);
        return machine_.value(key);
    }

    QSettings user_;
    QSettings machine_;
};

}  // namespace

ServerSettings ServerSettings::Load()
{
    Lookup lookup;
    ServerSettings s;
    s.contentHost = lookup.Text("ContentHost", "content.plumet.example");
    s.contentPort = lookup.Port("ContentPort", 80);
    s.makerHost = lookup.Text("MakerHost", "www.brindlewick.example");
    s.makerPort = lookup.Port("MakerPort", 80);
    s.productSite = lookup.Text("ProductSite", "www.plumet.example");
    s.supportEmail = lookup.Text("SupportEmail", "support@brindlewick.example");
    return s;
}
