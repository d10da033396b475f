// The embedded resources: the two WAVE sounds read back and parsed here, and every picture.

#include "app/setup.h"
#include "controls/windowicon.h"
#include "services/services.h"

#include <QDir>
#include <QFile>
#include <QIcon>
#include <QSvgRenderer>
#include <QTest>
#include <QtEndian>

#include <algorithm>
#include <cstdlib>
#include <vector>
#include <optional>

using namespace numbolo;

namespace {

// What the "fmt " and "data" chunks of a RIFF WAVE file say.
struct Wave {
    quint16 format = 0;
    quint16 channels = 0;
    quint32 sampleRate = 0;
    quint32 byteRate = 0;
    quint16 blockAlign = 0;
    quint16 bitsPerSample = 0;
    QByteArray data;
};

quint16 u16(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

quint32 u32(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

// Parses a RIFF WAVE file: the header, then chunks of id, size and body (padded to even size).
// Fails on a missing or truncated chunk and on a RIFF size that disagrees with the file.
std::optional<Wave> parseWave(const QByteArray &file, QString *why)
{
    if (file.size() < 12 || !file.startsWith("RIFF") || file.mid(8, 4) != "WAVE") {
        *why = QStringLiteral("no RIFF WAVE header");
        return std::nullopt;
    }
    if (qsizetype(u32(file, 4)) + 8 != file.size()) {
        *why = QStringLiteral("RIFF size %1 + 8 differs from the file size %2").arg(u32(file, 4)).arg(file.size());
        return std::nullopt;
    }
    Wave wave;
    bool haveFormat = false, haveData = false;
    for (qsizetype at = 12; at + 8 <= file.size();) {
        const QByteArray id = file.mid(at, 4);
        const qsizetype size = u32(file, at + 4);
        const qsizetype body = at + 8;
        if (body + size > file.size()) {
            *why = QStringLiteral("chunk %1 runs past the end").arg(QString::fromLatin1(id));
            return std::nullopt;
        }
        if (id == "fmt " && size >= 16) {
            wave.format = u16(file, body);
            wave.channels = u16(file, body + 2);
            wave.sampleRate = u32(file, body + 4);
            wave.byteRate = u32(file, body + 8);
            wave.blockAlign = u16(file, body + 12);
            wave.bitsPerSample = u16(file, body + 14);
            haveFormat = true;
        } else if (id == "data") {
            wave.data = file.mid(body, size);
            haveData = true;
        }
        at = body + size + (size & 1);
    }
    if (!haveFormat || !haveData) {
        *why = QStringLiteral("no fmt or no data chunk");
        return std::nullopt;
    }
    return wave;
}

// The largest distance from silence of the samples in [from, to) bytes, as a fraction of full
// scale (8-bit samples are unsigned around 128, 16-bit ones signed).
double peak(const Wave &wave, qsizetype from, qsizetype to)
{
    to = std::min(to, wave.data.size());
    int largest = 0;
    if (wave.bitsPerSample == 8) {
        for (qsizetype at = from; at < to; ++at)
            largest = std::max(largest, std::abs(int(quint8(wave.data[at])) - 128));
        return largest / 128.0;
    }
    for (qsizetype at = from; at + 1 < to; at += 2)
        largest = std::max(largest, std::abs(int(qint16(u16(wave.data, at)))));
    return largest / 32768.0;
}

// Which 100 ms windows of the sound can be heard (peak above 2 % of full scale).
std::vector<bool> audibleWindows(const Wave &wave)
{
    const qsizetype window = qsizetype(wave.byteRate) / 10;
    std::vector<bool> audible;
    for (qsizetype at = 0; at < wave.data.size(); at += window)
        audible.push_back(peak(wave, at, at + window) > 0.02);
    return audible;
}

} // namespace

class TestResources : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void sounds_data();
    void sounds();
    void pictures_data();
    void pictures();
    void windowIcon_data();
    void windowIcon();
};

void TestResources::initTestCase()
{
    setupApplication();
}

void TestResources::sounds_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("sampleRate");
    QTest::addColumn<int>("bitsPerSample");
    QTest::addColumn<int>("channels");
    QTest::addColumn<double>("minSeconds");
    QTest::addColumn<double>("maxSeconds");
    QTest::addColumn<double>("minAudibleSeconds");
    // The hit sound is heard for about 0.9 s; trailing silence may follow so that no player cuts
    // off its end.
    QTest::newRow("hit sound MYSOUND") << ":/sounds/MYSOUND.wav" << 22050 << 16 << 2 << 0.9 << 1.3 << 0.75;
    QTest::newRow("end music KOTA") << ":/sounds/KOTA.wav" << 6000 << 8 << 1 << 95.0 << 101.0 << 90.0;
}

void TestResources::sounds()
{
    QFETCH(QString, path);
    QFETCH(int, sampleRate);
    QFETCH(int, bitsPerSample);
    QFETCH(int, channels);
    QFETCH(double, minSeconds);
    QFETCH(double, maxSeconds);
    QFETCH(double, minAudibleSeconds);

    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
    QString why;
    const std::optional<Wave> wave = parseWave(file.readAll(), &why);
    QVERIFY2(wave.has_value(), qPrintable(why));

    QCOMPARE(wave->format, quint16(1)); // PCM
    QCOMPARE(int(wave->sampleRate), sampleRate);
    QCOMPARE(int(wave->bitsPerSample), bitsPerSample);
    QCOMPARE(int(wave->channels), channels);
    const int frameBytes = channels * bitsPerSample / 8;
    QCOMPARE(int(wave->blockAlign), frameBytes);
    QCOMPARE(int(wave->byteRate), sampleRate * frameBytes);
    QCOMPARE(wave->data.size() % frameBytes, 0);

    const double seconds = double(wave->data.size()) / (sampleRate * frameBytes);
    QVERIFY2(seconds >= minSeconds && seconds <= maxSeconds, qPrintable(QString::number(seconds)));
    const double loudest = peak(*wave, 0, wave->data.size());
    QVERIFY2(loudest > 0.1, qPrintable(QStringLiteral("peak %1").arg(loudest)));

    // Heard from the first moment, for its whole length, without a gap of a second or more.
    const std::vector<bool> audible = audibleWindows(*wave);
    QVERIFY(audible.front());
    const auto lastAudible = std::find(audible.rbegin(), audible.rend(), true).base() - audible.begin();
    QVERIFY2(lastAudible * 0.1 >= minAudibleSeconds, qPrintable(QString::number(lastAudible * 0.1)));
    int silentRun = 0;
    for (qsizetype i = 0; i < lastAudible; ++i) {
        silentRun = audible[std::size_t(i)] ? 0 : silentRun + 1;
        QVERIFY2(silentRun < 10, qPrintable(QStringLiteral("silent around %1 s").arg(i * 0.1)));
    }
}

void TestResources::pictures_data()
{
    // The sizes of the pictures that the window design states; the window icons may be any size.
    const QHash<QString, QSize> stated{
        {QStringLiteral("lifebuoy.svg"), {25, 25}},   {QStringLiteral("restart.svg"), {30, 30}},
        {QStringLiteral("sound-on.svg"), {16, 16}},   {QStringLiteral("sound-off.svg"), {16, 16}},
        {QStringLiteral("palette.svg"), {26, 26}},    {QStringLiteral("new-exercise.svg"), {22, 20}},
        {QStringLiteral("hide-tools.svg"), {17, 25}}, {QStringLiteral("show-tools.svg"), {17, 25}},
        {QStringLiteral("tick.svg"), {50, 50}},
    };
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size"); // invalid: any size
    const QStringList files = QDir(QStringLiteral(":/pictures")).entryList(QDir::Files);
    QVERIFY(files.size() >= stated.size());
    for (auto it = stated.begin(); it != stated.end(); ++it)
        QVERIFY2(files.contains(it.key()), qPrintable(it.key() + QStringLiteral(" is not a resource")));
    for (const QString &name : files)
        QTest::newRow(qPrintable(name)) << QStringLiteral(":/pictures/") + name << stated.value(name);
}

void TestResources::pictures()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    QSvgRenderer renderer(path);
    QVERIFY2(renderer.isValid(), qPrintable(path));
    QVERIFY(!renderer.defaultSize().isEmpty());
    if (size.isValid())
        QCOMPARE(renderer.defaultSize(), size);
}

void TestResources::windowIcon_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<double>("scale");
    // The sizes Qt hands an X11 desktop, at the scales drawn at build time.
    for (const double scale : {1.0, 1.5, 2.0})
        for (const int size : {16, 32, 64, 128})
            QTest::addRow("%d at %g", size, scale) << size << scale;
    QTest::newRow("not drawn at build time") << 20 << 1.0;
}

void TestResources::windowIcon()
{
    QFETCH(int, size);
    QFETCH(double, scale);
    const QIcon icon = programIcon();
    // No sizes of its own, so the desktop gets Qt's four sizes for scalable icons, as from the SVG.
    QVERIFY(icon.availableSizes().isEmpty());
    const QImage drawn = icon.pixmap(QSize(size, size), scale).toImage().convertToFormat(QImage::Format_ARGB32);
    const QImage expected = QIcon(QStringLiteral(":/pictures/numbolo.svg"))
                                .pixmap(QSize(size, size), scale)
                                .toImage()
                                .convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(drawn.size(), QSize(qRound(size * scale), qRound(size * scale)));
    QCOMPARE(drawn, expected);
}

QTEST_MAIN(TestResources)
#include "tst_resources.moc"
