#pragma once
// Test doubles of the platform services, and a World that starts Form1 on them: a clock that
// tests move by hand, scripted message-box answers, recorded sounds, settings and font folders
// in a temporary directory, and the real fixed-seed random source unless a test scripts one.

#include "app/form1.h"
#include "app/platform.h"

#include <QTemporaryDir>
#include <deque>
#include <map>
#include <memory>

namespace numbolo::testing {

class FakeClock : public Clock {
public:
    qint64 now() const override { return m_now; }
    Id callAt(qint64 when, Callback callback) override;
    void cancel(Id id) override;
    // Moves time forward by `ms`, running every call that falls due, in time order, with now()
    // set to its due time.
    void advance(qint64 ms);
    std::size_t pending() const { return m_queue.size(); }

private:
    qint64 m_now = 1'000'000;
    Id m_nextId = 1;
    std::map<std::pair<qint64, Id>, Callback> m_queue;
};

class ScriptedMessages : public MessageBoxes {
public:
    MessageAnswer show(const Message &message) override;
    // Answers for the next boxes, in order. OK boxes without a scripted answer get Ok; a
    // Yes/No box without one gets No.
    std::deque<MessageAnswer> answers;
    std::vector<Message> shown;
    // Runs while a box is "open", before it is answered.
    std::function<void(const Message &)> whileOpen;
};

class RecordingSound : public SoundPlayer {
public:
    void play(Sound sound) override { played.push_back(sound); }
    std::vector<Sound> played;
};

class TempSettings : public SettingsLocation {
public:
    explicit TempSettings(QString path) : path(std::move(path)) {}
    QString iniPath() const override { return path; }
    QString path;
};

class TempFontFolders : public FontFolders {
public:
    QString systemFontFolder() const override { return system; }
    QStringList programFolders() const override { return {program}; }
    QString system;
    QString program;
};

class ScriptedRandom : public RandomSource {
public:
    float next() override;
    std::deque<float> values; // then the fixed-seed sequence
    SeededRandom fallback;
};

// The shipped display font in the source tree.
QString shippedFontPath();

class World {
public:
    World();
    Services services();
    // Writes the "Str" section of the settings file: key -> text.
    void store(const std::map<QString, QString> &values);
    QString stored(const QString &key) const;
    bool hasStored(const QString &key) const;
    // Puts the shipped font into the program folder, and optionally the user's font folder.
    void shipFont();
    void installFont();
    // Creates Form1 on these services and runs its load handler.
    std::unique_ptr<Form1> start();

    QTemporaryDir dir;
    FakeClock clock;
    ScriptedMessages messages;
    RecordingSound sound;
    TempSettings settings;
    TempFontFolders fonts;
    ScriptedRandom random;
};

// Sets the eight targets to `texts` (fewer leave the rest empty).
void setTargets(Form1 &form, const QStringList &texts);
// Clicks a widget with the mouse, as a person would.
void click(QWidget *widget);
// Starts a game from the option boxes through the red arrow.
void startGame(Form1 &form, const QString &count, const QString &range);

} // namespace numbolo::testing
