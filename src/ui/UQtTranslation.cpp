#include "ui/UQtTranslation.h"

#include "ui/UQtText.h"

#include <QCoreApplication>

namespace kt {

std::filesystem::path QtTranslationsDir(const std::filesystem::path& exeDir) {
    return exeDir / "translations";
}

QString QtLocaleOfLanguage(const std::string& languageName) {
    // The names of the shipped language files; the comparison ignores case like the file
    // system of the Windows family does.
    static const struct {
        const char* file;
        const char* locale;
    } kLocales[] = {{"deutsch", "de"}, {"espanol", "es"}, {"francais", "fr"}, {"italiano", "it"}};
    const QString name = Q(languageName).trimmed().toLower();
    for (const auto& l : kLocales)
        if (name == QLatin1String(l.file)) return QString::fromLatin1(l.locale);
    return {};
}

QtTranslation::~QtTranslation() {
    if (translator_) QCoreApplication::removeTranslator(translator_.get());
}

bool QtTranslation::Load(const std::filesystem::path& dir, const std::string& languageName) {
    if (translator_) QCoreApplication::removeTranslator(translator_.get());
    translator_.reset();
    locale_.clear();
    const QString locale = QtLocaleOfLanguage(languageName);
    if (locale.isEmpty()) return true;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load("qtbase_" + locale, QPath(dir))) return false;
    QCoreApplication::installTranslator(translator.get());
    translator_ = std::move(translator);
    locale_ = locale;
    return true;
}

} // namespace kt
