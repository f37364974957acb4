#include "ui/TransportBar.h"

#include "playback/MediaControlState.h"
#include "playback/TimeText.h"
#include "ui/ProgressBar.h"
#include "ui/VolumeSlider.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

TransportBar::TransportBar(QWidget* parent) : QWidget(parent)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);

    m_progress = new ProgressBar(this);
    m_progress->setFixedHeight(8);
    m_progress->setToolTip(tr("Seek"));
    connect(m_progress, &ProgressBar::seekRequested, this, &TransportBar::seekRequested);
    column->addWidget(m_progress);

    auto* info = new QHBoxLayout;
    m_time = new QLabel(TimeText::Idle, this);
    m_time->setObjectName(QStringLiteral("lblTimeElapsed"));
    m_rate = new QLabel(this);
    m_rate->setObjectName(QStringLiteral("lblRate"));
    m_rate->hide();
    info->addWidget(m_time);
    info->addStretch();
    info->addWidget(m_rate);
    column->addLayout(info);

    m_buttons = new QHBoxLayout;
    m_buttons->setSpacing(1);
    column->addLayout(m_buttons);

    connect(addButton(QStyle::SP_DialogOpenButton, tr("Open")), &QToolButton::clicked, this,
            &TransportBar::openClicked);
    m_play = addButton(QStyle::SP_MediaPlay, tr("Play"));
    connect(m_play, &QToolButton::clicked, this, &TransportBar::playClicked);
    m_pause = addButton(QStyle::SP_MediaPause, tr("Pause"));
    connect(m_pause, &QToolButton::clicked, this, &TransportBar::pauseClicked);
    m_stop = addButton(QStyle::SP_MediaStop, tr("Stop"));
    connect(m_stop, &QToolButton::clicked, this, &TransportBar::stopClicked);
    QToolButton* previous = addButton(QStyle::SP_MediaSkipBackward, tr("Previous"));
    connect(previous, &QToolButton::clicked, this, &TransportBar::previousClicked);
    QToolButton* rewind = addButton(QStyle::SP_MediaSeekBackward, tr("Rewind"));
    connect(rewind, &QToolButton::pressed, this, &TransportBar::rewindPressed);
    connect(rewind, &QToolButton::released, this, &TransportBar::rewindReleased);
    QToolButton* next = addButton(QStyle::SP_MediaSkipForward, tr("Next"));
    connect(next, &QToolButton::clicked, this, &TransportBar::nextClicked);
    QToolButton* forward = addButton(QStyle::SP_MediaSeekForward, tr("Fast forward"));
    connect(forward, &QToolButton::pressed, this, &TransportBar::fastForwardPressed);
    connect(forward, &QToolButton::released, this, &TransportBar::fastForwardReleased);
    QToolButton* full = addButton(QStyle::SP_TitleBarMaxButton, tr("Full screen"));
    connect(full, &QToolButton::clicked, this, &TransportBar::fullScreenClicked);
    m_itemButtons = {previous, rewind, next, forward, full};
    connect(addButton(QStyle::SP_FileDialogListView, tr("Playlist")), &QToolButton::clicked, this,
            &TransportBar::playlistClicked);
    m_buttons->addStretch();
    m_mute = addButton(QStyle::SP_MediaVolume, tr("Mute"));
    connect(m_mute, &QToolButton::clicked, this, &TransportBar::muteClicked);
    m_volume = new VolumeSlider(this);
    m_volume->setFixedSize(70, 16);
    connect(m_volume, &VolumeSlider::volumeChanged, this, &TransportBar::volumeChanged);
    m_buttons->addWidget(m_volume);
    setControlState(MediaControlState::Stopped);
}

QToolButton* TransportBar::addButton(QStyle::StandardPixmap icon, const QString& tip)
{
    auto* button = new QToolButton(this);
    button->setIcon(style()->standardIcon(icon));
    button->setToolTip(tip);
    button->setAutoRaise(true);
    m_buttons->addWidget(button);
    return button;
}

void TransportBar::setTimeText(const QString& text)
{
    m_time->setText(text);
}

QString TransportBar::timeText() const
{
    return m_time->text();
}

void TransportBar::setProgress(int percent)
{
    m_progress->SetProgress(percent);
}

void TransportBar::setRateText(const QString& text, bool visible)
{
    if (visible) {
        m_rate->setText(text);
    }
    m_rate->setVisible(visible);
}

void TransportBar::setControlState(MediaControlState::State state)
{
    const auto control = MediaControlState::enableMediaControl(state);
    if (!control) {
        return;
    }
    m_play->setEnabled(control->buttonState(MediaControlState::PlayButton) !=
                       MediaControlState::ButtonDisabled);
    m_pause->setEnabled(control->buttonState(MediaControlState::PauseButton) !=
                        MediaControlState::ButtonDisabled);
    m_stop->setEnabled(control->buttonState(MediaControlState::StopButton) !=
                       MediaControlState::ButtonDisabled);
    for (QToolButton* button : m_itemButtons) {
        button->setEnabled(control->state() == MediaControlState::Playing);
    }
    m_progress->setEnabled(control->flags().MediaActive);
}

void TransportBar::setMuted(bool muted)
{
    m_mute->setIcon(
        style()->standardIcon(muted ? QStyle::SP_MediaVolumeMuted : QStyle::SP_MediaVolume));
}
