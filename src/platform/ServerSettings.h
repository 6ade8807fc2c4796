#pragma once
#include <string>

// Where the programs' servers are: group "Servers" of
// "Brindlewick/Plumet Assistant.ini", the user's file first, then the
// machine's, then built-in defaults. URL texts never carry the port.
struct ServerSettings {
    std::string contentHost;
    int contentPort;
    std::string makerHost;
    int makerPort;
    std::string productSite;
    std::string supportEmail;

    static ServerSettings Load();
};
