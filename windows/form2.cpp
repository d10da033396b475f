#include "windows/form2.h"

#include "controls/designfont.h"
#include "controls/vb.h"
#include "speech/speech.h"

#include <QCoreApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>

namespace numbolo {

QString Form2::helpText(int secondsPerExercise)
{
    // The blanks before the commas and the straight quotes are part of the text as written. The
    // last sentence says the time the game gives: the text as written for the 3 minutes it gives
    // unless a parent chose otherwise.
    QString time = QCoreApplication::translate("Form2", "Κάθε προσπάθεια, για να είναι επιτυχής, θα πρέπει να ολοκληρωθει σε 3 λεπτά.");
    if (secondsPerExercise == 0)
        time = QCoreApplication::translate("Form2", "Κάθε προσπάθεια μπορεί να πάρει όσο χρόνο χρειάζεσαι.");
    else if (secondsPerExercise != 180)
        time = QCoreApplication::translate("Form2", "Κάθε προσπάθεια, για να είναι επιτυχής, θα πρέπει να ολοκληρωθει σε %1.")
                   .arg(speech().duration(secondsPerExercise));
    return QCoreApplication::translate("Form2", "Αφού επιλέξεις τον αριθμό ασκήσεων ,στο πεδίο ")
        + QCoreApplication::translate("Form2", "\"Επιλογές - Ασκήσεις\"")
        + QCoreApplication::translate("Form2", ", και το εύρος τιμών των αριθμών με τους οποιόυς θέλεις να παίξεις   ,στο πεδίο ")
        + QCoreApplication::translate("Form2", "\"Αριθμοί 0 - \"")
        + QCoreApplication::translate("Form2", ", πάτησε το κόκκινο βελάκι για να ξεκινήσεις. Θα δεις οτι κάποια πλήκτρα είναι ανενεργά. "
                         "Με τα πλήκτρα που έχουν απομείνει θα πρέπει να κάνεις τις κατάλληλες πράξεις, ώστε τα "
                         "αποτελέσματά τους να είναι ίσα με τους αριθμούς μώβ χρώματος που εμφανίστηκαν δεξιά. ")
        + time;
}

Form2::Form2(int secondsPerExercise)
{
    setObjectName(QStringLiteral("Form2"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QCoreApplication::translate("Form2", "Βοήθεια"));
    setWindowIcon(QIcon(QStringLiteral(":/pictures/help-icon.svg")));
    setFixedSize(px(4185), px(5100));
    setAutoFillBackground(true);
    setPaletteColor(this, QPalette::Window, 0xC0FFFF);
    setPaletteColor(this, QPalette::WindowText, 0x000000);

    Label1 = new QLabel(helpText(secondsPerExercise), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setTextFormat(Qt::PlainText);
    Label1->setGeometry(twipsRect(120, 0, 3975, 5055));
    Label1->setFont(designFont(QStringLiteral("Comic Sans MS"), 11.25, true));
    shrinkToFit(Label1);
    // The text takes the keyboard when the window opens, so a screen reader reads it out.
    Label1->setFocusPolicy(Qt::StrongFocus);
    Label1->setFocus(Qt::OtherFocusReason);
}

void Form2::keyPressEvent(QKeyEvent *event)
{
    // Escape closes the help as it would close a dialog.
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace numbolo
