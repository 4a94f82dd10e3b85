#include "cli/ChildProgram.h"

#include "base/FileUtil.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;
#endif

#include <algorithm>
#include <system_error>

namespace kt::cli {

namespace {

Status CannotStart(const std::filesystem::path& program, const std::string& reason) {
    return Status::io("Cannot start \"" + PathToUtf8(program) + "\": " + reason);
}

Status Broken(const std::filesystem::path& program, const std::string& reason) {
    return Status::io("\"" + PathToUtf8(program) + "\" " + reason);
}

} // namespace

#ifdef _WIN32

namespace {

std::wstring Wide(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
    std::wstring w(std::size_t(std::max(n, 0)), L'\0');
    if (n > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), w.data(), n);
    return w;
}

// One argument of a command line as the C runtime of the started program splits it again:
// quoted when needed, backslashes doubled only before a quote.
std::wstring Quoted(const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos) return arg;
    std::wstring out = L"\"";
    std::size_t slashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++slashes;
            continue;
        }
        out.append(c == L'"' ? 2 * slashes + 1 : slashes, L'\\');
        slashes = 0;
        out += c;
    }
    out.append(2 * slashes, L'\\');
    return out + L"\"";
}

std::string SystemMessage(DWORD code) {
    return std::system_category().message(int(code));
}

struct Feed {
    HANDLE pipe;
    const std::string* input;
};

// Writes the input on a thread of its own, so that a program answering before it has read
// everything cannot block both sides.
DWORD WINAPI WriteInput(LPVOID param) {
    const Feed& feed = *static_cast<Feed*>(param);
    std::size_t done = 0;
    while (done < feed.input->size()) {
        const DWORD chunk = DWORD(std::min<std::size_t>(feed.input->size() - done, 1 << 16));
        DWORD written = 0;
        if (!WriteFile(feed.pipe, feed.input->data() + done, chunk, &written, nullptr)) break;
        done += written;
    }
    CloseHandle(feed.pipe);
    return 0;
}

} // namespace

std::filesystem::path OwnFolder() {
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, name.data(), DWORD(name.size()));
        if (n == 0) return {};
        if (n < name.size()) {
            name.resize(n);
            return std::filesystem::path(name).parent_path();
        }
        name.resize(name.size() * 2);
    }
}

Status RunProgram(const std::filesystem::path& program, const std::vector<std::string>& args,
                  const std::string& input, std::string& output, int& exitCode) {
    output.clear();
    exitCode = -1;
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE inRead = nullptr, inWrite = nullptr, outRead = nullptr, outWrite = nullptr;
    if (!CreatePipe(&inRead, &inWrite, &inherit, 0))
        return CannotStart(program, SystemMessage(GetLastError()));
    if (!CreatePipe(&outRead, &outWrite, &inherit, 0)) {
        const DWORD err = GetLastError();
        CloseHandle(inRead);
        CloseHandle(inWrite);
        return CannotStart(program, SystemMessage(err));
    }
    // Our ends stay ours.
    SetHandleInformation(inWrite, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    HANDLE err = nullptr;
    DuplicateHandle(GetCurrentProcess(), GetStdHandle(STD_ERROR_HANDLE), GetCurrentProcess(), &err,
                    0, TRUE, DUPLICATE_SAME_ACCESS);

    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = inRead;
    si.hStdOutput = outWrite;
    si.hStdError = err;
    std::wstring line = Quoted(program.wstring());
    for (const std::string& a : args)
        line += L" " + Quoted(Wide(a));
    PROCESS_INFORMATION pi{};
    const BOOL started = CreateProcessW(program.wstring().c_str(), line.data(), nullptr, nullptr,
                                        TRUE, 0, nullptr, nullptr, &si, &pi);
    const DWORD startError = GetLastError();
    CloseHandle(inRead);
    CloseHandle(outWrite);
    if (err) CloseHandle(err);
    if (!started) {
        CloseHandle(inWrite);
        CloseHandle(outRead);
        return CannotStart(program, SystemMessage(startError));
    }
    CloseHandle(pi.hThread);

    Feed feed{inWrite, &input};
    HANDLE writer = CreateThread(nullptr, 0, WriteInput, &feed, 0, nullptr);
    if (!writer) WriteInput(&feed);
    char buffer[1 << 16];
    DWORD got = 0;
    while (ReadFile(outRead, buffer, sizeof buffer, &got, nullptr) && got > 0)
        output.append(buffer, got);
    CloseHandle(outRead);
    if (writer) {
        WaitForSingleObject(writer, INFINITE);
        CloseHandle(writer);
    }
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = 0;
    const BOOL known = GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hProcess);
    if (!known) return Broken(program, "ended, its exit code unknown");
    exitCode = int(code);
    return Status::success();
}

#else

namespace {

void CloseFd(int& fd) {
    if (fd >= 0) ::close(fd);
    fd = -1;
}

// Pipe ends above the three standard descriptors, so that placing them on 0 and 1 in the
// child never overwrites one with the other; closed on exec.
bool MakePipe(int (&fds)[2]) {
    if (::pipe(fds) != 0) return false;
    for (int& fd : fds) {
        const int moved = ::fcntl(fd, F_DUPFD_CLOEXEC, 3);
        ::close(fd);
        fd = moved;
    }
    if (fds[0] >= 0 && fds[1] >= 0) return true;
    CloseFd(fds[0]);
    CloseFd(fds[1]);
    return false;
}

} // namespace

std::filesystem::path OwnFolder() {
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : self.parent_path();
}

Status RunProgram(const std::filesystem::path& program, const std::vector<std::string>& args,
                  const std::string& input, std::string& output, int& exitCode) {
    output.clear();
    exitCode = -1;
    int in[2] = {-1, -1}, out[2] = {-1, -1};
    if (!MakePipe(in)) return CannotStart(program, std::strerror(errno));
    if (!MakePipe(out)) {
        const int err = errno;
        CloseFd(in[0]);
        CloseFd(in[1]);
        return CannotStart(program, std::strerror(err));
    }
    const std::string path = program.string();
    std::vector<std::string> words{path};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    CloseFd(in[0]);
    CloseFd(out[1]);
    if (spawned != 0) {
        CloseFd(in[1]);
        CloseFd(out[0]);
        return CannotStart(program, std::strerror(spawned));
    }

    // A program that ends before reading all of its input must not take us with it (SIGPIPE):
    // the write fails instead, and its exit code tells.
    struct sigaction ignore {};
    struct sigaction previous {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    ::sigaction(SIGPIPE, &ignore, &previous);
    ::fcntl(in[1], F_SETFL, ::fcntl(in[1], F_GETFL) | O_NONBLOCK);
    if (input.empty()) CloseFd(in[1]);
    std::size_t written = 0;
    char buffer[1 << 16];
    // Writes and reads as each side is ready, so neither pipe can fill up and block both.
    while (out[0] >= 0) {
        pollfd fds[2] = {{out[0], POLLIN, 0}, {in[1], POLLOUT, 0}};
        const nfds_t count = in[1] >= 0 ? 2 : 1;
        if (::poll(fds, count, -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (count == 2 && fds[1].revents != 0) {
            const ssize_t n = ::write(in[1], input.data() + written, input.size() - written);
            if (n > 0) written += std::size_t(n);
            if ((n < 0 && errno != EINTR && errno != EAGAIN) || written == input.size())
                CloseFd(in[1]);
        }
        if (fds[0].revents != 0) {
            const ssize_t n = ::read(out[0], buffer, sizeof buffer);
            if (n > 0) {
                output.append(buffer, std::size_t(n));
            } else if (n == 0 || errno != EINTR) {
                CloseFd(out[0]);
            }
        }
    }
    CloseFd(in[1]);
    CloseFd(out[0]);
    ::sigaction(SIGPIPE, &previous, nullptr);

    int status = 0;
    while (::waitpid(pid, &status, 0) < 0)
        if (errno != EINTR) return Broken(program, "ended, its exit code unknown");
    if (WIFSIGNALED(status))
        return Broken(program, "was ended by signal " + std::to_string(WTERMSIG(status)) + " (" +
                                   strsignal(WTERMSIG(status)) + ")");
    exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return Status::success();
}

#endif

} // namespace kt::cli
