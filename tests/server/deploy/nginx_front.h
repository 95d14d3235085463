#pragma once
// The deployment's own nginx front (deploy/nginx/zarvex2-scores.conf) run by the test: the file
// as shipped, with only its ports, its log files and, where a test asks, its rates replaced, in
// front of score server processes on this machine. It runs in the test's folder on a free
// loopback port, in the foreground, and is stopped at the end.
//
//   NginxFront front(temp.Path(), {firstPort, secondPort}, {{"rate=30r/m", "rate=60r/s"}});
//   ASSERT_TRUE(front.Started()) << front.Log();
//   front.Base()    // "http://127.0.0.1:PORT"

#include <poll.h>
#include <sys/inotify.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "server/deploy/free_port.h"
#include "server/running_program.h"

class NginxFront {
public:
    NginxFront(const std::filesystem::path& folder, const std::vector<int>& appPorts,
               const std::vector<std::pair<std::string, std::string>>& changes = {})
        : folder_(folder / "nginx"), port_(FreePort()) {
        std::filesystem::create_directories(folder_);
        // The workers may run as another user: the folders they write to are open to them.
        chmod(folder.c_str(), 0755);
        chmod(folder_.c_str(), 0777);
        std::string site = ReadFile(std::filesystem::path(ZARVEX_SOURCE_DIR) / "deploy" / "nginx" /
                                    "zarvex2-scores.conf");
        std::vector<std::pair<std::string, std::string>> all = {
            {"listen 80;", "listen 127.0.0.1:" + std::to_string(port_) + ";"},
            {"listen [::]:80;", ""},
            {"/var/log/nginx/", folder_.string() + "/"},
            {"server 127.0.0.1:8701", "server 127.0.0.1:" + std::to_string(appPorts.at(0))},
            {"server 127.0.0.1:8702", "server 127.0.0.1:" + std::to_string(appPorts.at(1))},
        };
        all.insert(all.end(), changes.begin(), changes.end());
        // Every occurrence is replaced: no log may end up outside the test's folder.
        for (const auto& [from, to] : all) {
            if (site.find(from) == std::string::npos) {
                missing_ += "\"" + from + "\" is not in the deployment's file\n";
                return;
            }
            for (auto at = site.find(from); at != std::string::npos;
                 at = site.find(from, at + to.size()))
                site.replace(at, from.size(), to);
        }
        WriteFile(folder_ / "site.conf", site);
        const std::string root = folder_.string();
        WriteFile(folder_ / "nginx.conf", "worker_processes 1;\npid " + root +
                                              "/nginx.pid;\nevents {\n"
                                              "    worker_connections 1024;\n}\nhttp {\n"
                                              "    client_body_temp_path " +
                                              root +
                                              "/body;\n"
                                              "    proxy_temp_path " +
                                              root +
                                              "/proxy;\n"
                                              "    fastcgi_temp_path " +
                                              root +
                                              "/fastcgi;\n"
                                              "    uwsgi_temp_path " +
                                              root +
                                              "/uwsgi;\n"
                                              "    scgi_temp_path " +
                                              root +
                                              "/scgi;\n"
                                              "    include " +
                                              root + "/site.conf;\n}\n");

        const int watch = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
        inotify_add_watch(watch, folder_.c_str(), IN_CLOSE_WRITE | IN_MOVED_TO);
        program_ = std::make_unique<RunningProgram>(
            std::vector<std::string>{"/usr/sbin/nginx", "-p", root, "-c", root + "/nginx.conf",
                                     "-e", root + "/error.log", "-g", "daemon off;"});
        // nginx writes its pid file once its port listens: that is the moment to go on.
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!std::filesystem::exists(folder_ / "nginx.pid") ||
               std::filesystem::file_size(folder_ / "nginx.pid") == 0) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                end - std::chrono::steady_clock::now());
            pollfd changed{watch, POLLIN, 0};
            if (left.count() <= 0 || program_->WaitForExit(std::chrono::milliseconds(0)) != -1)
                break;
            if (poll(&changed, 1, static_cast<int>(std::min<long>(left.count(), 200))) == 1) {
                char events[4096];
                while (read(watch, events, sizeof events) > 0) {
                }
            }
        }
        close(watch);
        started_ = std::filesystem::exists(folder_ / "nginx.pid") &&
                   std::filesystem::file_size(folder_ / "nginx.pid") > 0;
    }

    ~NginxFront() {
        if (program_) {
            program_->Signal(SIGQUIT);  // a graceful end; the destructor kills what lingers
            program_->WaitForExit(std::chrono::seconds(30));
        }
    }

    bool Started() const { return started_; }
    std::string Base() const { return "http://127.0.0.1:" + std::to_string(port_); }
    std::string Log() const {
        return missing_ + ReadFile(folder_ / "error.log") +
               ReadFile(folder_ / "zarvex2-scores.error.log");
    }

private:
    static std::string ReadFile(const std::filesystem::path& path) {
        std::ifstream in(path);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    static void WriteFile(const std::filesystem::path& path, const std::string& text) {
        std::ofstream(path) << text;
    }

    std::filesystem::path folder_;
    int port_;
    std::unique_ptr<RunningProgram> program_;
    bool started_ = false;
    std::string missing_;
};
