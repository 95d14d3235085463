#include "persist/small_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

std::optional<std::string> ReadSmallFile(const std::filesystem::path& path, std::size_t limit) {
    // Non-blocking, so that opening a pipe returns at once instead of waiting for a writer.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return std::nullopt;
    }
    std::string text(limit, '\0');
    std::size_t filled = 0;
    while (filled < text.size()) {
        const ssize_t got = read(fd, text.data() + filled, text.size() - filled);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        filled += static_cast<std::size_t>(got);
    }
    close(fd);
    text.resize(filled);
    return text;
}

int CreateFreshFile(const std::filesystem::path& path) {
    // O_EXCL with O_CREAT refuses any name that exists, a link to another file included, so a
    // leftover is removed first; if something takes the name again in between, the open fails.
    // (A plain create-and-truncate would write through a planted link: docs/departures.md.)
    if (unlink(path.c_str()) != 0 && errno != ENOENT) return -1;
    return open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
}

bool WriteAllTo(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t put = write(fd, text.data(), text.size());
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) {
            if (put == 0) errno = EIO;
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(put));
    }
    return true;
}

bool WriteSmallFile(const std::filesystem::path& path, std::string_view text, std::string& error) {
    std::filesystem::path temporary = path;
    temporary += ".saving";
    const int fd = CreateFreshFile(temporary);
    if (fd < 0) {
        error = temporary.string() + ": " + std::strerror(errno);
        return false;
    }
    int reason = 0;
    if (!WriteAllTo(fd, text))
        reason = errno;
    else if (fsync(fd) != 0)
        reason = errno;
    if (close(fd) != 0 && reason == 0) reason = errno;
    if (reason == 0 && std::rename(temporary.c_str(), path.c_str()) != 0) reason = errno;
    if (reason != 0) {
        unlink(temporary.c_str());
        error = path.string() + ": " + std::strerror(reason);
        return false;
    }
    return true;
}
