#pragma once
// Storing records of the queue in the school's database: each once, whatever was stored before.

#include "classstore/classrecord.h"

#include <QSqlDatabase>
#include <QString>

#include <vector>

namespace numbolo {

// Stores `records` in one transaction: all of them, or none (false, with what the server said).
// A record whose id the pupil's rows already hold is left as it is (ON CONFLICT DO NOTHING). The
// pupil is the login; every value goes to the server bound, never written into the SQL.
bool storeRecords(QSqlDatabase db, const std::vector<ClassRecord> &records, QString *error);

} // namespace numbolo
