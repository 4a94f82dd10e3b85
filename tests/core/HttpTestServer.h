#pragma once
// A one-shot HTTP server on 127.0.0.1 for the version check tests: accepts one connection,
// records the request head, then answers, stalls or hangs up. Bounded in time; the
// destructor always joins its thread.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>

namespace kt::test {

class HttpTestServer {
public:
    enum class Mode { Answer, Stall, HangUp };

    // `response` is sent as is (status line, headers and body) in Mode::Answer.
    explicit HttpTestServer(Mode mode, std::string response = {}) : mode_(mode) {
        response_ = std::move(response);
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        addr.sin_port = 0;
        ::bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        ::listen(listener_, 1);
        socklen_t len = sizeof addr;
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &len);
        port_ = ntohs(addr.sin_port);
        thread_ = std::thread([this] { Serve(); });
    }
    ~HttpTestServer() {
        thread_.join();
        ::close(listener_);
    }
    HttpTestServer(const HttpTestServer&) = delete;
    HttpTestServer& operator=(const HttpTestServer&) = delete;

    [[nodiscard]] std::string host() const { return "127.0.0.1:" + std::to_string(port_); }
    // The request head as received; read it after the client call returned.
    [[nodiscard]] const std::string& request() const { return request_; }

    static std::string Ok(const std::string& body) {
        return "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
               std::to_string(body.size()) + "\r\n\r\n" + body;
    }

private:
    static bool Readable(int fd, int ms) {
        pollfd p{fd, POLLIN, 0};
        return ::poll(&p, 1, ms) > 0;
    }

    void Serve() {
        if (!Readable(listener_, 5000)) return;
        const int client = ::accept(listener_, nullptr, nullptr);
        if (client < 0) return;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        char buf[1024];
        while (request_.find("\r\n\r\n") == std::string::npos && request_.size() < 16384 &&
               std::chrono::steady_clock::now() < deadline) {
            if (!Readable(client, 100)) continue;
            const ssize_t n = ::recv(client, buf, sizeof buf, 0);
            if (n <= 0) break;
            request_.append(buf, static_cast<std::size_t>(n));
        }
        if (mode_ == Mode::Answer) {
            ::send(client, response_.data(), response_.size(), MSG_NOSIGNAL);
        } else if (mode_ == Mode::Stall) {
            // Hold the connection until the client gives up (or the bound ends).
            while (std::chrono::steady_clock::now() < deadline) {
                if (Readable(client, 50) && ::recv(client, buf, sizeof buf, 0) <= 0) break;
            }
        }
        ::close(client);
    }

    Mode mode_;
    std::string response_;
    int listener_ = -1;
    int port_ = 0;
    std::string request_;
    std::thread thread_;
};

} // namespace kt::test
