#include "update/UpdaterCommand.h"

#include "base/FileUtil.h"
#include "outputs/ConfigImage.h"

namespace kt {

const std::vector<std::string>& CanBaudRateEntries() {
    static const std::vector<std::string> entries = {
        "Search Baudrate", "5000",   "10000",  "20000",  "50000",  "62500",
        "100000",          "125000", "250000", "500000", "800000", "1000000"};
    return entries;
}

std::string Update_Options(std::string s_opt, UpdateOption option, bool readBack) {
    const bool firmware = option != UpdateOption::Configuration;
    const bool config = option != UpdateOption::Firmware;
    s_opt += firmware ? "FW " : "NO ";
    s_opt += firmware && readBack ? "FR " : "NO ";
    s_opt += config ? "PW " : "NO ";
    s_opt += config && readBack ? "PR " : "NO ";
    return s_opt;
}

std::string UpdaterCommandLine(const UpdaterRequest& r) {
    std::string line = r.port + " " + std::to_string(r.baudIndex) + " ";
    line = Update_Options(std::move(line), r.option, r.readBack);
    line += "\"" + PathToUtf8(r.masterDir / FirmwareFileName) + "\" ";
    line += "\"" + PathToUtf8(ConfigImageFile(r.projectDir)) + "\"";
    return line;
}

std::vector<std::string> SplitCommandLine(std::string_view line) {
    std::vector<std::string> args;
    std::string current;
    bool inArg = false;
    bool quoted = false;
    std::size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (!quoted && (c == ' ' || c == '\t')) {
            if (inArg) args.push_back(std::move(current));
            current.clear();
            inArg = false;
            ++i;
            continue;
        }
        inArg = true;
        if (c == '\\') {
            std::size_t n = 0;
            while (i < line.size() && line[i] == '\\')
                ++n, ++i;
            if (i < line.size() && line[i] == '"') {
                current.append(n / 2, '\\');
                if (n % 2 == 1) {
                    current += '"';
                    ++i;
                }
            } else {
                current.append(n, '\\');
            }
            continue;
        }
        if (c == '"') {
            // A doubled quote inside quotes stands for one literal quote.
            if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
                current += '"';
                i += 2;
                continue;
            }
            quoted = !quoted;
            ++i;
            continue;
        }
        current += c;
        ++i;
    }
    if (inArg) args.push_back(std::move(current));
    return args;
}

} // namespace kt
