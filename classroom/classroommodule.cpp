// The entry point of the classroom module, which `--class` loads.

#include "classroom/classcsv.h"

#include <QtGlobal>

// Writes the play of the classes the login of `database` reads as CSV to `out`; false, with a
// Greek `error`, where it cannot.
extern "C" Q_DECL_EXPORT bool numbolo_write_class_csv(const QString &database, QIODevice &out, QString *error)
{
    return numbolo::writeClassCsv(database, out, error);
}
