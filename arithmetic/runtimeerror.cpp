#include "arithmetic/runtimeerror.h"

namespace numbolo {

RuntimeError::RuntimeError(Number number, QString description)
    : std::runtime_error(description.toStdString()), m_number(number), m_description(std::move(description))
{
}

QString RuntimeError::message() const
{
    return QStringLiteral("Σφάλμα εκτέλεσης %1:\n\n%2\n\nΤο πρόγραμμα θα τερματιστεί.").arg(int(m_number)).arg(m_description);
}

RuntimeError RuntimeError::typeMismatch(const QString &text)
{
    return RuntimeError(TypeMismatch, QStringLiteral("Ασυμφωνία τύπων: το κείμενο \"%1\" δεν είναι αριθμός.").arg(text.left(40)));
}

} // namespace numbolo
