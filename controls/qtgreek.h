#pragma once
// Greek for the texts Qt's own widgets show (standard dialog buttons, the edit context menus,
// the scroll bar menu, the message box's details button) and for the headings of the command
// line's help. Only for what Qt does not ship in Greek: Debian's qt6-translations-l10n (6.4) has
// no qtbase_el.qm nor qt_el.qm, so every entry here is still needed there; a Greek translation
// of Qt, where one is installed, is asked before these (useQtTextsOf()).

#include <QTranslator>

namespace numbolo {

class QtGreekTexts : public QTranslator {
    Q_OBJECT
public:
    using QTranslator::QTranslator;

    // The Greek text of `sourceText` in `context`, or an empty string when it has none, so
    // that Qt goes on to the next translator or keeps the source text.
    QString translate(const char *context, const char *sourceText, const char *disambiguation = nullptr,
                      int n = -1) const override;
    bool isEmpty() const override { return false; }
};

} // namespace numbolo
