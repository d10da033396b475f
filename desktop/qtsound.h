#pragma once
// The sound module's player: the embedded WAVE sounds played with Qt Multimedia. The game loads
// it at the first sound through ModuleSoundPlayer (desktop/modulesoundplayer.h); tests and
// tools link it.

#include "services/services.h"

#include <QByteArray>
#include <QHash>
#include <memory>
#include <optional>

class QAudioSink;
class QBuffer;

namespace numbolo {

// The resource name of a sound: "MYSOUND" or "KOTA".
QString soundResourceName(Sound sound);

// A decoded PCM WAVE file: its format and samples.
struct WaveClip {
    int sampleRate = 0;
    int channels = 0;
    int bitsPerSample = 0;
    QByteArray samples;
    double seconds() const;
};
// Reads a PCM WAVE file (8-bit unsigned or 16-bit signed); nullopt for anything else.
std::optional<WaveClip> readWave(const QByteArray &file);

// Plays the embedded sounds through a Qt Multimedia audio sink. The audio output is opened at
// the first sound, so a missing or slow sound server cannot delay start-up, and a sink is left
// to drain after its data is sent, so the end of a sound is never cut off.
class QtSoundPlayer : public SoundPlayer {
public:
    QtSoundPlayer();
    ~QtSoundPlayer() override;
    void play(Sound sound) override;

private:
    const WaveClip *clip(Sound sound);
    QHash<int, std::optional<WaveClip>> m_clips;
    std::unique_ptr<QAudioSink> m_sink;
    std::unique_ptr<QBuffer> m_source;
};

} // namespace numbolo
