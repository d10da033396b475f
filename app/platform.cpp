#include "app/platform.h"
#include "app/qtgreek.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QFile>
#include <QMediaDevices>
#include <QStandardPaths>
#include <QTimer>
#include <QTranslator>
#include <QUrl>

#include <algorithm>
#include <limits>

static void initNumboloResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace numbolo {

// ---- Message boxes -----------------------------------------------------------------------

MessageAnswer QtMessageBoxes::show(const Message &message)
{
    // Over the active game window, where there is one, so the box opens centred on it.
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(message.title);
    box.setText(message.text);
    switch (message.icon) {
    case MessageIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MessageIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case MessageIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    }
    QPushButton *yes = nullptr;
    QPushButton *no = nullptr;
    QPushButton *ok = nullptr;
    if (message.buttons == MessageButtons::YesNo) {
        yes = box.addButton(QStringLiteral("Ναι"), QMessageBox::YesRole);
        no = box.addButton(QStringLiteral("Όχι"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
    } else {
        ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.setDefaultButton(ok);
        box.setEscapeButton(ok);
    }
    box.exec();
    const auto *clicked = box.clickedButton();
    if (clicked == nullptr)
        return MessageAnswer::Dismissed;
    if (clicked == yes)
        return MessageAnswer::Yes;
    if (clicked == no)
        return MessageAnswer::No;
    return MessageAnswer::Ok;
}

// ---- Sound -------------------------------------------------------------------------------

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

// ---- Settings location and font folders ---------------------------------------------------

QString UserSettingsLocation::iniPath() const
{
    const QString app = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(base).filePath(app + QLatin1Char('/') + app + QStringLiteral(".ini"));
}

QString UserFontFolders::systemFontFolder() const
{
#ifdef Q_OS_WIN
    return QDir::fromNativeSeparators(qEnvironmentVariable("SystemRoot")) + QStringLiteral("/Fonts");
#else
    // The user's font folder, created when missing as a desktop creates its per-user folders.
    const QString folder =
        QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)).filePath(QStringLiteral("fonts"));
    QDir().mkpath(folder);
    return folder;
#endif
}

QStringList UserFontFolders::programFolders() const
{
    const QString bin = QCoreApplication::applicationDirPath();
    return {bin, QDir(bin).filePath(QStringLiteral("../share/numbolo")),
            QDir(bin).filePath(QStringLiteral("../Resources"))};
}

// ---- Random source -----------------------------------------------------------------------

float SeededRandom::next()
{
    // The top 24 bits of the engine's output, scaled: exactly representable and always below 1.
    return float(m_engine() >> 8) * (1.0f / 16777216.0f);
}

// ---- Clock -------------------------------------------------------------------------------

RealClock::RealClock()
{
    m_elapsed.start();
}

RealClock::~RealClock()
{
    qDeleteAll(m_timers);
}

qint64 RealClock::now() const
{
    return m_elapsed.elapsed();
}

Clock::Id RealClock::callAt(qint64 when, Callback callback)
{
    const Id id = m_nextId++;
    auto *timer = new QTimer;
    timer->setSingleShot(true);
    timer->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer, &QTimer::timeout, timer, [this, id, callback = std::move(callback)] {
        if (QTimer *t = m_timers.take(id)) {
            t->deleteLater();
            callback();
        }
    });
    m_timers.insert(id, timer);
    timer->start(int(std::clamp<qint64>(when - now(), 0, std::numeric_limits<int>::max())));
    return id;
}

void RealClock::cancel(Id id)
{
    if (QTimer *timer = m_timers.take(id)) {
        timer->stop();
        timer->deleteLater();
    }
}

void Alarm::at(qint64 when, Clock::Callback callback)
{
    cancel();
    m_id = m_clock.callAt(when, [this, callback = std::move(callback)] {
        m_id = 0;
        callback();
    });
}

void Alarm::cancel()
{
    if (m_id != 0) {
        m_clock.cancel(m_id);
        m_id = 0;
    }
}

// ---- All of them -------------------------------------------------------------------------

RealServices::RealServices() : m_sound(std::make_unique<QtSoundPlayer>()) {}
RealServices::~RealServices() = default;

Services RealServices::services()
{
    return Services{m_messages, *m_sound, m_settings, m_fonts, m_random, m_clock};
}

void setupApplication()
{
    initNumboloResources();

    // The design's font names, mapped to freely licensed fonts with Greek letters where the
    // named font is not installed. "DS-Digital" is the shipped display font.
    QFont::insertSubstitutions(QStringLiteral("Comic Sans MS"), {QStringLiteral("Andika"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Monotype Corsiva"), {QStringLiteral("Z003"), QStringLiteral("URW Chancery L"), QStringLiteral("DejaVu Serif")});
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), {QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("System"), {QStringLiteral("DejaVu Sans")});

    // Qt's own dialog texts in Greek, whatever the user's locale.
    if (auto *app = QCoreApplication::instance()) {
        // Debian's Qt 6 translations have no Greek, so the game carries Greek for the texts of
        // Qt's widgets. Translators installed later are asked first: a Greek translation of Qt,
        // where one is installed, wins over these.
        QCoreApplication::installTranslator(new QtGreekTexts(app));
        auto *translator = new QTranslator(app);
        if (translator->load(QStringLiteral("qtbase_el"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(translator);
        else
            delete translator;
    }
}

} // namespace numbolo
