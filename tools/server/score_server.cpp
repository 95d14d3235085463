#include "score_server.h"

#include <httplib.h>

#include <ctime>

#include "score_pages.h"
#include "submission.h"

namespace {

constexpr std::size_t kBodyLimit = 1024;  // the server takes no bodies; anything more is junk
constexpr const char* kProgram = "Zarvex2";

void Answer(httplib::Response& response, int status, const std::string& text) {
    response.status = status;
    response.set_content(text, "text/plain; charset=utf-8");
}

void AnswerPage(httplib::Response& response, const std::string& html) {
    response.set_content(html, "text/html; charset=utf-8");
    response.set_header("Content-Security-Policy",
                        "default-src 'none'; style-src 'unsafe-inline'; img-src 'none'");
}

// A parameter given exactly once; absent or repeated counts as missing.
bool Single(const httplib::Request& request, const char* key, std::string& value) {
    if (request.get_param_value_count(key) != 1) return false;
    value = request.get_param_value(key);
    return true;
}

}  // namespace

TScoreServer::TScoreServer(TScoreServerConfig config)
    : config_(std::move(config)),
      store_(config_.Database),
      limiter_(
          config_.SubmissionsPerMinute,
          config_.Clock ? config_.Clock : [] { return std::chrono::steady_clock::now(); }),
      http_(std::make_unique<httplib::Server>()) {
    if (!config_.Now) config_.Now = [] { return static_cast<int64_t>(std::time(nullptr)); };
    Install();
}

TScoreServer::~TScoreServer() = default;

void TScoreServer::Install() {
    httplib::Server& http = *http_;
    http.set_payload_max_length(kBodyLimit);
    http.set_read_timeout(5, 0);
    http.set_write_timeout(5, 0);
    http.set_keep_alive_max_count(100);

    http.set_default_headers({{"X-Content-Type-Options", "nosniff"},
                              {"Referrer-Policy", "no-referrer"},
                              {"Cache-Control", "no-store"}});

    // An address longer than the HTTP layer reads (8 kB) is a bad request like any other junk
    // submission: one answer, 400, for everything the table refuses.
    http.set_error_handler([](const httplib::Request&, httplib::Response& response) {
        if (response.status == 414) {
            response.status = 400;
            response.set_content("Request too long.\n", "text/plain");
        }
        if (response.body.empty())
            response.set_content(std::to_string(response.status) + "\n", "text/plain");
    });
    http.set_exception_handler(
        [](const httplib::Request&, httplib::Response& response, std::exception_ptr) {
            Answer(response, 500, "The score table is out of order.\n");
        });

    http.Get("/", [](const httplib::Request&, httplib::Response& response) {
        AnswerPage(response, RenderHomePage());
    });

    http.Get(
        "/cgi/version.pl", [this](const httplib::Request& request, httplib::Response& response) {
            std::string program;
            if (!Single(request, "prg", program) || program != kProgram)
                return Answer(response, 404, "Unknown program.\n");

            if (request.has_param("hs")) {
                if (!limiter_.Allow(request.remote_addr)) {
                    response.set_header("Retry-After", "60");
                    return Answer(response, 429, "Too many submissions; try again in a minute.\n");
                }
                std::string encoded;
                if (!Single(request, "inf", encoded) || request.has_param("show"))
                    return Answer(response, 400, "Bad submission.\n");
                const auto entry = ParseSubmission(encoded);
                if (!entry) return Answer(response, 400, "Bad submission.\n");
                if (!store_.Add(*entry, config_.Now()))
                    return Answer(response, 500, "The score could not be stored.\n");
                return Answer(response, 200, "OK\n");
            }

            std::string type;
            if (request.has_param("show") && Single(request, "type", type) && type == "0") {
                const auto best = store_.Best(kTableSize);
                std::string format;
                if (Single(request, "format", format) && format == "json") {
                    response.set_content(RenderTableJson(best), "application/json");
                    return;
                }
                return AnswerPage(response, RenderTablePage(best));
            }
            Answer(response, 400, "Unknown request.\n");
        });
}

int TScoreServer::Bind() {
    if (config_.Port == 0) return http_->bind_to_any_port(config_.BindAddress);
    return http_->bind_to_port(config_.BindAddress, config_.Port) ? config_.Port : -1;
}

bool TScoreServer::Run() {
    return http_->listen_after_bind();
}

void TScoreServer::Stop() {
    http_->stop();
}

bool TScoreServer::IsRunning() const {
    return http_->is_running();
}
