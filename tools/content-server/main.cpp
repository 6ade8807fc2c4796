// content-server: serves a content folder over HTTP on 127.0.0.1 and records
// claim requests. See --help.
#include "ClaimLog.h"
#include "ConnectionReaper.h"
#include "ContentRoutes.h"
#include "GatedServer.h"
#include "ServerOptions.h"

#include <pthread.h>
#include <signal.h>
#include <sys/resource.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <thread>

namespace {
constexpr const char* kLoopback = "127.0.0.1";
// Workers serve complete requests only (the gate holds the rest), so these
// are enough for many clients downloading at once.
constexpr size_t kWorkers = 160;
// After a stop signal the server is gone within this, whatever the clients do.
constexpr auto kStopGrace = std::chrono::milliseconds(1500);

// Stop signals are taken by one thread with sigwait, so stopping the server
// happens outside a signal handler.
sigset_t StopSignals()
{
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGINT);
    return signals;
}

// Every client the gate holds takes a descriptor: take as many as the
// system allows.
void RaiseOpenFileLimit()
{
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < limit.rlim_max) {
        limit.rlim_cur = limit.rlim_max;
        setrlimit(RLIMIT_NOFILE, &limit);
    }
}
}

int main(int argc, char** argv)
{
    ServerOptions options;
    std::string error;
    if (!ParseServerOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "content-server: %s\n%s", error.c_str(), UsageText());
        return 2;
    }
    if (options.help) {
        std::fputs(UsageText(), stdout);
        return 0;
    }
    std::error_code ignored;
    if (!std::filesystem::is_directory(options.root, ignored)) {
        std::fprintf(stderr, "content-server: %s is not a folder\n", options.root.c_str());
        return 1;
    }
    ClaimLog log(options.log);
    if (!log.IsOpen()) {
        std::fprintf(stderr, "content-server: cannot write %s\n", options.log.c_str());
        return 1;
    }

    // Blocked before any thread starts, so every thread inherits the mask.
    const sigset_t stopSignals = StopSignals();
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    RaiseOpenFileLimit();
    GatedServer server(std::chrono::seconds(options.headWaitSeconds), kWorkers);
    ConnectionReaper reaper(std::chrono::seconds(options.requestDeadlineSeconds));
    InstallContentRoutes(server, options.root, log);
    const int port = options.port == 0 ? server.BindToAnyPort(kLoopback)
                                       : (server.BindToPort(kLoopback, options.port) ? options.port : -1);
    if (port <= 0) {
        std::fprintf(stderr, "content-server: cannot listen on %s:%d\n", kLoopback, options.port);
        return 1;
    }
    std::printf("listening on %s:%d\n", kLoopback, port);
    std::fflush(stdout);

    std::mutex stopMutex;
    std::condition_variable stopped;
    bool listenReturned = false;
    std::thread stopper([&] {
        int received = 0;
        sigwait(&stopSignals, &received);
        // A signal that comes before the loop runs must still stop it.
        while (!server.is_running()) {
            std::lock_guard<std::mutex> lock(stopMutex);
            if (listenReturned)
                return;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        server.stop();
        reaper.CutAll();
        std::unique_lock<std::mutex> lock(stopMutex);
        if (!stopped.wait_for(lock, kStopGrace, [&] { return listenReturned; })) {
            // A worker still stuck in a connection: the claim log is flushed
            // after every record, so nothing is lost by leaving now.
            std::_Exit(0);
        }
    });

    const bool served = server.listen_after_bind();
    {
        std::lock_guard<std::mutex> lock(stopMutex);
        listenReturned = true;
    }
    stopped.notify_all();
    pthread_kill(stopper.native_handle(), SIGTERM);
    stopper.join();
    return served ? 0 : 1;
}
