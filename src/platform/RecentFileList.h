#pragma once
#include <string>
#include <vector>

// The list of recently opened documents, most recent first, kept in the
// per-user settings file "Local AppWizard-Generated Applications/<application>".
class CRecentFileList {
public:
    CRecentFileList(std::string application, int size);

    const std::vector<std::string>& Files() const { return files_; }

    // Moves the path to the front (adding it when new) and saves the list.
    void Add(const std::string& path);
    void Remove(int index);

    void Load();
    void Save() const;

private:
    std::string application_;
    int size_;
    std::vector<std::string> files_;
};
