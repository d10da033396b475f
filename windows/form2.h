#pragma once
// Form2, the help window: one paragraph of Greek text on light yellow.

#include <QWidget>

class QLabel;

namespace numbolo {

class Form2 : public QWidget {
    Q_OBJECT
public:
    Form2();
    static QString helpText();

    QLabel *Label1;

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace numbolo
