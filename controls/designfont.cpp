#include "controls/designfont.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHash>
#include <QLabel>

#include <algorithm>

namespace numbolo {

namespace {

// The database's name of a family without the " [foundry]" it adds where two foundries share
// a family name.
QString plainFamily(const QString &listed)
{
    return listed.section(QLatin1String(" ["), 0, 0);
}

// The installed families, listed once and again after an application font is added:
// QFontDatabase::hasFamily runs the whole fontconfig configuration for every name it is asked.
const QStringList &listedFamilies()
{
    static QStringList families;
    static bool stale = true;
    static bool watching = false;
    if (!watching && qGuiApp != nullptr) {
        watching = true;
        QObject::connect(qGuiApp, &QGuiApplication::fontDatabaseChanged, qGuiApp, [] { stale = true; });
    }
    if (stale || qGuiApp == nullptr) {
        families = QFontDatabase::families();
        stale = false;
    }
    return families;
}

} // namespace

bool familyInstalled(const QString &family)
{
    const QStringList &families = listedFamilies();
    return std::any_of(families.begin(), families.end(),
                       [&](const QString &name) { return plainFamily(name).compare(family, Qt::CaseInsensitive) == 0; });
}

QString installedFamily(const QString &family)
{
    static QHash<QString, QString> resolved;
    auto it = resolved.find(family);
    if (it == resolved.end()) {
        QString installed = family;
        if (!familyInstalled(family)) {
            // Substitutes come back in lower case; name the family as the database spells it.
            const QStringList &families = listedFamilies();
            for (const QString &standIn : QFont::substitutes(family)) {
                const auto match = std::find_if(families.begin(), families.end(), [&](const QString &name) {
                    return plainFamily(name).compare(standIn, Qt::CaseInsensitive) == 0;
                });
                if (match != families.end()) {
                    installed = plainFamily(*match);
                    break;
                }
            }
        }
        it = resolved.insert(family, installed);
    }
    return *it;
}

QFont designFont(const QString &family, qreal points, bool bold, bool italic)
{
    QFont font(installedFamily(family));
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

void shrinkToFit(QLabel *label, qreal smallestPoints)
{
    QFont font = label->font();
    const QRect area = label->contentsRect();
    while (font.pointSizeF() > smallestPoints
           && QFontMetrics(font).boundingRect(area, Qt::TextWordWrap, label->text()).height() > area.height())
        font.setPointSizeF(font.pointSizeF() - 0.25);
    label->setFont(font);
}

} // namespace numbolo
