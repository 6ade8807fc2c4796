#include "DictionaryLookup.h"

#include <QDir>
#include <QFileInfo>

#include <cstdlib>
#include <string_view>

namespace DictionaryLookup {

namespace {

constexpr const char* kSystemFolder = "/usr/share/hunspell";
constexpr const char* kFallback = "en_US";

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

bool IsReadableFile(const std::string& path)
{
    const QFileInfo info(QString::fromLocal8Bit(path));
    return info.isFile() && info.isReadable();
}

std::optional<DictionaryFiles> InFolder(const std::string& folder, const std::string& name)
{
    DictionaryFiles files{folder + "/" + name + ".aff", folder + "/" + name + ".dic"};
    if (IsReadableFile(files.affixes) && IsReadableFile(files.words))
        return files;
    return std::nullopt;
}

std::optional<DictionaryFiles> Named(const std::vector<std::string>& folders, const std::string& name)
{
    if (name.empty())
        return std::nullopt;
    for (const std::string& folder : folders)
        if (auto files = InFolder(folder, name))
            return files;
    return std::nullopt;
}

// The first dictionary "<language>_<anything>" in name order.
std::optional<DictionaryFiles> AnyCountry(const std::vector<std::string>& folders, const std::string& language)
{
    if (language.empty())
        return std::nullopt;
    for (const std::string& folder : folders) {
        const QStringList names = QDir(QString::fromLocal8Bit(folder))
                                      .entryList({QString::fromLocal8Bit(language + "_*.dic")}, QDir::Files,
                                                 QDir::Name);
        for (const QString& name : names)
            if (auto files = InFolder(folder, QFileInfo(name).completeBaseName().toLocal8Bit().toStdString()))
                return files;
    }
    return std::nullopt;
}

// "de_AT.UTF-8@euro" is "de_AT"; names that are not a language give "".
std::string LocaleName(std::string_view locale)
{
    locale = locale.substr(0, locale.find_first_of(".@"));
    if (locale == "C" || locale == "POSIX" || locale.find('/') != std::string_view::npos)
        return {};
    return std::string(locale);
}

}  // namespace

std::optional<DictionaryFiles> Find(const std::vector<std::string>& folders, const std::string& locale)
{
    const std::string name = LocaleName(locale);
    const std::string language = name.substr(0, name.find('_'));
    if (auto files = Named(folders, name))
        return files;
    if (auto files = Named(folders, language))
        return files;
    if (auto files = AnyCountry(folders, language))
        return files;
    return Named(folders, kFallback);
}

std::vector<std::string> Folders()
{
    std::vector<std::string> folders;
    const std::string paths = Environment("DICPATH");
    std::string_view rest = paths;
    while (!rest.empty()) {
        const std::string_view folder = rest.substr(0, rest.find(':'));
        if (!folder.empty())
            folders.emplace_back(folder);
        rest.remove_prefix(std::min(rest.size(), folder.size() + 1));
    }
    folders.emplace_back(kSystemFolder);
    return folders;
}

std::string UserLanguage()
{
    for (const char* name : {"DICTIONARY", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        std::string value = Environment(name);
        if (!value.empty())
            return value;
    }
    return {};
}

std::optional<DictionaryFiles> ForUser()
{
    return Find(Folders(), UserLanguage());
}

}  // namespace DictionaryLookup
