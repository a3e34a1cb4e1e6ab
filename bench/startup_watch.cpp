// Starts a program on $DISPLAY and times, from the moment before it is
// spawned, when its first top-level window is mapped and, optionally, when
// it shows a file; then reports its peak RSS. Used by startup.sh.
//
//   startup_watch [--stderr-line TEXT | --title-contains TEXT]
//                 [--settle MS] [--timeout MS] [--] PROGRAM [ARGS...]
//
// Prints one line on stdout: "mapped_ms shown_ms rss_kb", "NA" for what was
// not reached. Without a rule, shown is the mapped time.
//   mapped: the first MapNotify of a top-level window (a child of the root,
//           not override-redirect) whose _NET_WM_PID is the child's pid;
//   shown:  --stderr-line: the first line on the child's stderr that begins
//           with TEXT; --title-contains: the first moment the mapped window's
//           _NET_WM_NAME or WM_NAME contains TEXT (already at map time, or
//           on a later PropertyNotify);
//   rss_kb: VmHWM of the child, read SETTLE ms (300) after shown.
// The child's stderr and stdout are copied to our stderr; our own messages
// begin with "startup_watch: ". Exit status: 0 all measured, 1 something
// not reached (the line is still printed), 2 bad usage or no display.
//
// Everything waits in poll() on the X connection, the child's stderr pipe,
// a pidfd of the child and a signalfd, so the watcher takes no CPU from the
// program it measures, and each moment is taken as the event is read.
#include <xcb/xcb.h>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <string_view>
#include <sys/signalfd.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

constexpr const char* kUsage =
    "usage: startup_watch [--stderr-line TEXT | --title-contains TEXT] [--settle MS]\n"
    "                     [--timeout MS] [--] PROGRAM [ARGS...]\n";

void message(const std::string& text) {
    std::fprintf(stderr, "startup_watch: %s\n", text.c_str());
}

double nowMs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) * 1000.0 + double(t.tv_nsec) / 1e6;
}

struct Options {
    enum class Rule { None, StderrLine, TitleContains };
    Rule rule = Rule::None;
    std::string text;
    int settleMs = 300;
    int timeoutMs = 20000;
    std::vector<char*> command; // null-terminated, for posix_spawnp
};

std::optional<int> parseMs(const char* text) {
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || value < 0 || value > 3600000)
        return std::nullopt;
    return int(value);
}

std::optional<Options> parseOptions(int argc, char* argv[]) {
    Options options;
    int i = 1;
    for (; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--") {
            ++i;
            break;
        }
        if (arg.empty() || arg[0] != '-')
            break;
        if (i + 1 >= argc) {
            message(std::string(arg) + " needs a value");
            return std::nullopt;
        }
        const char* value = argv[++i];
        if (arg == "--stderr-line" || arg == "--title-contains") {
            if (options.rule != Options::Rule::None || *value == '\0') {
                message("give one non-empty --stderr-line or --title-contains");
                return std::nullopt;
            }
            options.rule =
                arg == "--stderr-line" ? Options::Rule::StderrLine : Options::Rule::TitleContains;
            options.text = value;
        } else if (arg == "--settle" || arg == "--timeout") {
            const std::optional<int> ms = parseMs(value);
            if (!ms) {
                message(std::string(value) + ": not a number of milliseconds");
                return std::nullopt;
            }
            (arg == "--settle" ? options.settleMs : options.timeoutMs) = *ms;
        } else {
            message("unknown option " + std::string(arg));
            return std::nullopt;
        }
    }
    if (i >= argc)
        return std::nullopt;
    options.command.assign(argv + i, argv + argc);
    options.command.push_back(nullptr);
    return options;
}

// The X side: top-level windows of one process, their titles.
class Display {
public:
    bool open() {
        connection_ = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(connection_)) {
            const char* name = std::getenv("DISPLAY");
            message(std::string("cannot connect to the X display ") +
                    (name ? name : "(DISPLAY unset)"));
            return false;
        }
        fcntl(fd(), F_SETFD, FD_CLOEXEC);
        root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
        netWmPid_ = atom("_NET_WM_PID");
        netWmName_ = atom("_NET_WM_NAME");
        // Selected and confirmed before the program starts, so that none of
        // its windows can be created or mapped unseen.
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_generic_error_t* error = xcb_request_check(
            connection_,
            xcb_change_window_attributes_checked(connection_, root_, XCB_CW_EVENT_MASK, &mask));
        if (error != nullptr) {
            std::free(error);
            message("cannot watch the root window");
            return false;
        }
        return true;
    }
    ~Display() {
        if (connection_ != nullptr)
            xcb_disconnect(connection_);
    }

    int fd() const { return xcb_get_file_descriptor(connection_); }
    bool broken() const { return xcb_connection_has_error(connection_) != 0; }
    xcb_generic_event_t* nextEvent() { return xcb_poll_for_event(connection_); }
    void flush() { xcb_flush(connection_); }
    bool isTitleAtom(xcb_atom_t atom) const {
        return atom == netWmName_ || atom == XCB_ATOM_WM_NAME;
    }

    // Title changes of a window that may become the program's main window;
    // asked for when the window is created, before it can be mapped.
    void watchProperties(xcb_window_t window) {
        const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_change_window_attributes(connection_, window, XCB_CW_EVENT_MASK, &mask);
    }

    std::optional<uint32_t> pidOf(xcb_window_t window) {
        const std::string value = property(window, netWmPid_, XCB_ATOM_CARDINAL);
        if (value.size() < sizeof(uint32_t))
            return std::nullopt;
        uint32_t pid = 0;
        std::memcpy(&pid, value.data(), sizeof pid);
        return pid;
    }

    bool titleContains(xcb_window_t window, const std::string& text) {
        return property(window, netWmName_, XCB_ATOM_ANY).find(text) != std::string::npos ||
               property(window, XCB_ATOM_WM_NAME, XCB_ATOM_ANY).find(text) != std::string::npos;
    }

private:
    xcb_atom_t atom(const char* name) {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
            connection_, xcb_intern_atom(connection_, 0, uint16_t(std::strlen(name)), name),
            nullptr);
        const xcb_atom_t result = reply != nullptr ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(reply);
        return result;
    }

    std::string property(xcb_window_t window, xcb_atom_t name, xcb_atom_t type) {
        xcb_get_property_reply_t* reply = xcb_get_property_reply(
            connection_, xcb_get_property(connection_, 0, window, name, type, 0, 4096), nullptr);
        std::string value;
        if (reply != nullptr) {
            value.assign(static_cast<const char*>(xcb_get_property_value(reply)),
                         size_t(xcb_get_property_value_length(reply)));
            std::free(reply);
        }
        return value;
    }

    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = 0;
    xcb_atom_t netWmPid_ = XCB_ATOM_NONE;
    xcb_atom_t netWmName_ = XCB_ATOM_NONE;
};

// The child's stderr, split into lines and copied to ours.
class StderrLines {
public:
    explicit StderrLines(int fd) : fd_(fd) {}
    int fd() const { return fd_; }
    bool open() const { return fd_ >= 0; }

    // Reads what is there; true when a complete line beginning with
    // `prefix` has arrived since the last call (or at end of file).
    bool read(const std::string& prefix) {
        char buffer[4096];
        const ssize_t n = ::read(fd_, buffer, sizeof buffer);
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            return false;
        if (n <= 0) {
            close(fd_);
            fd_ = -1;
            return !pending_.empty() && matches(pending_, prefix);
        }
        (void)!write(STDERR_FILENO, buffer, size_t(n));
        pending_.append(buffer, size_t(n));
        bool found = false;
        size_t start = 0;
        for (size_t end; (end = pending_.find('\n', start)) != std::string::npos; start = end + 1)
            found = found || matches(std::string_view(pending_).substr(start, end - start), prefix);
        pending_.erase(0, start);
        return found;
    }

    ~StderrLines() {
        if (fd_ >= 0)
            close(fd_);
    }

private:
    static bool matches(std::string_view line, const std::string& prefix) {
        return !prefix.empty() && line.substr(0, prefix.size()) == prefix;
    }
    int fd_;
    std::string pending_;
};

std::optional<long> peakRssKb(pid_t pid) {
    const std::string path = "/proc/" + std::to_string(pid) + "/status";
    FILE* status = std::fopen(path.c_str(), "r");
    if (status == nullptr)
        return std::nullopt;
    char line[256];
    std::optional<long> result;
    while (std::fgets(line, sizeof line, status) != nullptr)
        if (std::strncmp(line, "VmHWM:", 6) == 0)
            result = std::strtol(line + 6, nullptr, 10);
    std::fclose(status);
    return result;
}

// Waits until `fd` is readable or `ms` have passed; true if readable.
bool waitReadable(int fd, int ms) {
    pollfd p{fd, POLLIN, 0};
    int r;
    while ((r = poll(&p, 1, ms)) < 0 && errno == EINTR) {
    }
    return r > 0;
}

// Ends the child and anything it started in its process group, and reaps it.
void stop(pid_t pid, int pidfd) {
    kill(-pid, SIGTERM);
    if (!waitReadable(pidfd, 3000)) {
        message("the program ignored SIGTERM; killing it");
        kill(-pid, SIGKILL);
        waitReadable(pidfd, 3000);
    }
    // The exited leader still holds its pid, so the group id cannot yet
    // name another process: clear helpers it left behind.
    kill(-pid, SIGKILL);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
}

std::string ms(std::optional<double> value) {
    return value ? std::to_string(long(*value + 0.5)) : "NA";
}

} // namespace

int main(int argc, char* argv[]) {
    const std::optional<Options> options = parseOptions(argc, argv);
    if (!options) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    Display display;
    if (!display.open())
        return 2;

    // SIGINT/SIGTERM/SIGHUP arrive through a signalfd so that an interrupted
    // benchmark still ends the program it started; the child gets them back.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGHUP);
    sigprocmask(SIG_BLOCK, &signals, nullptr);
    const int signalFd = signalfd(-1, &signals, SFD_CLOEXEC | SFD_NONBLOCK);

    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) {
        message(std::string("cannot create a pipe: ") + std::strerror(errno));
        return 2;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, STDERR_FILENO, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDERR_FILENO);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETPGROUP);

    display.flush();
    const double t0 = nowMs();
    pid_t pid = 0;
    const int spawnError = posix_spawnp(&pid, options->command[0], &actions, &attributes,
                                        options->command.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    close(pipeFds[1]);
    if (spawnError != 0) {
        close(pipeFds[0]);
        message(std::string("cannot start ") + options->command[0] + ": " +
                std::strerror(spawnError));
        return 2;
    }
    fcntl(pipeFds[0], F_SETFL, O_NONBLOCK);
    StderrLines childStderr(pipeFds[0]);
    const int pidfd = int(syscall(SYS_pidfd_open, pid, 0));
    if (pidfd < 0) {
        message(std::string("pidfd_open failed: ") + std::strerror(errno));
        kill(-pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        return 2;
    }

    const bool byLine = options->rule == Options::Rule::StderrLine;
    const bool byTitle = options->rule == Options::Rule::TitleContains;
    std::optional<double> mapped, shown;
    std::optional<xcb_window_t> window;
    bool exited = false, interrupted = false;
    double deadline = t0 + options->timeoutMs;
    bool settling = false;

    for (;;) {
        if (!settling && mapped && (shown || options->rule == Options::Rule::None)) {
            settling = true;
            deadline = nowMs() + options->settleMs;
        }
        // Events may already be queued by a reply we waited for; take them
        // before sleeping.
        while (xcb_generic_event_t* event = display.nextEvent()) {
            const double at = nowMs() - t0;
            switch (event->response_type & 0x7f) {
            case XCB_CREATE_NOTIFY: {
                const auto* e = reinterpret_cast<xcb_create_notify_event_t*>(event);
                if (byTitle && !e->override_redirect)
                    display.watchProperties(e->window);
                break;
            }
            case XCB_MAP_NOTIFY: {
                const auto* e = reinterpret_cast<xcb_map_notify_event_t*>(event);
                if (!mapped && !e->override_redirect && display.pidOf(e->window) == uint32_t(pid)) {
                    mapped = at;
                    window = e->window;
                    if (byTitle && display.titleContains(e->window, options->text))
                        shown = at;
                }
                break;
            }
            case XCB_PROPERTY_NOTIFY: {
                const auto* e = reinterpret_cast<xcb_property_notify_event_t*>(event);
                if (byTitle && !shown && window == e->window && display.isTitleAtom(e->atom) &&
                    display.titleContains(e->window, options->text))
                    shown = at;
                break;
            }
            default: // errors from windows gone before we watched them; nothing to do
                break;
            }
            std::free(event);
        }
        display.flush();
        if (settling && !shown)
            shown = mapped;
        if (exited || interrupted || display.broken())
            break;
        const double now = nowMs();
        if (now >= deadline)
            break;

        pollfd fds[4] = {{display.fd(), POLLIN, 0},
                         {pidfd, POLLIN, 0},
                         {signalFd, POLLIN, 0},
                         {childStderr.open() ? childStderr.fd() : -1, POLLIN, 0}};
        const int r = poll(fds, 4, int(deadline - now) + 1);
        if (r < 0 && errno != EINTR) {
            message(std::string("poll failed: ") + std::strerror(errno));
            break;
        }
        if (fds[3].revents != 0 && childStderr.read(byLine ? options->text : std::string()) &&
            !shown)
            shown = nowMs() - t0;
        if (fds[1].revents != 0)
            exited = true;
        if (fds[2].revents != 0)
            interrupted = true;
    }

    const std::optional<long> rss = exited ? std::nullopt : peakRssKb(pid);
    if (exited)
        message("the program exited before it was measured");
    else if (interrupted)
        message("interrupted");
    else if (display.broken())
        message("lost the connection to the X display");
    else if (!mapped)
        message("no window of the program was mapped within the timeout");
    else if (!shown)
        message("the program did not show the file within the timeout");
    stop(pid, pidfd);
    close(pidfd);

    std::printf("%s %s %s\n", ms(mapped).c_str(), ms(shown).c_str(),
                rss ? std::to_string(*rss).c_str() : "NA");
    if (interrupted)
        return 130;
    return mapped && shown && rss ? 0 : 1;
}
