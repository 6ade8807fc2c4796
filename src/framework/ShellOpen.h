#pragma once
#include <functional>
#include <string>

// The shell's "open" action: a web address goes to the desktop's browser, a
// document to the program the desktop associates with it.

// Opens a web address ("http://host/page").
void ShellOpenUrl(const std::string& url);

// Opens a document named relative to the current folder, found there or in
// the installed data folder. Returns false, opening nothing, when neither
// holds it.
bool ShellOpenDocument(const std::string& name);

// Tests record what would be opened (the full URL text, "file:///..." for a
// document) instead; an empty handler brings back the desktop. Returns the
// handler it replaces.
using ShellOpenHandler = std::function<void(const std::string& url)>;
ShellOpenHandler SetShellOpenHandler(ShellOpenHandler handler);
