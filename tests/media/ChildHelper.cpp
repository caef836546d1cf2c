// A child for the child process tests that behaves the same on every system, where /bin/cat,
// sh and sleep exist on Linux only. What it does is chosen by its first argument:
//   cat            copies its input to its output
//   args ...       writes each further argument as "[argument]" on a line of its own
//   exit N         ends with status N without reading its input
//   crash          writes a line, then aborts
//   hang           never ends by itself
//   flood N        writes N MiB of output
//   -x ...         stands in for open_jtalk (see speakLikeOpenJTalk)
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <thread>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

namespace {

std::string readInput()
{
    std::string input;
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, stdin)) > 0)
        input.append(buffer, got);
    return input;
}

void put16(std::string& out, unsigned v)
{
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}

void put32(std::string& out, std::uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

// Checks that the dictionary folder and the voice file open by their names as given, with the
// narrow fopen that open_jtalk uses, reads the text and writes a wave of 0.1 s of silence, one
// sample of 1000 per input byte, and 0.1 s of silence to the -ow file, in 48 kHz 16-bit mono.
int speakLikeOpenJTalk(const std::vector<std::string>& args)
{
    std::string dictionary;
    std::string voice;
    std::string output;
    for (std::size_t i = 0; i + 1 < args.size(); i += 2) {
        if (args[i] == "-x")
            dictionary = args[i + 1];
        else if (args[i] == "-m")
            voice = args[i + 1];
        else if (args[i] == "-ow")
            output = args[i + 1];
    }
    FILE* dictionaryFile = std::fopen((dictionary + "/sys.dic").c_str(), "rb");
    FILE* voiceFile = std::fopen(voice.c_str(), "rb");
    const bool opened = dictionaryFile && voiceFile;
    if (dictionaryFile)
        std::fclose(dictionaryFile);
    if (voiceFile)
        std::fclose(voiceFile);
    if (!opened)
        return 1;

    const std::string text = readInput();
    std::string samples;
    for (int i = 0; i < 4800; ++i)
        put16(samples, 0);
    for (std::size_t i = 0; i < text.size(); ++i)
        put16(samples, 1000);
    for (int i = 0; i < 4800; ++i)
        put16(samples, 0);
    std::string wave = "RIFF";
    put32(wave, static_cast<std::uint32_t>(36 + samples.size()));
    wave += "WAVEfmt ";
    put32(wave, 16);
    put16(wave, 1);
    put16(wave, 1);
    put32(wave, 48000);
    put32(wave, 96000);
    put16(wave, 2);
    put16(wave, 16);
    wave += "data";
    put32(wave, static_cast<std::uint32_t>(samples.size()));
    wave += samples;

    FILE* out = std::fopen(output.c_str(), "wb");
    if (!out)
        return 1;
    const bool written = std::fwrite(wave.data(), 1, wave.size(), out) == wave.size();
    return std::fclose(out) == 0 && written ? 0 : 1;
}

int run(const std::vector<std::string>& args)
{
    const std::string mode = args.empty() ? "" : args[0];
    if (mode == "cat") {
        const std::string input = readInput();
        std::fwrite(input.data(), 1, input.size(), stdout);
        return 0;
    }
    if (mode == "args") {
        for (std::size_t i = 1; i < args.size(); ++i)
            std::printf("[%s]\n", args[i].c_str());
        return 0;
    }
    if (mode == "exit" && args.size() == 2)
        return std::atoi(args[1].c_str());
    if (mode == "crash") {
        std::puts("partial");
        std::fflush(stdout);
        std::abort();
    }
    if (mode == "hang") {
        for (;;)
            std::this_thread::sleep_for(std::chrono::hours(1));
    }
    if (mode == "flood" && args.size() == 2) {
        const std::string mebibyte(1 << 20, 'z');
        for (int i = 0; i < std::atoi(args[1].c_str()); ++i) {
            if (std::fwrite(mebibyte.data(), 1, mebibyte.size(), stdout) != mebibyte.size())
                return 1;
        }
        return 0;
    }
    if (mode == "-x")
        return speakLikeOpenJTalk(args);
    return 2;
}

} // namespace

#ifdef _WIN32
std::string narrow(const wchar_t* text, UINT codePage)
{
    const int size = WideCharToMultiByte(codePage, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return {};
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(codePage, 0, text, -1, bytes.data(), size, nullptr, nullptr);
    bytes.pop_back();
    return bytes;
}

// The arguments come as UTF-16 and go on as the UTF-8 they were given to ChildProcess in, except
// for the open_jtalk stand-in, which gets them as open_jtalk's main() does: in the ANSI code
// page, whatever that page cannot spell lost. The standard streams carry bytes, not text.
int wmain(int argc, wchar_t** argv)
{
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    const UINT codePage = argc > 1 && std::wcscmp(argv[1], L"-x") == 0 ? CP_ACP : CP_UTF8;
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(narrow(argv[i], codePage));
    return run(args);
}
#else
int main(int argc, char** argv)
{
    return run(std::vector<std::string>(argv + 1, argv + argc));
}
#endif
