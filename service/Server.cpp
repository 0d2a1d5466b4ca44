// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Server.h"

#include "Catalogue.h"
#include "Http.h"
#include "HttpRoutes.h"
#include "Renditions.h"
#include "UploadWorker.h"

#include <boost/asio.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <iostream>
#include <list>
#include <mutex>
#include <thread>

namespace fs = std::filesystem;
namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using tcp = asio::ip::tcp;
using namespace std::chrono_literals;

namespace {

// A request's header must be complete this long after the connection became ready for it; the
// wait of an idle keep-alive connection counts too, so a slow or silent client is dropped.
constexpr auto kHeaderDeadline = 15s;
// The body of a request, and each piece of an answer, must move within this.
constexpr auto kBodyDeadline = 120s;
constexpr auto kWriteDeadline = 30s;
constexpr unsigned kHeaderLimit = 16 * 1024;

struct Connection {
    explicit Connection(tcp::socket socket)
        : stream(std::move(socket))
    {
    }
    beast::tcp_stream stream;
    // True while the connection waits for a request with nothing of one received: only then
    // may a stop close it. Read and written on the connection's strand only.
    bool idle = false;
};

class HttpServer {
public:
    HttpServer(HttpRoutes &routes, tcp::acceptor &acceptor, asio::io_context &io)
        : routes(routes)
        , acceptor(acceptor)
        , io(io)
    {
    }

    asio::awaitable<void> accept()
    {
        for (;;) {
            tcp::socket socket(asio::make_strand(io));
            beast::error_code ec;
            co_await acceptor.async_accept(socket, asio::redirect_error(asio::use_awaitable, ec));
            if (stopping) co_return;
            if (ec) {
                // Out of descriptors, usually: wait for connections to end instead of spinning.
                asio::steady_timer pause(co_await asio::this_coro::executor, 100ms);
                co_await pause.async_wait(asio::redirect_error(asio::use_awaitable, ec));
                continue;
            }
            socket.set_option(tcp::no_delay(true), ec);
            auto connection = std::make_shared<Connection>(std::move(socket));
            std::list<std::shared_ptr<Connection>>::iterator at;
            {
                std::lock_guard lock(liveMutex);
                at = live.insert(live.end(), connection);
            }
            asio::co_spawn(connection->stream.get_executor(), serve(connection),
                           [this, at](std::exception_ptr) {
                               std::lock_guard lock(liveMutex);
                               live.erase(at);
                           });
        }
    }

    // Stops accepting, closes the idle connections and lets the others finish the request they
    // are in; the io_context then runs out of work.
    void stop()
    {
        stopping = true;
        asio::post(acceptor.get_executor(), [this] {
            beast::error_code ec;
            acceptor.close(ec);
        });
        std::lock_guard lock(liveMutex);
        for (const auto &c : live)
            asio::post(c->stream.get_executor(), [c] {
                if (c->idle) c->stream.socket().close();
            });
    }

private:
    asio::awaitable<void> serve(std::shared_ptr<Connection> c)
    {
        beast::flat_buffer buffer;
        beast::error_code ec;
        std::string peer;
        {
            auto endpoint = c->stream.socket().remote_endpoint(ec);
            if (!ec) peer = endpoint.address().to_string();
        }
        for (;;) {
            // Pipelined requests already wait in the buffer; they are answered one after the
            // other, in order, before anything else is read.
            c->idle = buffer.size() == 0;
            if (stopping && c->idle) break;
            http::request_parser<http::empty_body> head;
            head.header_limit(kHeaderLimit);
            head.body_limit(boost::none); // checked below, against the method's own limit
            c->stream.expires_after(kHeaderDeadline);
            co_await http::async_read_header(c->stream, buffer, head, asio::redirect_error(asio::use_awaitable, ec));
            c->idle = false;
            if (ec == http::error::header_limit || ec == http::error::bad_content_length ||
                ec == http::error::bad_method || ec == http::error::bad_target || ec == http::error::bad_version ||
                ec == http::error::bad_field || ec == http::error::bad_value || ec == http::error::bad_line_ending ||
                ec == http::error::multiple_content_length || ec == http::error::bad_transfer_encoding) {
                HttpResponse res;
                HttpRoutes::badRequest(res);
                co_await write(*c, res, 11, false, false);
                break;
            }
            if (ec) break;

            const std::string method(head.get().method_string());
            const size_t limit = HttpRoutes::bodyLimit(method);
            const unsigned version = head.get().version();
            if (head.content_length() && *head.content_length() > limit) {
                // Answered without reading the body; the connection cannot be reused after it.
                HttpResponse res;
                HttpRoutes::tooLarge(res);
                co_await write(*c, res, version, false, false);
                break;
            }
            if (beast::iequals(head.get()[http::field::expect], "100-continue")) {
                static const std::string go = "HTTP/1.1 100 Continue\r\n\r\n";
                c->stream.expires_after(kWriteDeadline);
                co_await asio::async_write(c->stream, asio::buffer(go), asio::redirect_error(asio::use_awaitable, ec));
                if (ec) break;
            }
            http::request_parser<http::string_body> parser(std::move(head));
            parser.body_limit(limit);
            c->stream.expires_after(kBodyDeadline);
            co_await http::async_read(c->stream, buffer, parser, asio::redirect_error(asio::use_awaitable, ec));
            if (ec == http::error::body_limit) {
                HttpResponse res;
                HttpRoutes::tooLarge(res);
                co_await write(*c, res, version, false, false);
                break;
            }
            if (ec) break;

            auto message = parser.release();
            HttpRequest req;
            req.method = method;
            std::string_view target = message.target();
            size_t question = target.find('?');
            req.path = decodeUrl(target.substr(0, question), false);
            if (question != std::string_view::npos) req.params = parseQuery(target.substr(question + 1));
            for (const auto &field : message) req.headers.emplace(std::string(field.name_string()), std::string(field.value()));
            req.body = std::move(message.body());
            req.peer = peer;
            HttpResponse res;
            routes.handle(req, res);
            const bool keepAlive = message.keep_alive() && !stopping;
            if (!co_await write(*c, res, version, keepAlive, method == "HEAD") || !keepAlive) break;
        }
        c->stream.socket().shutdown(tcp::socket::shutdown_send, ec);
        c->stream.close();
    }

    // Sends one answer; false when the connection failed on the way.
    asio::awaitable<bool> write(Connection &c, const HttpResponse &res, unsigned version, bool keepAlive, bool headOnly)
    {
        beast::error_code ec;
        http::response<http::empty_body> header(http::status(res.status), version);
        for (const auto &[key, value] : res.headers) header.insert(key, value);
        int fd = -1;
        if (!res.file.empty()) {
            fd = ::open(res.file.c_str(), O_RDONLY | O_CLOEXEC);
            if (fd < 0) co_return false;
        }
        header.content_length(fd >= 0 ? res.fileLength : res.body.size());
        if (res.status == 304) header.erase(http::field::content_length);
        header.keep_alive(keepAlive);
        http::response_serializer<http::empty_body> serializer(header);
        c.stream.expires_after(kWriteDeadline);
        co_await http::async_write_header(c.stream, serializer, asio::redirect_error(asio::use_awaitable, ec));
        if (!ec && !headOnly && fd < 0 && !res.body.empty())
            co_await asio::async_write(c.stream, asio::buffer(res.body), asio::redirect_error(asio::use_awaitable, ec));
        if (fd >= 0) {
            // Files are streamed in pieces: a large picture never sits whole in memory.
            std::vector<char> piece(64 * 1024);
            std::uint64_t offset = res.fileOffset, left = headOnly ? 0 : res.fileLength;
            while (!ec && left > 0) {
                ssize_t n = ::pread(fd, piece.data(), std::min<std::uint64_t>(left, piece.size()), off_t(offset));
                if (n <= 0) { ec = asio::error::eof; break; } // file shrank: the answer cannot be completed
                c.stream.expires_after(kWriteDeadline);
                co_await asio::async_write(c.stream, asio::buffer(piece.data(), size_t(n)), asio::redirect_error(asio::use_awaitable, ec));
                offset += std::uint64_t(n);
                left -= std::uint64_t(n);
            }
            ::close(fd);
        }
        co_return !ec;
    }

    HttpRoutes &routes;
    tcp::acceptor &acceptor;
    asio::io_context &io;
    std::atomic<bool> stopping = false;
    std::mutex liveMutex;
    std::list<std::shared_ptr<Connection>> live;
};

} // namespace

int serve(const fs::path &data, ServeOptions options)
{
    const std::string &host = options.host;
    const int port = options.port;
    asio::io_context io;
    tcp::acceptor acceptor(asio::make_strand(io));
    beast::error_code ec;
    tcp::resolver resolver(io);
    auto endpoints = resolver.resolve(host, std::to_string(port), tcp::resolver::passive | tcp::resolver::numeric_service, ec);
    if (ec || endpoints.empty()) { std::cerr << "serve: cannot resolve host " << host << "\n"; return 1; }
    tcp::endpoint endpoint = *endpoints.begin();
    acceptor.open(endpoint.protocol(), ec);
    // SO_REUSEADDR only: a port that another process listens on makes bind fail.
    if (!ec) acceptor.set_option(asio::socket_base::reuse_address(true), ec);
    if (!ec) acceptor.bind(endpoint, ec);
    if (ec == asio::error::address_in_use) { std::cerr << "serve: port " << port << " is already in use\n"; return 1; }
    if (!ec) acceptor.listen(asio::socket_base::max_listen_connections, ec);
    if (ec) { std::cerr << "serve: cannot listen on " << host << ":" << port << ": " << ec.message() << "\n"; return 1; }
    {
        auto local = acceptor.local_endpoint();
        std::string address = local.address().to_string();
        if (local.address().is_v6()) address = "[" + address + "]";
        options.routes.localOrigin = "http://" + address + ":" + std::to_string(local.port());
    }

    std::unique_ptr<Catalogue> catalogue = openCatalogue(options.database, data);
    Catalogue &db = *catalogue;
    // Jobs acknowledged but not finished when the last process stopped are done now, once each;
    // a job whose file is gone fails, and a file without a job to wait for it is removed, as are
    // renditions that no wallpaper came to use. On a shared catalogue other processes may be in
    // the middle of a job: theirs keep their claims, and only leftovers an hour old are removed
    // (an upload's file and renditions are written before its rows).
    const bool shared = db.shared();
    const auto leftover = shared ? std::chrono::seconds(3600) : std::chrono::seconds(0);
    fs::create_directories(data / "uploads");
    if (!shared) db.exec("UPDATE jobs SET status='queued', message='Queued' WHERE status='processing'");
    std::vector<std::string> pending;
    {
        Statement st = db.statement("SELECT id FROM jobs WHERE status IN ('queued','processing') ORDER BY created_at");
        while (st.step()) pending.push_back(st.str(0));
    }
    std::error_code fileError;
    for (const auto &entry : fs::directory_iterator(data / "uploads")) {
        if (std::find(pending.begin(), pending.end(), entry.path().filename().string()) != pending.end()) continue;
        if (shared && fs::last_write_time(entry.path(), fileError) > fs::file_time_type::clock::now() - leftover) continue;
        fs::remove(entry.path(), fileError);
    }
    removeOrphanRenditions(db, data / "images", leftover);
    for (const auto &job : pending)
        if (!fs::exists(data / "uploads" / job))
            db.statement("UPDATE jobs SET status='failed', message='The upload was lost' WHERE id=? AND status='queued'").bind(1, job).run();
    UploadWorker worker(db, data, options.uploadWorkers, std::chrono::seconds(options.decodeSeconds));
    HttpRoutes routes(db, worker, data, options.routes);
    HttpServer server(routes, acceptor, io);

    asio::signal_set signals(io, SIGINT, SIGTERM);
    signals.async_wait([&](const beast::error_code &error, int) {
        if (!error) server.stop();
    });
    asio::co_spawn(acceptor.get_executor(), server.accept(), asio::detached);
    std::cout << "listening on " << host << ":" << acceptor.local_endpoint().port() << std::endl;

    std::vector<std::thread> threads;
    unsigned count = std::max(4u, std::thread::hardware_concurrency());
    for (unsigned i = 1; i < count; ++i) threads.emplace_back([&] { io.run(); });
    io.run();
    for (auto &t : threads) t.join();
    worker.stop();
    return 0;
}
