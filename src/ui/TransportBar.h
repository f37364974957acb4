#pragma once

#include "playback/MediaControlState.h"

#include <QStyle>
#include <QWidget>

class ProgressBar;
class QHBoxLayout;
class QLabel;
class QToolButton;
class VolumeSlider;

// Time, progress and the transport buttons, as plain widgets. Every button is a plain call on
// the playback session; the bar only shows what it is told.
class TransportBar : public QWidget
{
    Q_OBJECT
public:
    explicit TransportBar(QWidget* parent = nullptr);

    void setTimeText(const QString& text);
    void setProgress(int percent);
    void setRateText(const QString& text, bool visible);
    void setControlState(MediaControlState::State state);
    void setMuted(bool muted);
    QString timeText() const;
    ProgressBar* progressBar() const { return m_progress; }

signals:
    void openClicked();
    void playClicked();
    void pauseClicked();
    void stopClicked();
    void previousClicked();
    void nextClicked();
    void rewindPressed();
    void rewindReleased();
    void fastForwardPressed();
    void fastForwardReleased();
    void fullScreenClicked();
    void muteClicked();
    void playlistClicked();
    void seekRequested(double fraction);
    void volumeChanged(int volume);

private:
    QToolButton* addButton(QStyle::StandardPixmap icon, const QString& tip);

    QLabel* m_time = nullptr;
    QLabel* m_rate = nullptr;
    ProgressBar* m_progress = nullptr;
    VolumeSlider* m_volume = nullptr;
    QToolButton* m_play = nullptr;
    QToolButton* m_pause = nullptr;
    QToolButton* m_stop = nullptr;
    QToolButton* m_mute = nullptr;
    QList<QToolButton*> m_itemButtons;
    QHBoxLayout* m_buttons = nullptr;
};
