#include "app/language.h"

#include "controls/qttexts.h"
#include "controls/windowlanguage.h"
#include "speech/speech.h"
#include "translations/translations.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

namespace numbolo {

QString chooseLanguage(const QStringList &uiLanguages, const QStringList &available)
{
    for (const QString &wanted : uiLanguages) {
        const QString code = wanted.section(QLatin1Char('-'), 0, 0).section(QLatin1Char('_'), 0, 0).toLower();
        if (available.contains(code))
            return code;
    }
    return QStringLiteral("el");
}

void useLanguage(const QString &language)
{
    useSpeechOf(language);
    useQtTextsOf(language);
    useWindowLanguage(language);
    // One translator for the run, handed to each application object in turn; it leaves the
    // object it was given to when that object ends.
    static QTranslator texts;
    static QString loaded;
    if (loaded != language) {
        const QString file = translationFile(language);
        if (!loaded.isEmpty() && QCoreApplication::instance() != nullptr)
            QCoreApplication::removeTranslator(&texts);
        loaded.clear();
        if (file.isEmpty() || !texts.load(file))
            return;
        loaded = language;
    }
    if (QCoreApplication::instance() != nullptr)
        QCoreApplication::installTranslator(&texts);
}

QString desktopLanguage()
{
    return chooseLanguage(QLocale::system().uiLanguages(), gameLanguages());
}

} // namespace numbolo
