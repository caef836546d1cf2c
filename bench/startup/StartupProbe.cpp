// Starts a program on the running X server and measures what its user notices first and what a
// laptop's battery notices afterwards: the time from exec to its first window mapped and to that
// window's first frame painted, its resident memory once it has settled, and the processor time
// and wake-ups it costs while it waits.
//
//   tapomi_startup_probe [--settle S] [--cpu S] [--wakeups S] PROGRAM [ARGUMENTS...]
//
// Prints one line of name=value pairs. The memory is read S seconds (default 4) after the first
// frame; the processor time is taken over the next --cpu seconds (default 5) and the context
// switches of all threads over the next --wakeups seconds (default 10), both from that moment.
// The program is ended with SIGTERM afterwards.
//
// The window counted is the first top-level window mapped whose _NET_WM_PID is the program's (any
// top-level window when the property is missing). Two times are taken after its map: the first
// damage the X server reports on it (paint_ms), which is the program's first drawing of any kind,
// and the moment the damaged rectangles reported since the map add up to 90 % of the window
// (frame_ms). A first flush can come as several rectangles, and only when the last of them is
// drawn does the child see the whole first frame; that is the figure to hold against the floor.

#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Options
{
    double settleSeconds = 4;
    double cpuSeconds = 5;
    double wakeupSeconds = 10;
    std::vector<char*> command;
};

struct TaskSample
{
    std::uint64_t cpuNs = 0;
    std::uint64_t switches = 0;
};

[[noreturn]] void fail(const std::string& message)
{
    std::fprintf(stderr, "tapomi_startup_probe: %s\n", message.c_str());
    std::exit(2);
}

Options parse(int argc, char** argv)
{
    Options options;
    int i = 1;
    while (i < argc && std::strncmp(argv[i], "--", 2) == 0) {
        const std::string name = argv[i++];
        if (name == "--")
            break;
        if (i >= argc)
            fail("missing value after " + name);
        const double value = std::strtod(argv[i++], nullptr);
        if (name == "--settle")
            options.settleSeconds = value;
        else if (name == "--cpu")
            options.cpuSeconds = value;
        else if (name == "--wakeups")
            options.wakeupSeconds = value;
        else
            fail("unknown option " + name);
    }
    for (; i < argc; ++i)
        options.command.push_back(argv[i]);
    if (options.command.empty())
        fail("usage: tapomi_startup_probe [--settle S] [--cpu S] [--wakeups S] PROGRAM [ARGS...]");
    options.command.push_back(nullptr);
    return options;
}

double millisecondsBetween(Clock::time_point a, Clock::time_point b)
{
    return std::chrono::duration<double, std::milli>(b - a).count();
}

std::uint64_t statusValue(const std::string& statusText, const std::string& key)
{
    std::istringstream lines(statusText);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind(key + ":", 0) == 0)
            return std::strtoull(line.c_str() + key.size() + 1, nullptr, 10);
    }
    return 0;
}

std::string readText(const std::filesystem::path& path)
{
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Every thread of the process: its time on a processor (nanoseconds) and its context switches,
// voluntary (it went to sleep) and involuntary (it was preempted). A thread that ends between two
// samples takes its share with it; tapomi's threads live for the whole run.
std::map<int, TaskSample> sampleTasks(pid_t pid)
{
    std::map<int, TaskSample> tasks;
    std::error_code error;
    const std::filesystem::path folder = "/proc/" + std::to_string(pid) + "/task";
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        TaskSample sample;
        std::istringstream(readText(entry.path() / "schedstat")) >> sample.cpuNs;
        const std::string status = readText(entry.path() / "status");
        sample.switches = statusValue(status, "voluntary_ctxt_switches")
            + statusValue(status, "nonvoluntary_ctxt_switches");
        tasks[std::atoi(entry.path().filename().c_str())] = sample;
    }
    return tasks;
}

TaskSample difference(
    const std::map<int, TaskSample>& before, const std::map<int, TaskSample>& after)
{
    TaskSample total;
    for (const auto& [tid, sample] : after) {
        const auto found = before.find(tid);
        const TaskSample start = found == before.end() ? TaskSample {} : found->second;
        total.cpuNs += sample.cpuNs - std::min(sample.cpuNs, start.cpuNs);
        total.switches += sample.switches - std::min(sample.switches, start.switches);
    }
    return total;
}

xcb_atom_t atom(xcb_connection_t* connection, const char* name)
{
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection,
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
        nullptr);
    const xcb_atom_t value = reply ? reply->atom : xcb_atom_t { XCB_ATOM_NONE };
    std::free(reply);
    return value;
}

// The process that owns a window, or -1 when the window does not say.
long windowPid(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t pidAtom)
{
    xcb_get_property_reply_t* reply = xcb_get_property_reply(connection,
        xcb_get_property(connection, 0, window, pidAtom, XCB_ATOM_CARDINAL, 0, 1), nullptr);
    long pid = -1;
    if (reply && xcb_get_property_value_length(reply) == 4)
        pid = *static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
    std::free(reply);
    return pid;
}

// The part of a damaged rectangle that lies inside the window, in pixels.
double overlap(const xcb_rectangle_t& area, const xcb_rectangle_t& bounds)
{
    const int left = std::max<int>(area.x, bounds.x);
    const int top = std::max<int>(area.y, bounds.y);
    const int right = std::min<int>(area.x + area.width, bounds.x + bounds.width);
    const int bottom = std::min<int>(area.y + area.height, bounds.y + bounds.height);
    return right > left && bottom > top ? double(right - left) * (bottom - top) : 0.0;
}

bool alive(pid_t pid)
{
    int status = 0;
    return ::waitpid(pid, &status, WNOHANG) == 0;
}

void end(pid_t pid)
{
    ::kill(pid, SIGTERM);
    const auto limit = Clock::now() + std::chrono::seconds(5);
    while (Clock::now() < limit) {
        int status = 0;
        if (::waitpid(pid, &status, WNOHANG) == pid)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
}

} // namespace

int main(int argc, char** argv)
{
    const Options options = parse(argc, argv);

    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection))
        fail("cannot reach the X server (DISPLAY)");
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const xcb_query_extension_reply_t* damageExtension
        = xcb_get_extension_data(connection, &xcb_damage_id);
    if (!damageExtension || !damageExtension->present)
        fail("the X server has no DAMAGE extension");
    std::free(xcb_damage_query_version_reply(
        connection, xcb_damage_query_version(connection, 1, 1), nullptr));
    const xcb_atom_t pidAtom = atom(connection, "_NET_WM_PID");

    // Every top-level window's creation and mapping is reported to us.
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);

    const Clock::time_point started = Clock::now();
    const pid_t pid = ::fork();
    if (pid < 0)
        fail("cannot fork");
    if (pid == 0) {
        ::close(xcb_get_file_descriptor(connection));
        ::execvp(options.command[0], options.command.data());
        std::perror("exec");
        ::_exit(127);
    }

    std::map<xcb_window_t, xcb_damage_damage_t> damages;
    xcb_window_t chosen = XCB_WINDOW_NONE;
    Clock::time_point mappedAt {};
    Clock::time_point paintedAt {};
    Clock::time_point framedAt {};
    xcb_rectangle_t bounds {};
    double damagedArea = 0;
    const auto deadline = started + std::chrono::seconds(60);
    pollfd watch { xcb_get_file_descriptor(connection), POLLIN, 0 };
    while (framedAt == Clock::time_point {}) {
        if (Clock::now() > deadline || !alive(pid)) {
            end(pid);
            fail("the program showed no painted window");
        }
        xcb_generic_event_t* event = xcb_poll_for_event(connection);
        if (!event) {
            ::poll(&watch, 1, 100);
            continue;
        }
        const int type = event->response_type & 0x7F;
        if (type == XCB_CREATE_NOTIFY) {
            const auto* created = reinterpret_cast<xcb_create_notify_event_t*>(event);
            if (created->parent == screen->root) {
                const xcb_damage_damage_t damage = xcb_generate_id(connection);
                xcb_damage_create(connection, damage, created->window,
                    XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
                damages[created->window] = damage;
                xcb_flush(connection);
            }
        } else if (type == XCB_MAP_NOTIFY && chosen == XCB_WINDOW_NONE) {
            const auto* mapped = reinterpret_cast<xcb_map_notify_event_t*>(event);
            const long owner = windowPid(connection, mapped->window, pidAtom);
            if ((owner == pid || owner == -1) && damages.count(mapped->window)) {
                mappedAt = Clock::now();
                chosen = mapped->window;
                xcb_get_geometry_reply_t* geometry = xcb_get_geometry_reply(
                    connection, xcb_get_geometry(connection, chosen), nullptr);
                if (geometry)
                    bounds = { 0, 0, geometry->width, geometry->height };
                std::free(geometry);
            }
        } else if (type == damageExtension->first_event + XCB_DAMAGE_NOTIFY) {
            const auto* damaged = reinterpret_cast<xcb_damage_notify_event_t*>(event);
            if (chosen != XCB_WINDOW_NONE && damaged->drawable == chosen) {
                const Clock::time_point now = Clock::now();
                if (paintedAt == Clock::time_point {})
                    paintedAt = now;
                // Drawing before the map is not seen, and is reported before it.
                damagedArea += overlap(damaged->area, bounds);
                if (damagedArea >= 0.9 * bounds.width * bounds.height)
                    framedAt = now;
            }
        }
        std::free(event);
    }

    // Every drawing from now on would be reported, and nobody reads the reports any more.
    for (const auto& [window, damage] : damages)
        xcb_damage_destroy(connection, damage);
    xcb_flush(connection);

    const auto until = [&](double seconds) {
        std::this_thread::sleep_until(framedAt
            + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds)));
    };
    until(options.settleSeconds);
    const std::string status = readText("/proc/" + std::to_string(pid) + "/status");
    const std::map<int, TaskSample> settled = sampleTasks(pid);
    until(options.settleSeconds + options.cpuSeconds);
    const std::map<int, TaskSample> afterCpu = sampleTasks(pid);
    until(options.settleSeconds + options.wakeupSeconds);
    const std::map<int, TaskSample> afterWakeups = sampleTasks(pid);
    const bool stillRunning = alive(pid);
    end(pid);
    if (!stillRunning)
        fail("the program ended while it was being measured");

    const TaskSample cpu = difference(settled, afterCpu);
    const TaskSample wakeups = difference(settled, afterWakeups);
    std::printf("map_ms=%.1f paint_ms=%.1f frame_ms=%.1f rss_kib=%llu rss_anon_kib=%llu rss_file_kib=%llu "
                "cpu_pct=%.3f wakeups_per_s=%.2f threads=%zu\n",
        millisecondsBetween(started, mappedAt), millisecondsBetween(started, paintedAt),
        millisecondsBetween(started, framedAt),
        static_cast<unsigned long long>(statusValue(status, "VmRSS")),
        static_cast<unsigned long long>(statusValue(status, "RssAnon")),
        static_cast<unsigned long long>(statusValue(status, "RssFile")),
        100.0 * static_cast<double>(cpu.cpuNs) / 1e9 / options.cpuSeconds,
        static_cast<double>(wakeups.switches) / options.wakeupSeconds, settled.size());
    xcb_disconnect(connection);
    return 0;
}
