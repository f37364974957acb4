#pragma once

#include <QRect>
#include <QString>

class QLabel;
class QTimer;
class QWidget;

// The text the skinned window shows on its frame: caption, rate, time, volume, and the intake
// count over the playlist. Placed by the window's size; each label sized to its text.
class WindowLabels
{
public:
    explicit WindowLabels(QWidget* window);

    QLabel* caption() const { return m_caption; }
    QString timeText() const;
    void place(int width, int height);
    // The caption shortened to its width with an ellipsis; the whole text in its tool tip.
    void setCaption(const QString& text, int width);
    void setTime(const QString& text, int width, int height);
    // "Loading..." while an item opens (an empty text hides it).
    void setRate(const QString& text, bool visible);
    // A new playback rate, shown for a few seconds where the time text stays readable.
    void showSpeed(const QString& text);
    static constexpr int kSpeedShownMs = 3000;
    QLabel* rateLabel() const { return m_rate; }
    QLabel* timeLabel() const { return m_time; }
    void setVolume(int volume);
    // Shown over the bottom of the playlist area, wide enough for its whole text.
    void setIntake(int done, int total, const QRect& area);

private:
    void placeRate();
    void showRate();

    QLabel* m_caption;
    QLabel* m_rate;
    QLabel* m_time;
    QLabel* m_volume;
    QLabel* m_intake;
    QTimer* m_speedShown = nullptr;
    QString m_loadingText;
    QString m_speedText;
    int m_width = 0;
    int m_height = 0;
};
