#pragma once
#include <string>

class QWidget;

// The start-up step that brings the premium articles and ads up to date from
// the content server named in the settings, with the progress window on
// screen. A list that cannot be fetched is reported in a message box owned
// by `messageOwner`; start-up then goes on with the files already there.
void DownloadPremiumContent(const std::string& libraryRoot, QWidget* messageOwner);

inline constexpr const char* kPremiumFailureText =
    "Could not retrieve information from the servers.  Please ensure that you are connected to the internet "
    "and restart the application";
