// Stands in for the CAN updater in tests. Driven by the environment:
//   KT_FAKE_UPDATER_LOG    file that receives one argument per line (written at start)
//   KT_FAKE_UPDATER_HOLD   file whose creation lets it end (it gives up after a minute)
//   KT_FAKE_UPDATER_PID    file that receives its process id
//   KT_FAKE_UPDATER_EXIT   exit code
//   KT_FAKE_UPDATER_DONE   file created when it ends

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace {
const char* Env(const char* name) {
    const char* v = std::getenv(name);
    return v && *v ? v : nullptr;
}
} // namespace

int main(int argc, char** argv) {
    if (const char* log = Env("KT_FAKE_UPDATER_LOG")) {
        std::ofstream out(log, std::ios::binary | std::ios::trunc);
        for (int i = 1; i < argc; ++i)
            out << argv[i] << '\n';
    }
#ifndef _WIN32
    if (const char* pid = Env("KT_FAKE_UPDATER_PID")) std::ofstream(pid) << getpid() << '\n';
#endif
    if (const char* hold = Env("KT_FAKE_UPDATER_HOLD")) {
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::minutes(1);
        while (!std::filesystem::exists(hold) && std::chrono::steady_clock::now() < giveUp)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (const char* done = Env("KT_FAKE_UPDATER_DONE")) std::ofstream(done) << "done\n";
    const char* code = Env("KT_FAKE_UPDATER_EXIT");
    return code ? std::atoi(code) : 0;
}
