#pragma once

#include "util/WavFile.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QByteArray>
#include <QPointer>
#include <QString>
#include <QWidget>

class QAudioSink;
class QAudioSource;
class QBuffer;
class QIODevice;
class QLabel;
class QProgressBar;
class QPushButton;

// The sound recorder: a small window (not modal) that records from an audio input into one wave
// file, with Record, Stop and Play, a level meter and the length of the take. The file is
// written as PCM WAV, all at once, when recording stops (Stop, or closing the window while
// recording); until then it stays as it was (usually the recording template). Without an audio
// input the window says so and Record stays disabled.
class CSoundRecorder : public QWidget
{
    Q_OBJECT

public:
    // input: the device to record from; a null device means that there is none.
    CSoundRecorder(const QString &path, const QAudioDevice &input, QWidget *parent = nullptr);
    ~CSoundRecorder() override;

    // Shows a recorder on the system's default audio input; it deletes itself when closed.
    static CSoundRecorder *Open(const QString &path, QWidget *parent);

    QString Path() const { return m_path; }
    bool HasInput() const { return !m_input.isNull(); }
    bool IsRecording() const { return m_recording; }
    // Length of the current take (or of the file when nothing was recorded yet).
    qint64 LengthMs() const;

    QPushButton *RecordButton() const { return m_record; }
    QPushButton *StopButton() const { return m_stop; }
    QPushButton *PlayButton() const { return m_play; }
    QProgressBar *LevelMeter() const { return m_level; }
    QLabel *LengthText() const { return m_length; }
    QLabel *StatusText() const { return m_status; }

    // A take without the device: begins a take in format, takes samples as the input delivers
    // them, and ends it by writing the file. Record and Stop go through these.
    void BeginTake(const util::WavFormat &format);
    void AppendSamples(const QByteArray &samples);
    bool EndTake();

    // "0:03.4": minutes, seconds and tenths.
    static QString LengthString(qint64 ms);

public slots:
    void Record();
    void Stop();
    void Play();

signals:
    // The file was written with a new take.
    void saved(const QString &path);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void ReadInput();
    void StopPlaying();
    void UpdateControls();
    void UpdateLength();

    QString m_path;
    QAudioDevice m_input;
    QAudioFormat m_inputFormat;
    util::WavFormat m_format;
    bool m_floatInput = false; // samples arrive as floats and are stored as 16 bits
    bool m_recording = false;
    QByteArray m_take;
    QAudioSource *m_source = nullptr;
    QPointer<QIODevice> m_sourceDevice;
    QAudioSink *m_sink = nullptr;
    QBuffer *m_playBuffer = nullptr;

    QPushButton *m_record;
    QPushButton *m_stop;
    QPushButton *m_play;
    QProgressBar *m_level;
    QLabel *m_length;
    QLabel *m_status;
    QLabel *m_file;
};
