#pragma once
#include "DirectoryWalk.h"

#include <string>
#include <vector>

// The fixed name of the product's distributable.
inline constexpr const char* kDistributableName = "pla1_0.exe";

// What the finder needs from the main dialog.
class CFinderHost {
public:
    virtual ~CFinderHost() = default;
    virtual void ShowSearchedFolder(const std::string& folder) = 0;  // status pane 0
    virtual void ShowFoundFile(const std::string& path) = 0;         // the filename box
    // Dispatches waiting window messages; false when the search must stop.
    virtual bool PumpMessages() = 0;
};

// Searches drives folder by folder for a regular file of the wanted name,
// compared without regard to case; links are never counted. A match ends the search of its folder, whose other
// entries and sub-folders are skipped.
class CFinder : private CDirectoryWalk::Visitor {
public:
    explicit CFinder(CFinderHost& host, std::string wantedName = kDistributableName);

    // Searches each root in turn, from a count of 0; a root that cannot be
    // opened is passed over. False when the host stopped the search.
    bool SearchDrives(const std::vector<std::string>& roots);

    // Searches the folder (ending with "/") and its sub-folders.
    bool SearchFolder(const std::string& folder);

    int MatchCount() const { return matchCount_; }

private:
    void EnterFolder(const std::string& path) override;
    bool BeforeEntry() override;
    CDirectoryWalk::Next RegularFile(const std::string& folder, const char* name) override;

    CFinderHost& host_;
    std::string wantedName_;
    int matchCount_ = 0;
};

// The status text at the end of a search.
std::string SearchOutcomeText(int matchCount);
