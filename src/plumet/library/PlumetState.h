#pragma once
#include <string>

// The program-wide strings of plumet. The application object owns one; panes
// and dialogs get it by reference, so a test can make a fresh one.
struct PlumetState {
    std::string ProgramFolder;    // the current folder when the main window was made
    std::string LibraryRoot;      // ProgramFolder + "/File Manager"
    std::string CurrentFolder;    // the tree's selected folder, relative to ProgramFolder
    std::string CurrentFilePath;  // the content file last addressed through the list

    // Header fields of the current content file.
    std::string ArticleName;
    std::string AuthorName;
    std::string DatePublished;
    std::string Topic;

    std::string EditorText;  // the body shared with the editor

    // The file information dialog's date boxes, as last read.
    std::string DialogMonth;
    std::string DialogDay;
    std::string DialogYear;

    // Folder renaming in the tree.
    std::string RenameOldName;
    bool RenamePending = false;
};
