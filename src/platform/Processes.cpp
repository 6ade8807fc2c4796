#include "Processes.h"

#include "Paths.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QSocketNotifier>

#include <spawn.h>
#include <sys/syscall.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

extern char** environ;

namespace Processes {

std::vector<std::string> SearchFolders()
{
    std::vector<std::string> folders{QCoreApplication::applicationDirPath().toLocal8Bit().toStdString(),
                                     Paths::CurrentFolder()};
    const char* path = std::getenv("PATH");
    const std::string list = path ? path : "";
    for (size_t start = 0; start <= list.size();) {
        const size_t colon = std::min(list.find(':', start), list.size());
        if (colon > start)
            folders.push_back(list.substr(start, colon - start));
        start = colon + 1;
    }
    return folders;
}

std::string FindProgram(const std::string& name, const std::vector<std::string>& folders)
{
    for (const std::string& folder : folders) {
        const std::string path = Paths::Join(folder, name);
        struct stat info {};
        if (stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0)
            return path;
    }
    return {};
}

namespace {

// Waits in an event loop that takes no user input, so the program's windows
// keep painting while keys and clicks wait for the end; a plain blocking
// wait where the process cannot be watched that way.
void WaitForExit(pid_t child)
{
    // By the system call: the C library's wrapper is missing its C linkage here.
    const int ended = int(syscall(SYS_pidfd_open, child, 0));
    if (ended >= 0) {
        if (QCoreApplication::instance()) {
            QEventLoop loop;
            QSocketNotifier notifier(qintptr(ended), QSocketNotifier::Read);
            QObject::connect(&notifier, &QSocketNotifier::activated, &loop, &QEventLoop::quit);
            loop.exec(QEventLoop::ExcludeUserInputEvents);
        }
        close(ended);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
}

}  // namespace

bool StartAndWait(const std::string& path, const std::string& argv0)
{
    posix_spawn_file_actions_t actions;
    if (posix_spawn_file_actions_init(&actions) != 0)
        return false;
    // Nothing but the standard streams is handed on.
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    std::string name = argv0;
    char* argv[] = {name.data(), nullptr};
    pid_t child = -1;
    const int started = posix_spawn(&child, path.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (started != 0)
        return false;
    WaitForExit(child);
    return true;
}

}  // namespace Processes
