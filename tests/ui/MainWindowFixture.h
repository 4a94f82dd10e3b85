#pragma once
// The main window in a Workspace of its own, with fake prompts, serial ports and version
// check: one way to start it for every window test that goes through it.

#include "FakePrompts.h"
#include "ProjectFixture.h"
#include "core/UKorvelFirmWare.h"
#include "ui/UServices.h"

#include <QAbstractButton>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace kt::test {

// Settings (500 kbit/s, station 12, GSD mapping on) and one receive frame: a Project that
// Check Project finds no error in.
inline const std::string kParGen = "<Par_Gen><CAN_BAUDRATE>7</CAN_BAUDRATE><PROFIBUS_ID_Device>12"
                                   "</PROFIBUS_ID_Device><PROFIBUS_GDS_CAN_Mapping>1"
                                   "</PROFIBUS_GDS_CAN_Mapping></Par_Gen>";
inline const std::string kOneFrame =
    "<Receive_Frames><row COBID=\"291\" CAN_Type=\"2.0A (11 bits)\" Dim=\"8\" SWAP=\"0\" "
    "TimeOut=\"1000\" Mnemonic=\"pump\"/></Receive_Frames>";

class MainWindowFixture {
public:
    FakePrompts prompts;
    // Fakes handed to the window at start(); reset() empties them.
    std::function<void(std::function<void(bool newer)>)> checkVersion;
    QList<SerialPortEntry> ports;
    int updaterWaitLimitMs = 20000;

    // A fresh temporary Workspace and fresh fakes; the executable's folder is `sub` inside
    // it (a name with a blank shows paths are quoted), or the temporary folder itself.
    void reset(const QString& sub = {}) {
        window_.reset();
        tmp_ = std::make_unique<QTemporaryDir>();
        exeDir_ = PathOf(sub.isEmpty() ? tmp_->path() : tmp_->filePath(sub));
        std::filesystem::create_directories(exeDir_);
        prompts = FakePrompts{};
        checkVersion = nullptr;
        ports.clear();
        updaterWaitLimitMs = 20000;
    }

    // Runs the start-up of the executable's folder with the fakes; the fixture owns the window.
    TFKorvelFirmWare* start(bool show = true) { return startAt(exeDir_, show); }
    // The same for another executable's folder (one that cannot be a Workspace, say).
    TFKorvelFirmWare* startAt(const std::filesystem::path& exeDir, bool show = true) {
        Services services{prompts};
        services.checkVersion = checkVersion;
        const QList<SerialPortEntry> fixed = ports;
        services.listSerialPorts = [fixed] { return fixed; };
        services.updaterWaitLimitMs = updaterWaitLimitMs;
        window_ = std::make_unique<TFKorvelFirmWare>(exeDir, services);
        if (show) window_->show();
        return window_.get();
    }
    void stop() { window_.reset(); }

    [[nodiscard]] TFKorvelFirmWare* window() const { return window_.get(); }
    [[nodiscard]] const std::filesystem::path& exeDir() const { return exeDir_; }
    [[nodiscard]] QString exePath() const { return QPath(exeDir_); }
    [[nodiscard]] std::filesystem::path tempDir() const { return PathOf(tmp_->path()); }
    [[nodiscard]] AppState& state() const { return window_->State(); }
    [[nodiscard]] QString text(int id) const { return Q(state().Lang.Get_Text(id)); }

    // A real mouse click on the main window's button `name`.
    void click(const char* name) const {
        auto* b = window_->findChild<QAbstractButton*>(name);
        QVERIFY2(b, name);
        QTest::mouseClick(b, Qt::LeftButton);
    }

    // The shipped language files in LANGUAGE and Qt's translations in translations/, as the
    // packages put them beside the program.
    void installLanguages() const {
        const std::filesystem::path shipped =
            std::filesystem::path(KT_FIXTURES_DIR) / ".." / ".." / "src" / "lang" / "shipped";
        const auto copyAll = [](const std::filesystem::path& from,
                                const std::filesystem::path& to) {
            std::filesystem::create_directories(to);
            for (const auto& e : std::filesystem::directory_iterator(from))
                std::filesystem::copy_file(e.path(), to / e.path().filename(),
                                           std::filesystem::copy_options::overwrite_existing);
        };
        copyAll(shipped, exeDir_ / "LANGUAGE");
        copyAll(KT_QT_TRANSLATIONS_DIR, exeDir_ / "translations");
    }
    // A settings file that chooses `language` (and nothing else).
    void chooseLanguage(const std::string& language) const {
        WriteFile(exeDir_ / "Korvel.xml", "<Conf_Settings><lastlang><language>" + language +
                                              "</language></lastlang></Conf_Settings>");
    }

    // Makes the Project `name` current the way the Open step leaves it, with these files
    // (an empty text writes no file).
    void openProject(const std::string& name, const std::string& parGen = {},
                     const std::string& rx = {}, const std::string& tx = {}) const {
        std::filesystem::create_directories(state().Workspace.ProjectsDir / name / "bin");
        state().MakeProjectCurrent(name);
        if (!parGen.empty()) WriteFile(state().Files.ParGenFile, parGen);
        if (!rx.empty()) WriteFile(state().Files.RecFramesFile, rx);
        if (!tx.empty()) WriteFile(state().Files.SendFramesFile, tx);
    }

private:
    std::unique_ptr<QTemporaryDir> tmp_;
    std::filesystem::path exeDir_;
    std::unique_ptr<TFKorvelFirmWare> window_;
};

} // namespace kt::test
