// Stands in for the CAN updater in tests. Driven by the environment:
//   KT_FAKE_UPDATER_LOG    file that receives one argument per line (written at start)
//   KT_FAKE_UPDATER_SLEEP  milliseconds to run before ending
//   KT_FAKE_UPDATER_EXIT   exit code
//   KT_FAKE_UPDATER_DONE   file created when it ends

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

namespace {
const char* Env(const char* name) {
    const char* v = std::getenv(name);
    return v && *v ? v : nullptr;
}
} // namespace

int main(int argc, char** argv) {
    if (const char* log = Env("KT_FAKE_UPDATER_LOG")) {
        std::ofstream out(log, std::ios::binary | std::ios::trunc);
        for (int i = 1; i < argc; ++i) out << argv[i] << '\n';
    }
    if (const char* ms = Env("KT_FAKE_UPDATER_SLEEP"))
        std::this_thread::sleep_for(std::chrono::milliseconds(std::atol(ms)));
    if (const char* done = Env("KT_FAKE_UPDATER_DONE")) std::ofstream(done) << "done\n";
    const char* code = Env("KT_FAKE_UPDATER_EXIT");
    return code ? std::atoi(code) : 0;
}
