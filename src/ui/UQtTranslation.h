#pragma once
// Qt's own texts (Yes/No of the message boxes, the file dialogs) in the chosen language, from
// the qtbase_<locale>.qm files that ship in a folder beside the executable.

#include <QString>
#include <QTranslator>

#include <filesystem>
#include <memory>
#include <string>

namespace kt {

// The folder beside the executable that holds qtbase_de.qm, qtbase_es.qm, ...
[[nodiscard]] std::filesystem::path QtTranslationsDir(const std::filesystem::path& exeDir);

// Qt's locale for one of our language files ("Deutsch" -> "de"); empty for English and for a
// language Qt's texts are not shipped for, which then stay English.
[[nodiscard]] QString QtLocaleOfLanguage(const std::string& languageName);

// One installed translation of Qt's texts, replaced on every language change.
class QtTranslation {
public:
    QtTranslation() = default;
    QtTranslation(const QtTranslation&) = delete;
    QtTranslation& operator=(const QtTranslation&) = delete;
    ~QtTranslation();

    // Removes the translation in use and installs the one for `languageName` from `dir`.
    // False when the language has Qt texts but its file is missing or unreadable; Qt's texts
    // are English then.
    bool Load(const std::filesystem::path& dir, const std::string& languageName);
    // The locale in use, empty while Qt's texts are English.
    [[nodiscard]] const QString& Locale() const { return locale_; }

private:
    std::unique_ptr<QTranslator> translator_;
    QString locale_;
};

} // namespace kt
