#pragma once
// A score server running in the test process on a free loopback port, with its database in a
// fresh folder, a clock the test moves by hand and its log lines kept for the test to read.

#include <httplib.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "persist/temp_folder.h"
#include "score_server.h"

// Percent-encodes everything but letters and digits, so a test can send any bytes.
inline std::string EncodeParameter(std::string_view text) {
    static const char* const hex = "0123456789ABCDEF";
    std::string out;
    for (const char c : text) {
        const unsigned code = static_cast<unsigned char>(c);
        if (std::isalnum(code)) {
            out += c;
        } else {
            out += '%';
            out += hex[code >> 4];
            out += hex[code & 15];
        }
    }
    return out;
}

class ServerFixture : public testing::Test {
protected:
    static constexpr int64_t kStoredAt = 1715904000;  // 2024-05-17 00:00:00 UTC

    // The server's settings; a test may change them before StartServer().
    TScoreServerConfig Config() {
        TScoreServerConfig config;
        config.Port = 0;
        config.Database = (temp.Path() / "scores.sqlite").string();
        config.ClockMs = [this] { return clockMs.load(); };
        config.Now = [] { return kStoredAt; };
        config.Log = [this](const std::string& line) {
            std::lock_guard lock(logMutex);
            log.push_back(line);
        };
        return config;
    }

    void StartServer(int submissionsPerMinute = 30) {
        TScoreServerConfig config = Config();
        config.SubmissionsPerMinute = submissionsPerMinute;
        StartServer(config);
    }

    void StartServer(const TScoreServerConfig& config) {
        server = std::make_unique<TScoreServer>(config);
        port = server->Bind();
        ASSERT_GT(port, 0);
        thread = std::thread([this] { server->Run(); });
        while (!server->IsRunning()) std::this_thread::yield();
        client = std::make_unique<httplib::Client>("127.0.0.1", port);
        client->set_url_encode(false);
    }

    void TearDown() override {
        if (!server) return;
        server->Stop();
        thread.join();
    }

    std::string Base() const { return "http://127.0.0.1:" + std::to_string(port); }

    // The status of a GET; 0 when there was no answer.
    int Status(const std::string& path) {
        const auto result = client->Get(path);
        return result ? result->status : 0;
    }

    int Submit(std::string_view inf) {
        return Status("/cgi/version.pl?hs&prg=Zarvex2&inf=" + EncodeParameter(inf));
    }

    std::string Json() {
        const auto result = client->Get("/cgi/version.pl?prg=Zarvex2&show&type=0&format=json");
        return result && result->status == 200 ? result->body : "";
    }

    void AdvanceClock(std::chrono::milliseconds by) { clockMs += by.count(); }

    std::vector<std::string> Log() {
        std::lock_guard lock(logMutex);
        return log;
    }

    TempFolder temp;
    std::unique_ptr<TScoreServer> server;
    std::thread thread;
    int port = 0;
    std::unique_ptr<httplib::Client> client;
    std::atomic<int64_t> clockMs{1000000};
    std::mutex logMutex;
    std::vector<std::string> log;
};
