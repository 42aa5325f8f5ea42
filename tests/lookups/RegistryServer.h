// Stand-ins for the registers on this machine: a small HTTP server on 127.0.0.1 (answers chosen
// by the test, every request kept), a port nothing listens on, and a TLS server (`openssl
// s_server`) with a certificate made for the test. Nothing leaves the machine.
#pragma once

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace axo::lookups::test {

/// What the server answers to one request.
struct Reply {
    int status = 200;
    std::string body;
    std::string contentType = "text/xml; charset=UTF-8";
    /// Sends the headers and then nothing until the client gives up.
    bool stall = false;
    /// Sends this many bytes of body (blanks), announced by Content-Length, as long as the
    /// client takes them.
    std::size_t flood = 0;
};

/// A request as the server received it.
struct Received {
    std::string method;
    std::string path;
    std::string headers;
    std::string body;
};

class RegistryServer {
  public:
    using Handler = std::function<Reply(const Received&)>;

    explicit RegistryServer(Handler handler) : handler_(std::move(handler)) {
        listen_ = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        const int yes = 1;
        setsockopt(listen_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        bind(listen_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        listen(listen_, 16);
        socklen_t length = sizeof address;
        getsockname(listen_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { Serve(); });
    }
    ~RegistryServer() {
        stop_ = true;
        thread_.join();
        close(listen_);
    }
    RegistryServer(const RegistryServer&) = delete;
    RegistryServer& operator=(const RegistryServer&) = delete;

    std::string Url() const { return "http://127.0.0.1:" + std::to_string(port_); }
    std::vector<Received> Requests() const {
        std::lock_guard lock(mutex_);
        return received_;
    }

  private:
    Handler handler_;
    int listen_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
    mutable std::mutex mutex_;
    std::vector<Received> received_;

    /// Waits until `fd` is readable or the server stops; false when it stops.
    bool WaitReadable(int fd) {
        while (!stop_) {
            pollfd p{fd, POLLIN, 0};
            if (poll(&p, 1, 20) > 0)
                return true;
        }
        return false;
    }

    void Serve() {
        while (WaitReadable(listen_)) {
            const int client = accept(listen_, nullptr, nullptr);
            if (client < 0)
                continue;
            Handle(client);
            close(client);
        }
    }

    void Handle(int client) {
        std::string data;
        char buffer[65536];
        std::size_t headerEnd = std::string::npos;
        std::size_t bodyLength = 0;
        while (true) {
            if (headerEnd == std::string::npos) {
                headerEnd = data.find("\r\n\r\n");
                if (headerEnd != std::string::npos) {
                    const std::size_t at = Lower(data.substr(0, headerEnd)).find("content-length:");
                    if (at != std::string::npos)
                        bodyLength = std::stoul(data.substr(at + 15));
                }
            }
            if (headerEnd != std::string::npos && data.size() >= headerEnd + 4 + bodyLength)
                break;
            if (!WaitReadable(client))
                return;
            const ssize_t n = recv(client, buffer, sizeof buffer, 0);
            if (n <= 0)
                return;
            data.append(buffer, static_cast<std::size_t>(n));
        }
        Received r;
        const std::size_t space = data.find(' ');
        r.method = data.substr(0, space);
        r.path = data.substr(space + 1, data.find(' ', space + 1) - space - 1);
        r.headers = data.substr(0, headerEnd);
        r.body = data.substr(headerEnd + 4, bodyLength);
        {
            std::lock_guard lock(mutex_);
            received_.push_back(r);
        }
        const Reply reply = handler_(r);
        const std::size_t length = reply.flood ? reply.flood : reply.body.size();
        std::string head = "HTTP/1.1 " + std::to_string(reply.status) +
                           " X\r\nContent-Type: " + reply.contentType + "\r\nConnection: close\r\n";
        if (!reply.stall)
            head += "Content-Length: " + std::to_string(length) + "\r\n";
        head += "\r\n";
        if (!Send(client, head))
            return;
        if (reply.stall) {
            // Until the client gives up (its socket becomes readable: closed) or the test ends.
            WaitReadable(client);
            return;
        }
        if (!reply.flood) {
            Send(client, reply.body);
            return;
        }
        const std::string block(1 << 16, ' ');
        for (std::size_t sent = 0; sent < reply.flood && !stop_; sent += block.size())
            if (!Send(client, block.substr(0, std::min(block.size(), reply.flood - sent))))
                return;
    }

    static bool Send(int fd, const std::string& bytes) {
        std::size_t sent = 0;
        while (sent < bytes.size()) {
            const ssize_t n = send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
            if (n <= 0)
                return false;
            sent += static_cast<std::size_t>(n);
        }
        return true;
    }

    static std::string Lower(std::string text) {
        for (char& c : text)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return text;
    }
};

/// A loopback port nothing listens on.
inline int ClosedPort() {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    close(fd);
    return ntohs(address.sin_port);
}

/// `openssl s_server` on 127.0.0.1 serving the files of `root` over TLS with a certificate for
/// 127.0.0.1 made in `dir` ("cert.pem", which also serves as the CA file that trusts it).
class TlsServer {
  public:
    TlsServer(const std::filesystem::path& dir, const std::filesystem::path& root) {
        cert_ = dir / "cert.pem";
        const std::filesystem::path key = dir / "key.pem";
        const std::string make =
            "openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj "
            "/CN=127.0.0.1 -addext subjectAltName=IP:127.0.0.1 -keyout " +
            key.string() + " -out " + cert_.string() + " >/dev/null 2>&1";
        if (std::system(make.c_str()) != 0)
            return;
        int out[2];
        if (pipe(out) != 0)
            return;
        pid_ = fork();
        if (pid_ == 0) {
            dup2(out[1], STDOUT_FILENO);
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, STDERR_FILENO);
            close(out[0]);
            if (chdir(root.c_str()) != 0)
                _exit(127);
            execlp("openssl", "openssl", "s_server", "-accept", "127.0.0.1:0", "-cert",
                   cert_.c_str(), "-key", key.c_str(), "-WWW", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(out[1]);
        // s_server tells its port when it is ready: "ACCEPT 127.0.0.1:PORT".
        std::string line, current;
        char c = 0;
        while (line.empty() && read(out[0], &c, 1) == 1) {
            if (c != '\n')
                current += c;
            else if (current.starts_with("ACCEPT"))
                line = current;
            else
                current.clear();
        }
        close(out[0]);
        if (const std::size_t colon = line.rfind(':');
            line.starts_with("ACCEPT") && colon != std::string::npos)
            port_ = std::atoi(line.c_str() + colon + 1);
    }
    ~TlsServer() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }
    TlsServer(const TlsServer&) = delete;
    TlsServer& operator=(const TlsServer&) = delete;

    bool Running() const { return port_ > 0; }
    std::string Url() const { return "https://127.0.0.1:" + std::to_string(port_); }
    const std::filesystem::path& CaFile() const { return cert_; }

  private:
    std::filesystem::path cert_;
    pid_t pid_ = -1;
    int port_ = 0;
};

}  // namespace axo::lookups::test
