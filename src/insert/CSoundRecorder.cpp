#include "insert/CSoundRecorder.h"

#include "toolkit/QtBridge.h"
#include "util/FileUtil.h"

#include <QAudioSink>
#include <QAudioSource>
#include <QBuffer>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMediaDevices>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// A filled red circle: the usual sign of a record button.
QIcon RecordIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(200, 30, 30));
    painter.drawEllipse(QRectF(size * 0.15, size * 0.15, size * 0.7, size * 0.7));
    return QIcon(pixmap);
}

// The format asked of the input: mono 16 bits at 44.1 kHz where the device takes it, else the
// device's own format.
QAudioFormat InputFormat(const QAudioDevice &device)
{
    QAudioFormat format;
    format.setSampleRate(44100);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (device.isNull() || device.isFormatSupported(format))
        return format;
    return device.preferredFormat();
}

// The largest sample of 16-bit samples, as a percentage of full scale.
int PeakPercent16(const char *data, qsizetype bytes)
{
    int peak = 0;
    for (qsizetype i = 0; i + 1 < bytes; i += 2) {
        qint16 v;
        std::memcpy(&v, data + i, 2);
        peak = std::max(peak, std::abs(int(v)));
    }
    return std::min(100, peak * 100 / 32767);
}

} // namespace

CSoundRecorder::CSoundRecorder(const QString &path, const QAudioDevice &input, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_path(path)
    , m_input(input)
    , m_record(new QPushButton(RecordIcon(16), QStringLiteral("&Record"), this))
    , m_stop(new QPushButton(style()->standardIcon(QStyle::SP_MediaStop), QStringLiteral("&Stop"),
                             this))
    , m_play(new QPushButton(style()->standardIcon(QStyle::SP_MediaPlay), QStringLiteral("&Play"),
                             this))
    , m_level(new QProgressBar(this))
    , m_length(new QLabel(this))
    , m_status(new QLabel(this))
    , m_file(new QLabel(this))
{
    setWindowTitle(QStringLiteral("Sound recorder - %1").arg(QFileInfo(path).fileName()));
    m_record->setObjectName(QStringLiteral("record"));
    m_stop->setObjectName(QStringLiteral("stop"));
    m_play->setObjectName(QStringLiteral("play"));
    m_level->setRange(0, 100);
    m_level->setValue(0);
    m_level->setTextVisible(false);
    m_level->setObjectName(QStringLiteral("level"));
    m_file->setText(path);
    m_file->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_file->setWordWrap(true);
    m_status->setWordWrap(true);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_record);
    buttons->addWidget(m_stop);
    buttons->addWidget(m_play);
    auto *meter = new QGridLayout;
    meter->addWidget(new QLabel(QStringLiteral("Level"), this), 0, 0);
    meter->addWidget(m_level, 0, 1);
    meter->addWidget(new QLabel(QStringLiteral("Length"), this), 1, 0);
    meter->addWidget(m_length, 1, 1);
    meter->setColumnStretch(1, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_file);
    layout->addLayout(buttons);
    layout->addLayout(meter);
    layout->addWidget(m_status);

    connect(m_record, &QPushButton::clicked, this, &CSoundRecorder::Record);
    connect(m_stop, &QPushButton::clicked, this, &CSoundRecorder::Stop);
    connect(m_play, &QPushButton::clicked, this, &CSoundRecorder::Play);

    if (HasInput()) {
        m_inputFormat = InputFormat(m_input);
        m_status->setText(QStringLiteral("Press Record to record into this file, Stop to save "
                                         "the recording."));
    } else {
        m_status->setText(QStringLiteral("No sound input device was found, so nothing can be "
                                         "recorded. The file stays as it is."));
    }
    UpdateLength();
    UpdateControls();
    resize(std::max(sizeHint().width(), fontMetrics().averageCharWidth() * 48),
           sizeHint().height());
}

CSoundRecorder::~CSoundRecorder()
{
    // Whatever was recorded is kept.
    if (m_recording)
        Stop();
    StopPlaying();
}

CSoundRecorder *CSoundRecorder::Open(const QString &path, QWidget *parent)
{
    auto *recorder = new CSoundRecorder(path, QMediaDevices::defaultAudioInput(), parent);
    recorder->setAttribute(Qt::WA_DeleteOnClose);
    recorder->show();
    recorder->raise();
    recorder->activateWindow();
    return recorder;
}

qint64 CSoundRecorder::LengthMs() const
{
    if (m_recording || !m_take.isEmpty())
        return static_cast<qint64>(util::WavDurationMs(m_format, m_take.size()));
    std::string bytes;
    util::WavData data;
    if (!util::ReadFile(fromQt(m_path), bytes) || !util::ParseWavFile(bytes, data))
        return 0;
    return static_cast<qint64>(util::WavDurationMs(data.format, data.pcm.size()));
}

QString CSoundRecorder::LengthString(qint64 ms)
{
    const qint64 tenths = ms / 100;
    return QStringLiteral("%1:%2.%3")
        .arg(tenths / 600)
        .arg(tenths / 10 % 60, 2, 10, QLatin1Char('0'))
        .arg(tenths % 10);
}

void CSoundRecorder::BeginTake(const util::WavFormat &format)
{
    StopPlaying();
    m_format = format;
    m_take.clear();
    m_recording = true;
    m_status->setText(QStringLiteral("Recording..."));
    UpdateLength();
    UpdateControls();
}

void CSoundRecorder::AppendSamples(const QByteArray &samples)
{
    if (!m_recording)
        return;
    int peak = 0;
    if (m_floatInput) {
        // Stored as 16 bits: the wave file keeps integer samples.
        const qsizetype count = samples.size() / qsizetype(sizeof(float));
        QByteArray converted(count * 2, Qt::Uninitialized);
        for (qsizetype i = 0; i < count; ++i) {
            float f;
            std::memcpy(&f, samples.constData() + i * sizeof(float), sizeof(float));
            const auto v = static_cast<qint16>(std::lround(std::clamp(f, -1.0f, 1.0f) * 32767));
            std::memcpy(converted.data() + i * 2, &v, 2);
        }
        peak = PeakPercent16(converted.constData(), converted.size());
        m_take += converted;
    } else {
        if (m_format.bitsPerSample == 16) {
            peak = PeakPercent16(samples.constData(), samples.size());
        } else if (m_format.bitsPerSample == 8) {
            for (char c : samples)
                peak = std::max(peak, std::abs(int(static_cast<unsigned char>(c)) - 128));
            peak = std::min(100, peak * 100 / 127);
        }
        m_take += samples;
    }
    m_level->setValue(peak);
    UpdateLength();
}

bool CSoundRecorder::EndTake()
{
    if (!m_recording)
        return false;
    m_recording = false;
    m_level->setValue(0);
    std::string error;
    const bool ok = util::WriteWavFile(
        fromQt(m_path), m_format,
        std::string_view(m_take.constData(), static_cast<size_t>(m_take.size())), &error);
    if (ok) {
        m_status->setText(
            QStringLiteral("Recorded %1 into the file.").arg(LengthString(LengthMs())));
        emit saved(m_path);
    } else {
        m_status->setText(QStringLiteral("The recording could not be saved: %1").arg(toQt(error)));
    }
    UpdateLength();
    UpdateControls();
    return ok;
}

void CSoundRecorder::Record()
{
    if (!HasInput() || m_recording)
        return;
    util::WavFormat format;
    format.sampleRate = static_cast<std::uint32_t>(std::max(1, m_inputFormat.sampleRate()));
    format.channels = static_cast<std::uint16_t>(std::max(1, m_inputFormat.channelCount()));
    m_floatInput = m_inputFormat.sampleFormat() == QAudioFormat::Float;
    switch (m_inputFormat.sampleFormat()) {
    case QAudioFormat::UInt8:
        format.bitsPerSample = 8;
        break;
    case QAudioFormat::Int32:
        format.bitsPerSample = 32;
        break;
    default:
        format.bitsPerSample = 16;
        break;
    }
    m_source = new QAudioSource(m_input, m_inputFormat, this);
    m_sourceDevice = m_source->start();
    if (!m_sourceDevice || m_source->error() != QAudio::NoError) {
        delete m_source;
        m_source = nullptr;
        m_status->setText(QStringLiteral("The sound input could not be started."));
        return;
    }
    BeginTake(format);
    connect(m_sourceDevice, &QIODevice::readyRead, this, &CSoundRecorder::ReadInput);
}

void CSoundRecorder::ReadInput()
{
    if (m_sourceDevice)
        AppendSamples(m_sourceDevice->readAll());
}

void CSoundRecorder::Stop()
{
    if (m_recording) {
        ReadInput();
        if (m_source) {
            m_source->stop();
            m_source->deleteLater();
            m_source = nullptr;
        }
        EndTake();
        return;
    }
    StopPlaying();
}

void CSoundRecorder::Play()
{
    if (m_recording)
        return;
    StopPlaying();
    std::string bytes;
    util::WavData data;
    if (!util::ReadFile(fromQt(m_path), bytes) || !util::ParseWavFile(bytes, data)) {
        m_status->setText(QStringLiteral("The file is not a wave file that can be played."));
        return;
    }
    const QAudioDevice output = QMediaDevices::defaultAudioOutput();
    if (output.isNull()) {
        m_status->setText(QStringLiteral("No sound output device was found."));
        return;
    }
    QAudioFormat format;
    format.setSampleRate(static_cast<int>(data.format.sampleRate));
    format.setChannelCount(data.format.channels);
    switch (data.format.bitsPerSample) {
    case 8:
        format.setSampleFormat(QAudioFormat::UInt8);
        break;
    case 16:
        format.setSampleFormat(QAudioFormat::Int16);
        break;
    case 32:
        format.setSampleFormat(QAudioFormat::Int32);
        break;
    default:
        m_status->setText(QStringLiteral("24-bit samples cannot be played here."));
        return;
    }
    m_playBuffer = new QBuffer(this);
    m_playBuffer->setData(QByteArray(data.pcm.data(), static_cast<qsizetype>(data.pcm.size())));
    m_playBuffer->open(QIODevice::ReadOnly);
    m_sink = new QAudioSink(output, format, this);
    connect(m_sink, &QAudioSink::stateChanged, this, [this](QAudio::State state) {
        if (state == QAudio::IdleState || state == QAudio::StoppedState)
            QMetaObject::invokeMethod(this, &CSoundRecorder::StopPlaying, Qt::QueuedConnection);
    });
    m_sink->start(m_playBuffer);
    m_status->setText(QStringLiteral("Playing..."));
    UpdateControls();
}

void CSoundRecorder::StopPlaying()
{
    if (!m_sink)
        return;
    QAudioSink *sink = m_sink;
    m_sink = nullptr;
    sink->disconnect(this);
    sink->stop();
    sink->deleteLater();
    m_playBuffer->deleteLater();
    m_playBuffer = nullptr;
    UpdateControls();
}

void CSoundRecorder::closeEvent(QCloseEvent *event)
{
    Stop();
    QWidget::closeEvent(event);
}

void CSoundRecorder::UpdateControls()
{
    m_record->setEnabled(HasInput() && !m_recording);
    m_stop->setEnabled(m_recording || m_sink);
    m_play->setEnabled(!m_recording && !m_sink && QFileInfo(m_path).isFile());
}

void CSoundRecorder::UpdateLength()
{
    m_length->setText(LengthString(LengthMs()));
}
