#pragma once

#include <httplib.h>

#include <chrono>

// One accepted connection as the HTTP library reads and writes it: every
// read and write waits for the socket at most its own bound.
class ConnectionStream : public httplib::Stream
{
public:
    ConnectionStream(int fd, std::chrono::milliseconds readWait, std::chrono::milliseconds writeWait);

    bool is_readable() const override;
    bool is_writable() const override;
    ssize_t read(char* data, size_t size) override;
    ssize_t write(const char* data, size_t size) override;
    void get_remote_ip_and_port(std::string& ip, int& port) const override;
    void get_local_ip_and_port(std::string& ip, int& port) const override;
    int socket() const override { return m_fd; }

private:
    bool WaitFor(short events, std::chrono::milliseconds wait) const;

    const int m_fd;
    const std::chrono::milliseconds m_readWait;
    const std::chrono::milliseconds m_writeWait;
};
