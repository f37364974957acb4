#pragma once

#include <QRect>
#include <QString>

class QLabel;
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
    void setRate(const QString& text, bool visible);
    void setVolume(int volume);
    // Shown over the bottom of the playlist area, wide enough for its whole text.
    void setIntake(int done, int total, const QRect& area);

private:
    QLabel* m_caption;
    QLabel* m_rate;
    QLabel* m_time;
    QLabel* m_volume;
    QLabel* m_intake;
};
