#include "media/ChildProcess.h"

#include "media/StopSignal.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

class Fd
{
public:
    explicit Fd(int fd = -1)
        : m_fd(fd)
    { }
    ~Fd() { reset(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return m_fd; }
    void reset(int fd = -1)
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }

private:
    int m_fd;
};

// Collects the child so that it never lingers as a zombie; kills it first when asked.
bool reap(pid_t pid, bool kill)
{
    if (kill)
        ::kill(pid, SIGKILL);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return false;
    }
    return !kill && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

std::optional<std::string> ChildProcess::run(const std::vector<std::string>& argv,
    std::string_view input, const StopSignal* stop, std::chrono::milliseconds timeout)
{
    if (argv.empty() || (stop && stop->raised()))
        return std::nullopt;

    // The input goes through a socket, so that writing to a child that has died gives an error
    // instead of a signal that would end the whole program.
    std::array<int, 2> in {};
    std::array<int, 2> out {};
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, in.data()) != 0)
        return std::nullopt;
    Fd inParent(in[0]);
    Fd inChild(in[1]);
    if (::pipe2(out.data(), O_CLOEXEC) != 0)
        return std::nullopt;
    Fd outParent(out[0]);
    Fd outChild(out[1]);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, inChild.get(), STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, outChild.get(), STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigemptyset(&none);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);

    pid_t pid = 0;
    const int spawned = ::posix_spawnp(&pid, args[0], &actions, &attributes, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    inChild.reset();
    outChild.reset();
    if (spawned != 0)
        return std::nullopt;

    // Becomes readable when the child ends, so its end can be waited for together with its output.
    Fd exited(static_cast<int>(::syscall(SYS_pidfd_open, pid, 0)));
    ::fcntl(inParent.get(), F_SETFL, O_NONBLOCK);
    if (input.empty())
        ::shutdown(inParent.get(), SHUT_WR);

    std::string output;
    bool outputOpen = true;
    bool childDone = exited.get() < 0; // without a process descriptor, end of output is the end
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::array<char, 65536> buffer {};

    while (outputOpen || !childDone) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            break;
        std::array<pollfd, 4> fds {};
        nfds_t count = 0;
        const auto watch = [&](int fd, short events) {
            fds[count] = pollfd { fd, events, 0 };
            return fd >= 0 ? static_cast<int>(count++) : -1;
        };
        const int outIndex = outputOpen ? watch(outParent.get(), POLLIN) : -1;
        const int inIndex = !input.empty() ? watch(inParent.get(), POLLOUT) : -1;
        const int stopIndex = stop ? watch(stop->native(), POLLIN) : -1;
        const int exitIndex = !childDone ? watch(exited.get(), POLLIN) : -1;

        const int ready = ::poll(fds.data(), count, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0)
            break;
        if (stopIndex >= 0 && fds[stopIndex].revents != 0)
            stop->acknowledge(); // a wake-up left from an earlier text must not spin the loop
        if (stop && stop->raised())
            break;
        if (inIndex >= 0 && fds[inIndex].revents != 0) {
            const ssize_t sent
                = ::send(inParent.get(), input.data(), input.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
            if (sent > 0)
                input.remove_prefix(static_cast<std::size_t>(sent));
            else if (errno != EAGAIN && errno != EINTR)
                input = {};
            if (input.empty())
                ::shutdown(inParent.get(), SHUT_WR);
        }
        if (outIndex >= 0 && fds[outIndex].revents != 0) {
            const ssize_t got = ::read(outParent.get(), buffer.data(), buffer.size());
            if (got > 0) {
                output.append(buffer.data(), static_cast<std::size_t>(got));
                if (output.size() > kMaxOutputBytes)
                    break;
            } else if (got == 0 || (errno != EAGAIN && errno != EINTR)) {
                outputOpen = false;
            }
        }
        if (exitIndex >= 0 && fds[exitIndex].revents != 0)
            childDone = true;
    }

    const bool finished = !outputOpen && childDone;
    if (!reap(pid, !finished) || !finished)
        return std::nullopt;
    return output;
}
