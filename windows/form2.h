#pragma once
// Form2, the help window: one paragraph of Greek text on light yellow.

#include <QWidget>

class QLabel;

namespace numbolo {

class Form2 : public QWidget {
    Q_OBJECT
public:
    // `secondsPerExercise`: the time the game gives an exercise, 0 for no limit.
    explicit Form2(int secondsPerExercise = 180);
    static QString helpText(int secondsPerExercise = 180);

    QLabel *Label1;

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace numbolo
