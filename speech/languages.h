#pragma once
// Each language's rules of text for the ear; speech() chooses among them. The English words are
// English itself, not translations of the Greek ones, and are not looked up in the translation
// files; a language with no rules of its own is spoken by the Greek rules, their words taken
// from its translation.

#include "speech/speech.h"

namespace numbolo {

class GreekSpeech final : public Speech {
public:
    QString number(QStringView text) const override;
    QString operatorName(QChar key) const override;
    QString timeOfDay(QTime time) const override;
    QString date(QDate day) const override;
    QString dateTime(const QDateTime &when) const override;
    QString duration(int seconds) const override;
    QString range(int from, int to) const override;
    QString times(int count) const override;
};

class EnglishSpeech final : public Speech {
public:
    QString number(QStringView text) const override;
    QString operatorName(QChar key) const override;
    QString timeOfDay(QTime time) const override;
    QString date(QDate day) const override;
    QString dateTime(const QDateTime &when) const override;
    QString duration(int seconds) const override;
    QString range(int from, int to) const override;
    QString times(int count) const override;
};

} // namespace numbolo
