#pragma once
// The English rules of text for the ear. Their words are English itself, not translations of the
// Greek ones: they are not looked up in the translation files.

#include "speech/speech.h"

namespace numbolo {

class EnglishSpeech final : public Speech {
public:
    QString number(QStringView text) const override;
    QString expression(QStringView text) const override;
    QString operatorName(QChar key) const override;
    QString timeOfDay(QTime time) const override;
    QString date(QDate day) const override;
    QString dateTime(const QDateTime &when) const override;
    QString duration(int seconds) const override;
    QString range(int from, int to) const override;
    QString counted(int count, const QString &one, const QString &many) const override;
    QString times(int count) const override;
    QString forTheEar(const QString &text) const override;
};

} // namespace numbolo
