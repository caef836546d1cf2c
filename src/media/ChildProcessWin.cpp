#include "media/ChildProcess.h"

#include "common/CommandLine.h"
#include "common/Utf8Text.h"
#include "media/StopSignal.h"

#include <array>
#include <vector>
#include <windows.h>

namespace {

// A wait is cut into pieces shorter than INFINITE, which would mean no time limit at all.
constexpr long long kLongestWait = 24LL * 60 * 60 * 1000;

class Handle
{
public:
    explicit Handle(HANDLE handle = nullptr)
        : m_handle(handle == INVALID_HANDLE_VALUE ? nullptr : handle)
    { }
    ~Handle() { reset(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return m_handle; }
    HANDLE* out() { return &m_handle; }
    HANDLE release()
    {
        HANDLE handle = m_handle;
        m_handle = nullptr;
        return handle;
    }
    void reset(HANDLE handle = nullptr)
    {
        if (m_handle)
            CloseHandle(m_handle);
        m_handle = handle;
    }

private:
    HANDLE m_handle;
};

std::optional<std::wstring> commandLine(const std::vector<std::string>& argv)
{
    std::vector<std::wstring> wide;
    for (const std::string& argument : argv) {
        const std::optional<std::u16string> decoded = Utf8Text::decode(argument);
        if (!decoded)
            return std::nullopt;
        wide.emplace_back(decoded->begin(), decoded->end());
    }
    if (wide.empty())
        return std::nullopt;
    std::wstring line
        = CommandLine::windowsLine(wide.front(), std::span(wide).subspan(1));
    if (line.empty())
        return std::nullopt;
    return line;
}

// The child's input, written by a thread of its own: a child that never reads blocks only that
// thread, and a killed child breaks the pipe, which ends the thread.
struct Feeder
{
    HANDLE pipe;
    std::string_view input;

    static DWORD WINAPI run(void* context)
    {
        Feeder& self = *static_cast<Feeder*>(context);
        std::string_view left = self.input;
        while (!left.empty()) {
            const DWORD chunk = left.size() > 1u << 20 ? 1u << 20 : static_cast<DWORD>(left.size());
            DWORD written = 0;
            if (!WriteFile(self.pipe, left.data(), chunk, &written, nullptr))
                break;
            left.remove_prefix(written);
        }
        CloseHandle(self.pipe); // the child sees the end of its input
        return 0;
    }
};

// The child's output, read by a thread of its own until the pipe ends or the output has grown
// past the limit.
struct Collector
{
    HANDLE pipe;
    std::string output;
    bool tooLong = false;

    static DWORD WINAPI run(void* context)
    {
        Collector& self = *static_cast<Collector*>(context);
        std::array<char, 65536> buffer {};
        DWORD got = 0;
        while (ReadFile(self.pipe, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr)
            && got > 0) {
            self.output.append(buffer.data(), got);
            if (self.output.size() > ChildProcess::kMaxOutputBytes) {
                self.tooLong = true;
                break;
            }
        }
        return 0;
    }
};

// Waits until the thread has ended. Once the child is gone its pipes break and the thread ends
// by itself; should anything else still hold the other end, its blocking call is cancelled.
void finish(HANDLE thread)
{
    while (WaitForSingleObject(thread, 100) == WAIT_TIMEOUT)
        CancelSynchronousIo(thread);
}

// The child's end of a pipe is inheritable, the program's end is not.
bool makePipe(Handle& read, Handle& write, bool childReads)
{
    SECURITY_ATTRIBUTES inherit { sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE };
    if (!CreatePipe(read.out(), write.out(), &inherit, 0))
        return false;
    return SetHandleInformation(childReads ? write.get() : read.get(), HANDLE_FLAG_INHERIT, 0);
}

// Starts the child with exactly the three handles given and no other inheritable handle of the
// program, which another thread may be creating at this very moment for a child of its own.
bool start(std::wstring& line, std::array<HANDLE, 3> standard, PROCESS_INFORMATION& process)
{
    SIZE_T size = 0;
    InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
    std::vector<char> storage(size);
    auto* attributes = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(storage.data());
    if (!InitializeProcThreadAttributeList(attributes, 1, 0, &size))
        return false;
    bool started = UpdateProcThreadAttribute(attributes, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST,
        standard.data(), sizeof(HANDLE) * standard.size(), nullptr, nullptr);
    if (started) {
        STARTUPINFOEXW info {};
        info.StartupInfo.cb = sizeof info;
        info.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
        info.StartupInfo.hStdInput = standard[0];
        info.StartupInfo.hStdOutput = standard[1];
        info.StartupInfo.hStdError = standard[2];
        info.lpAttributeList = attributes;
        started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE,
            CREATE_NO_WINDOW | EXTENDED_STARTUPINFO_PRESENT, nullptr, nullptr, &info.StartupInfo,
            &process);
    }
    DeleteProcThreadAttributeList(attributes);
    return started;
}

} // namespace

std::optional<std::string> ChildProcess::run(const std::vector<std::string>& argv,
    std::string_view input, const StopSignal* stop, std::chrono::milliseconds timeout)
{
    if (argv.empty() || (stop && stop->raised()))
        return std::nullopt;
    std::optional<std::wstring> line = commandLine(argv);
    if (!line)
        return std::nullopt;

    Handle inChild;
    Handle inParent;
    Handle outParent;
    Handle outChild;
    if (!makePipe(inChild, inParent, true) || !makePipe(outParent, outChild, false))
        return std::nullopt;
    SECURITY_ATTRIBUTES inherit { sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE };
    Handle nowhere(CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
        OPEN_EXISTING, 0, nullptr));
    if (!nowhere.get())
        return std::nullopt;

    PROCESS_INFORMATION started {};
    const bool spawned = start(*line, { inChild.get(), outChild.get(), nowhere.get() }, started);
    inChild.reset();
    outChild.reset();
    nowhere.reset();
    if (!spawned)
        return std::nullopt;
    Handle process(started.hProcess);
    CloseHandle(started.hThread);

    // From here the child runs: every way out kills it unless it has ended, and waits for both
    // threads, which use this frame's memory.
    Feeder feeder { inParent.release(), input };
    Handle feeding;
    if (!input.empty())
        feeding.reset(CreateThread(nullptr, 0, &Feeder::run, &feeder, 0, nullptr));
    if (!feeding.get())
        CloseHandle(feeder.pipe);
    Collector collector { outParent.get(), {} };
    Handle collecting(CreateThread(nullptr, 0, &Collector::run, &collector, 0, nullptr));
    const bool threadsRun = collecting.get() && (input.empty() || feeding.get());

    bool childDone = false;
    bool outputDone = false;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (threadsRun && !(childDone && outputDone)) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            break;
        std::array<HANDLE, 3> handles {};
        DWORD count = 0;
        if (!childDone)
            handles[count++] = process.get();
        if (!outputDone)
            handles[count++] = collecting.get();
        const DWORD stopIndex = count;
        if (stop && stop->native())
            handles[count++] = static_cast<HANDLE>(stop->native());

        const DWORD wait = left.count() < kLongestWait ? static_cast<DWORD>(left.count())
                                                       : static_cast<DWORD>(kLongestWait);
        const DWORD woke = WaitForMultipleObjects(count, handles.data(), FALSE, wait);
        if (woke == WAIT_TIMEOUT)
            break;
        if (woke >= WAIT_OBJECT_0 + count)
            break; // a failed wait
        const HANDLE ready = handles[woke - WAIT_OBJECT_0];
        if (woke - WAIT_OBJECT_0 == stopIndex && count > stopIndex) {
            if (stop->raised())
                break;
            stop->acknowledge(); // a wake-up left from an earlier text must not spin the loop
        } else if (ready == process.get()) {
            childDone = true;
        } else {
            outputDone = true; // the collector has ended: its result may be read
            if (collector.tooLong)
                break;
        }
    }

    const bool finished = threadsRun && childDone && outputDone && !collector.tooLong;
    if (!finished) {
        TerminateProcess(process.get(), 1);
        WaitForSingleObject(process.get(), INFINITE);
    }
    if (collecting.get())
        finish(collecting.get());
    if (feeding.get())
        finish(feeding.get());

    DWORD exitCode = 1;
    if (!finished || !GetExitCodeProcess(process.get(), &exitCode) || exitCode != 0)
        return std::nullopt;
    return std::move(collector.output);
}
