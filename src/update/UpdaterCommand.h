#pragma once
// The CAN updater's command line: baud-rate list, update codes, the line itself and how
// the updater reads it back into arguments.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kt {

// The updater program beside the configurator's executable.
#ifdef _WIN32
inline constexpr const char* UpdaterFileName = "CAN_52903_Update.exe";
#else
inline constexpr const char* UpdaterFileName = "CAN_52903_Update";
#endif
// The converter firmware the updater writes; expected in MASTER, never written by us.
inline constexpr const char* FirmwareFileName = "sim52903.sim";

// Entries of CB_CAN_Baudrate; the updater receives the index, 0 asks it to search.
[[nodiscard]] const std::vector<std::string>& CanBaudRateEntries();

// Entries of CB_Update_Options, by index.
enum class UpdateOption { FirmwareAndConfiguration = 0, Firmware = 1, Configuration = 2 };

// Update_Options: s_opt with the four three-character update codes appended.
[[nodiscard]] std::string Update_Options(std::string s_opt, UpdateOption option, bool readBack);

// The choices of the update dialog that make up the updater's command line.
struct UpdaterRequest {
    std::string port;  // as listed: "COM3", or a device path such as "/dev/ttyUSB0"
    int baudIndex = 0; // index into CanBaudRateEntries()
    UpdateOption option = UpdateOption::FirmwareAndConfiguration;
    bool readBack = true;
    std::filesystem::path masterDir;
    std::filesystem::path projectDir;
};

// The whole command line: port, index, codes, quoted firmware and image paths.
[[nodiscard]] std::string UpdaterCommandLine(const UpdaterRequest& r);

// Splits a command line into arguments the way the C runtime of Windows does: blanks and
// tabs separate, quotes group and are removed, backslashes are literal unless they precede
// a quote. Used to hand the line to a process without a shell.
[[nodiscard]] std::vector<std::string> SplitCommandLine(std::string_view line);

} // namespace kt
