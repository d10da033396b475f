// The entry points of the classroom module, which `--class` loads.

#include "classroom/classcsv.h"
#include "classroom/classrun.h"

#include <QtGlobal>

// Writes the play of the classes the login of `database` reads as CSV to `out`; false, with a
// Greek `error`, where it cannot.
extern "C" Q_DECL_EXPORT bool numbolo_write_class_csv(const QString &database, QIODevice &out, QString *error)
{
    return numbolo::writeClassCsv(database, out, error);
}

// Writes the class report as PDF to `file`; false, with a Greek `error`, where it cannot.
extern "C" Q_DECL_EXPORT bool numbolo_write_class_pdf(const QString &database, const QString &file, QString *error)
{
    return numbolo::writeClassPdf(database, file, error);
}

// Shows the class window until it is closed; 1, with a Greek `error`, where the class cannot be
// read.
extern "C" Q_DECL_EXPORT int numbolo_class_window(const QString &database, QString *error)
{
    return numbolo::showClassWindow(database, error);
}
