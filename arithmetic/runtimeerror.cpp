#include "arithmetic/runtimeerror.h"

#include <QCoreApplication>

namespace numbolo {

RuntimeError::RuntimeError(Number number, QString description)
    : std::runtime_error(description.toStdString()), m_number(number), m_description(std::move(description))
{
}

QString RuntimeError::message() const
{
    return QCoreApplication::translate("RuntimeError", "Σφάλμα εκτέλεσης %1:\n\n%2\n\nΤο πρόγραμμα θα τερματιστεί.").arg(int(m_number)).arg(m_description);
}

RuntimeError RuntimeError::typeMismatch(const QString &text)
{
    return RuntimeError(TypeMismatch, QCoreApplication::translate("RuntimeError", "Ασυμφωνία τύπων: το κείμενο \"%1\" δεν είναι αριθμός.").arg(text.left(40)));
}

} // namespace numbolo
