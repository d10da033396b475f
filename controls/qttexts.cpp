#include "controls/qttexts.h"

#include "controls/qtgreek.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace numbolo {

void useQtTextsOf(QStringView language)
{
    QCoreApplication *app = QCoreApplication::instance();
    if (app == nullptr)
        return;
    // The translators are children of one object; deleting it uninstalls them.
    const QString name = QStringLiteral("numbolo-qt-texts");
    delete app->findChild<QObject *>(name, Qt::FindDirectChildrenOnly);
    auto *texts = new QObject(app);
    texts->setObjectName(name);

    // Translators installed later are asked first: Qt's translation wins over the game's Greek.
    if (language == u"el")
        QCoreApplication::installTranslator(new QtGreekTexts(texts));
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const QString &catalogue : {QStringLiteral("qtbase_"), QStringLiteral("qt_")}) {
        auto *qt = new QTranslator(texts);
        if (qt->load(catalogue + language.toString(), folder)) {
            QCoreApplication::installTranslator(qt);
            break;
        }
        delete qt;
    }
}

} // namespace numbolo
