#pragma once
// A PostgreSQL server of the test's own: a fresh cluster made by initdb in the test's folder,
// listening on a free loopback port, stopped and removed at the end. PostgreSQL refuses to run
// as root, so where the tests run as root the cluster belongs to the "postgres" system user (or
// "nobody"), and the test's folder is opened to it.
//
//   PostgresCluster cluster(temp.Path());
//   ASSERT_TRUE(cluster.Started()) << cluster.Log();
//   cluster.CreateDatabase("t1");
//   cluster.Address("t1")    // "postgresql://zarvex2@127.0.0.1:PORT/t1"

#include <libpq-fe.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "server/deploy/free_port.h"
#include "server/running_program.h"

class PostgresCluster {
public:
    static constexpr const char* kBin = "/usr/lib/postgresql/15/bin/";
    static constexpr const char* kUser = "zarvex2";  // the database's own superuser

    explicit PostgresCluster(const std::filesystem::path& folder)
        : data_(folder / "pg"), port_(FreePort()) {
        std::filesystem::create_directories(data_);
        if (geteuid() == 0) {
            const passwd* owner = getpwnam("postgres");
            if (owner == nullptr) owner = getpwnam("nobody");
            if (owner == nullptr) return;
            runAs_ = owner->pw_name;
            // The owner must reach its folder through the test's own.
            chmod(folder.c_str(), 0755);
            chown(data_.c_str(), owner->pw_uid, owner->pw_gid);
        }
        const std::string data = (data_ / "data").string();
        if (!Run({std::string(kBin) + "initdb", "-D", data, "-U", kUser, "--auth=trust", "-E",
                  "UTF8", "--no-sync", "--no-instructions"}))
            return;
        const std::string options = "-p " + std::to_string(port_) + " -k " + data_.string() +
                                    " -c listen_addresses=127.0.0.1 -c fsync=off"
                                    " -c max_connections=100";
        // pg_ctl -w returns once the server accepts connections.
        started_ =
            Run({std::string(kBin) + "pg_ctl", "-D", data, "-l", (data_ / "server.log").string(),
                 "-w", "-t", "120", "-o", options, "start"});
    }

    ~PostgresCluster() {
        if (started_)
            Run({std::string(kBin) + "pg_ctl", "-D", (data_ / "data").string(), "-m", "immediate",
                 "-w", "stop"});
    }
    PostgresCluster(const PostgresCluster&) = delete;
    PostgresCluster& operator=(const PostgresCluster&) = delete;

    bool Started() const { return started_; }
    int Port() const { return port_; }

    std::string Address(const std::string& database) const {
        return "postgresql://" + std::string(kUser) + "@127.0.0.1:" + std::to_string(port_) + "/" +
               database;
    }

    // What went wrong: the commands' errors and the server's log.
    std::string Log() const {
        std::ifstream in(data_ / "server.log");
        std::stringstream log;
        log << in.rdbuf();
        return errors_ + log.str();
    }

    // One SQL command on a database of the cluster; its error, empty when it worked.
    std::string Execute(const std::string& database, const std::string& sql) const {
        PGconn* connection = PQconnectdb(Address(database).c_str());
        std::string error;
        if (PQstatus(connection) != CONNECTION_OK) {
            error = PQerrorMessage(connection);
        } else {
            PGresult* result = PQexec(connection, sql.c_str());
            const ExecStatusType status = PQresultStatus(result);
            if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
                error = PQresultErrorMessage(result);
            PQclear(result);
        }
        PQfinish(connection);
        return error;
    }

    std::string CreateDatabase(const std::string& name) const {
        return Execute("postgres", "CREATE DATABASE " + name);
    }

private:
    bool Run(std::vector<std::string> command) {
        if (!runAs_.empty())
            command.insert(command.begin(), {"/usr/sbin/runuser", "-u", runAs_, "--"});
        RunningProgram program(command);
        const int status = program.WaitForExit(std::chrono::minutes(3));
        const bool worked = status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
        if (!worked) errors_ += command[runAs_.empty() ? 0 : 4] + ": " + program.ErrorText();
        return worked;
    }

    std::filesystem::path data_;
    int port_;
    std::string runAs_;
    bool started_ = false;
    std::string errors_;
};
