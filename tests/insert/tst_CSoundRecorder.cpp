#include "insert/CSoundRecorder.h"

#include "toolkit/QtBridge.h"
#include "util/FileUtil.h"
#include "util/WavFile.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

// The recorder window without a sound device: takes are fed as the input would deliver them.
class tst_CSoundRecorder : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void withoutInputDeviceTheFileStays();
    void stopWritesTheTake();
    void closingWhileRecordingKeepsTheTake();
    void lengthString_data();
    void lengthString();

private:
    static QByteArray Tone(int frames);

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
    std::string m_template;
};

void tst_CSoundRecorder::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_path = m_dir->filePath("voice.wav");
    QVERIFY(util::ReadFile(PELION_PROGRAM_DIR "/Bin/Template.wav", m_template));
    QVERIFY(util::WriteFileAtomic(fromQt(m_path), m_template));
}

QByteArray tst_CSoundRecorder::Tone(int frames)
{
    QByteArray pcm;
    for (int i = 0; i < frames; ++i) {
        const auto v = static_cast<qint16>(std::lround(16000 * std::sin(i * 0.07)));
        pcm.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF));
    }
    return pcm;
}

void tst_CSoundRecorder::withoutInputDeviceTheFileStays()
{
    CSoundRecorder recorder(m_path, QAudioDevice());
    recorder.show();
    QVERIFY(!recorder.HasInput());
    QVERIFY(recorder.StatusText()->text().contains("No sound input device was found"));
    QVERIFY(!recorder.RecordButton()->isEnabled());
    QVERIFY(!recorder.StopButton()->isEnabled());
    QVERIFY(recorder.PlayButton()->isEnabled()); // the template can be listened to
    QVERIFY(recorder.windowTitle().contains("voice.wav"));
    recorder.Record();
    QVERIFY(!recorder.IsRecording());
    recorder.close();
    std::string after;
    QVERIFY(util::ReadFile(fromQt(m_path), after));
    QVERIFY(after == m_template);
}

void tst_CSoundRecorder::stopWritesTheTake()
{
    CSoundRecorder recorder(m_path, QAudioDevice());
    QSignalSpy saved(&recorder, &CSoundRecorder::saved);
    recorder.BeginTake({22050, 1, 16});
    QVERIFY(recorder.IsRecording());
    QVERIFY(recorder.StopButton()->isEnabled());
    QVERIFY(!recorder.PlayButton()->isEnabled());
    const QByteArray first = Tone(11025), second = Tone(2205);
    recorder.AppendSamples(first);
    QVERIFY(recorder.LevelMeter()->value() >= 45);
    recorder.AppendSamples(second);
    QCOMPARE(recorder.LengthText()->text(), QStringLiteral("0:00.6"));
    // Nothing is written before the take ends.
    std::string during;
    QVERIFY(util::ReadFile(fromQt(m_path), during));
    QVERIFY(during == m_template);

    recorder.StopButton()->click();
    QVERIFY(!recorder.IsRecording());
    QCOMPARE(saved.size(), 1);
    QCOMPARE(recorder.LevelMeter()->value(), 0);
    std::string bytes;
    QVERIFY(util::ReadFile(fromQt(m_path), bytes));
    util::WavData data;
    QVERIFY(util::ParseWavFile(bytes, data));
    QCOMPARE(data.format.sampleRate, 22050u);
    QCOMPARE(int(data.format.channels), 1);
    QVERIFY(data.pcm == (first + second).toStdString());
    QCOMPARE(recorder.LengthMs(), qint64(600));
}

void tst_CSoundRecorder::closingWhileRecordingKeepsTheTake()
{
    const QByteArray take = Tone(4410);
    {
        auto *recorder = new CSoundRecorder(m_path, QAudioDevice());
        recorder->setAttribute(Qt::WA_DeleteOnClose);
        recorder->show();
        recorder->BeginTake({44100, 1, 16});
        recorder->AppendSamples(take);
        recorder->close();
    }
    std::string bytes;
    QVERIFY(util::ReadFile(fromQt(m_path), bytes));
    util::WavData data;
    QVERIFY(util::ParseWavFile(bytes, data));
    QVERIFY(data.pcm == take.toStdString());
}

void tst_CSoundRecorder::lengthString_data()
{
    QTest::addColumn<qint64>("ms");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << qint64(0) << "0:00.0";
    QTest::newRow("tenths round down") << qint64(3499) << "0:03.4";
    QTest::newRow("minutes") << qint64(61000) << "1:01.0";
    QTest::newRow("long") << qint64(3600000) << "60:00.0";
}

void tst_CSoundRecorder::lengthString()
{
    QFETCH(qint64, ms);
    QFETCH(QString, text);
    QCOMPARE(CSoundRecorder::LengthString(ms), text);
}

QTEST_MAIN(tst_CSoundRecorder)
#include "tst_CSoundRecorder.moc"
