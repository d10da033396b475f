#include "controls/qtgreek.h"

#include <cstring>

namespace numbolo {

namespace {

struct GreekText {
    const char *context;
    const char *source;
    const char *greek;
};

// Source texts exactly as Qt 6 asks for them, accelerator marks included.
constexpr GreekText Texts[] = {
    // Standard buttons of message boxes and dialog button boxes.
    {"QPlatformTheme", "OK", "Εντάξει"},
    {"QPlatformTheme", "Save", "Αποθήκευση"},
    {"QPlatformTheme", "Save All", "Αποθήκευση όλων"},
    {"QPlatformTheme", "Open", "Άνοιγμα"},
    {"QPlatformTheme", "&Yes", "&Ναι"},
    {"QPlatformTheme", "Yes to &All", "Ναι σε ό&λα"},
    {"QPlatformTheme", "&No", "Ό&χι"},
    {"QPlatformTheme", "N&o to All", "Όχι σε όλ&α"},
    {"QPlatformTheme", "Abort", "Ματαίωση"},
    {"QPlatformTheme", "Retry", "Επανάληψη"},
    {"QPlatformTheme", "Ignore", "Παράβλεψη"},
    {"QPlatformTheme", "Close", "Κλείσιμο"},
    {"QPlatformTheme", "Cancel", "Ακύρωση"},
    {"QPlatformTheme", "Discard", "Απόρριψη"},
    {"QPlatformTheme", "Help", "Βοήθεια"},
    {"QPlatformTheme", "Apply", "Εφαρμογή"},
    {"QPlatformTheme", "Reset", "Επαναφορά"},
    {"QPlatformTheme", "Restore Defaults", "Επαναφορά προεπιλογών"},
    // The same buttons under a GNOME desktop.
    {"QGnomeTheme", "&OK", "&Εντάξει"},
    {"QGnomeTheme", "&Save", "&Αποθήκευση"},
    {"QGnomeTheme", "&Cancel", "&Ακύρωση"},
    {"QGnomeTheme", "&Close", "&Κλείσιμο"},
    {"QGnomeTheme", "Close without Saving", "Κλείσιμο χωρίς αποθήκευση"},
    // Message boxes.
    {"QMessageBox", "OK", "Εντάξει"},
    {"QMessageBox", "Show Details...", "Εμφάνιση λεπτομερειών..."},
    {"QMessageBox", "Hide Details...", "Απόκρυψη λεπτομερειών..."},
    {"QMessageBox", "About Qt", "Σχετικά με το Qt"},
    // Context menus of line edits and text views.
    {"QLineEdit", "&Undo", "&Αναίρεση"},
    {"QLineEdit", "&Redo", "Ε&πανάληψη"},
    {"QLineEdit", "Cu&t", "Απο&κοπή"},
    {"QLineEdit", "&Copy", "Αντι&γραφή"},
    {"QLineEdit", "&Paste", "Επι&κόλληση"},
    {"QLineEdit", "Delete", "Διαγραφή"},
    {"QLineEdit", "&Delete", "&Διαγραφή"},
    {"QLineEdit", "Select All", "Επιλογή όλων"},
    {"QLineEdit", "&Select All", "Επι&λογή όλων"},
    {"QWidgetTextControl", "&Undo", "&Αναίρεση"},
    {"QWidgetTextControl", "&Redo", "Ε&πανάληψη"},
    {"QWidgetTextControl", "Cu&t", "Απο&κοπή"},
    {"QWidgetTextControl", "&Copy", "Αντι&γραφή"},
    {"QWidgetTextControl", "Copy &Link Location", "Αντιγραφή θέσης &συνδέσμου"},
    {"QWidgetTextControl", "&Paste", "Επι&κόλληση"},
    {"QWidgetTextControl", "Delete", "Διαγραφή"},
    {"QWidgetTextControl", "&Delete", "&Διαγραφή"},
    {"QWidgetTextControl", "Select All", "Επιλογή όλων"},
    {"QWidgetTextControl", "&Select All", "Επι&λογή όλων"},
    // The scroll bar's context menu.
    {"QScrollBar", "Scroll here", "Κύλιση εδώ"},
    {"QScrollBar", "Left edge", "Αριστερό άκρο"},
    {"QScrollBar", "Top", "Αρχή"},
    {"QScrollBar", "Right edge", "Δεξί άκρο"},
    {"QScrollBar", "Bottom", "Τέλος"},
    {"QScrollBar", "Page left", "Σελίδα αριστερά"},
    {"QScrollBar", "Page up", "Σελίδα πάνω"},
    {"QScrollBar", "Page right", "Σελίδα δεξιά"},
    {"QScrollBar", "Page down", "Σελίδα κάτω"},
    {"QScrollBar", "Scroll left", "Κύλιση αριστερά"},
    {"QScrollBar", "Scroll up", "Κύλιση πάνω"},
    {"QScrollBar", "Scroll right", "Κύλιση δεξιά"},
    {"QScrollBar", "Scroll down", "Κύλιση κάτω"},
    // The headings of the command line's help.
    {"QCommandLineParser", "Usage: %1", "Χρήση: %1"},
    {"QCommandLineParser", "[options]", "[επιλογές]"},
    {"QCommandLineParser", "Options:", "Επιλογές:"},
};

} // namespace

QString QtGreekTexts::translate(const char *context, const char *sourceText, const char *, int) const
{
    if (context == nullptr || sourceText == nullptr)
        return {};
    for (const GreekText &text : Texts)
        if (std::strcmp(text.context, context) == 0 && std::strcmp(text.source, sourceText) == 0)
            return QString::fromUtf8(text.greek);
    return {};
}

} // namespace numbolo
