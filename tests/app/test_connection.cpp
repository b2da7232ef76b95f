#include <winsock2.h>
#include <ws2tcpip.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include <wininet.h>

#include "app/connection_test.h"

namespace {

// A listener on 127.0.0.1 with a port of the system's choosing.  `answer`
// decides what each accepted connection gets: a reply, or (when `accept` is
// false) nothing at all, not even an accept, so the client waits forever.
class LocalServer {
public:
    LocalServer(bool accept, std::string reply) : reply_(std::move(reply)) {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
        listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        listen(listener_, 8);
        int len = sizeof addr;
        getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &len);
        port_ = ntohs(addr.sin_port);
        if (accept) thread_ = std::thread([this] { Serve(); });
    }
    ~LocalServer() {
        stop_ = true;
        closesocket(listener_);
        if (thread_.joinable()) thread_.join();
        WSACleanup();
    }
    std::string Url(const char* path = "/") const { return "http://127.0.0.1:" + std::to_string(port_) + path; }
    int port() const { return port_; }

private:
    void Serve() {
        while (!stop_) {
            SOCKET client = accept(listener_, nullptr, nullptr);
            if (client == INVALID_SOCKET) return;
            char buffer[2048];
            recv(client, buffer, sizeof buffer, 0);
            send(client, reply_.data(), static_cast<int>(reply_.size()), 0);
            shutdown(client, SD_SEND);
            closesocket(client);
        }
    }
    std::string reply_;
    SOCKET listener_ = INVALID_SOCKET;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

const char kOk[] = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok";
const char kNotFound[] = "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";

bool Probe(const std::string& url, DWORD deadline = 3000) {
    return tovrin::TestInternetConnection({url.c_str(), deadline, false});
}

TEST(ConnectionTest, AnAnsweringServerMeansOnlineWhateverTheStatus) {
    LocalServer ok(true, kOk);
    EXPECT_TRUE(Probe(ok.Url()));
    LocalServer notFound(true, kNotFound);
    EXPECT_TRUE(Probe(notFound.Url("/missing")));
}

TEST(ConnectionTest, ARefusedConnectionMeansOffline) {
    int port = 0;
    {
        LocalServer closed(false, "");
        port = closed.port();
    }  // the port is closed again: connections are refused
    EXPECT_FALSE(Probe("http://127.0.0.1:" + std::to_string(port) + "/"));
}

TEST(ConnectionTest, AServerThatNeverAnswersCostsOnlyTheDeadline) {
    LocalServer silent(false, "");
    const DWORD start = GetTickCount();
    EXPECT_FALSE(Probe(silent.Url(), 500));
    // Unbounded, WinINet waits minutes here; the loose bound only tells
    // "returned at its deadline" from "blocked".
    EXPECT_LT(GetTickCount() - start, 20000u);
}

TEST(ConnectionTest, AMalformedUrlMeansOffline) {
    EXPECT_FALSE(Probe("not a url"));
    EXPECT_FALSE(tovrin::TestInternetConnection({nullptr, 500, false}));
}

TEST(ConnectionTest, AsksTheSystemFirstWhenRequired) {
    LocalServer ok(true, kOk);
    const std::string url = ok.Url();
    DWORD flags = 0;
    const bool systemOnline = InternetGetConnectedState(&flags, 0) != FALSE;
    EXPECT_EQ(tovrin::TestInternetConnection({url.c_str(), 3000, true}), systemOnline);
}

TEST(ConnectionTest, TheShippedProbeUsesAPublicHttpsPageAndABoundedWait) {
    const tovrin::ConnectionTestOptions options = tovrin::DefaultConnectionTest();
    EXPECT_EQ(std::string(options.url).rfind("https://", 0), 0u);
    EXPECT_TRUE(options.requireConnectedState);
    EXPECT_GT(options.deadlineMs, 0u);
    EXPECT_LE(options.deadlineMs, 10000u);
}

}  // namespace
