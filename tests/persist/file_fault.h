// Fault injection for file tests: a file size limit makes writes fail part-way, as on a full
// disk, even for a user whom permissions do not stop; and a user whom they do stop.
#pragma once

#include <csignal>
#include <functional>
#include <grp.h>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace meridel::test {

class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : previousHandler_(std::signal(SIGXFSZ, SIG_IGN)) {
        getrlimit(RLIMIT_FSIZE, &previous_);
        const rlimit limit{bytes, previous_.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    void (*previousHandler_)(int);
    rlimit previous_{};
};

// Runs `write` as a user whom file permissions bind and returns its result. Such a user runs
// the tests already, unless they run as root (as in CI), whom permissions never stop: then it
// runs in a child process that has given root's rights up for those of "nobody". nullopt when
// they cannot be given up.
inline std::optional<std::string> AsUnprivilegedUser(const std::function<std::string()>& write) {
    if (geteuid() != 0) return write();
    int channel[2];
    if (pipe(channel) != 0) return std::nullopt;
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        if (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0) _exit(1);
        const std::string result = write();
        const bool sent = ::write(channel[1], result.data(), result.size()) == static_cast<ssize_t>(result.size());
        _exit(sent ? 0 : 1);
    }
    close(channel[1]);
    std::string result;
    char buffer[256];
    for (ssize_t n; (n = read(channel[0], buffer, sizeof buffer)) > 0;) result.append(buffer, static_cast<size_t>(n));
    close(channel[0]);
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return result;
}

}  // namespace meridel::test
