#include "desktop/qtsound.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QFile>
#include <QMediaDevices>

namespace numbolo {

QString soundResourceName(Sound sound)
{
    return sound == Sound::Hit ? QStringLiteral("MYSOUND") : QStringLiteral("KOTA");
}

double WaveClip::seconds() const
{
    const int frameBytes = channels * bitsPerSample / 8;
    return frameBytes > 0 && sampleRate > 0 ? double(samples.size()) / frameBytes / sampleRate : 0;
}

std::optional<WaveClip> readWave(const QByteArray &file)
{
    const auto u16 = [&](qsizetype at) { return quint16(quint8(file[at]) | quint8(file[at + 1]) << 8); };
    const auto u32 = [&](qsizetype at) { return quint32(u16(at)) | quint32(u16(at + 2)) << 16; };
    if (file.size() < 12 || !file.startsWith("RIFF") || file.mid(8, 4) != "WAVE")
        return std::nullopt;
    WaveClip clip;
    bool haveFormat = false;
    for (qsizetype at = 12; at + 8 <= file.size();) {
        const QByteArray id = file.mid(at, 4);
        const qsizetype size = qsizetype(u32(at + 4));
        const qsizetype body = at + 8;
        if (size < 0 || body + size > file.size())
            return std::nullopt;
        if (id == "fmt " && size >= 16) {
            if (u16(body) != 1) // PCM only
                return std::nullopt;
            clip.channels = u16(body + 2);
            clip.sampleRate = int(u32(body + 4));
            clip.bitsPerSample = u16(body + 14);
            haveFormat = true;
        } else if (id == "data") {
            clip.samples = file.mid(body, size);
        }
        at = body + size + (size & 1);
    }
    const bool supported = (clip.bitsPerSample == 8 || clip.bitsPerSample == 16) && clip.channels >= 1
        && clip.channels <= 2 && clip.sampleRate > 0;
    if (!haveFormat || !supported || clip.samples.isEmpty())
        return std::nullopt;
    return clip;
}

QtSoundPlayer::QtSoundPlayer() = default;

QtSoundPlayer::~QtSoundPlayer()
{
    if (m_sink)
        m_sink->stop();
}

const WaveClip *QtSoundPlayer::clip(Sound sound)
{
    auto it = m_clips.find(int(sound));
    if (it == m_clips.end()) {
        QFile file(QStringLiteral(":/sounds/%1.wav").arg(soundResourceName(sound)));
        std::optional<WaveClip> clip;
        if (file.open(QIODevice::ReadOnly))
            clip = readWave(file.readAll());
        it = m_clips.insert(int(sound), std::move(clip));
    }
    return it->has_value() ? &**it : nullptr;
}

void QtSoundPlayer::play(Sound sound)
{
    // One sound at a time: a new sound cuts off the one still playing.
    if (m_sink) {
        m_sink->stop();
        m_sink.reset();
    }
    const WaveClip *wave = clip(sound);
    if (wave == nullptr)
        return;
    // Without a sound device or server there is no default output: the game stays silent.
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return;
    QAudioFormat format;
    format.setSampleRate(wave->sampleRate);
    format.setChannelCount(wave->channels);
    format.setSampleFormat(wave->bitsPerSample == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
    m_source = std::make_unique<QBuffer>();
    m_source->setData(wave->samples);
    m_source->open(QIODevice::ReadOnly);
    m_sink = std::make_unique<QAudioSink>(device, format);
    // The sink pulls the samples as the device needs them; nothing here waits for the device.
    m_sink->start(m_source.get());
}

} // namespace numbolo
