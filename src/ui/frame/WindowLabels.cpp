#include "ui/frame/WindowLabels.h"

#include "playback/TimeText.h"
#include "skin/SkinLayout.h"
#include "skin/TextEllipsis.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QTimer>

namespace {

// The labels are sized for a narrow face with open letters: DejaVu Sans Condensed is one every
// Linux desktop has.
QFont labelFont(int points, bool bold)
{
    QFont font(QStringLiteral("DejaVu Sans Condensed"), points, bold ? QFont::Bold : QFont::Normal);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QLabel* makeLabel(QWidget* parent, const char* name, const QFont& font, const QString& style)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(font);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->setStyleSheet(style);
    return label;
}

} // namespace

WindowLabels::WindowLabels(QWidget* window)
    : m_caption(makeLabel(window, "lblCaption", labelFont(9, true),
                          QStringLiteral("color: white; background: transparent;"))),
      m_rate(makeLabel(window, "lblRate", labelFont(9, true),
                       QStringLiteral("color: rgb(64, 64, 64); background: transparent;"))),
      m_time(makeLabel(window, "lblTimeElapsed", labelFont(9, true),
                       QStringLiteral("color: rgb(64, 64, 64); background: transparent;"))),
      m_volume(makeLabel(window, "lblVolume", labelFont(7, false),
                         QStringLiteral("color: rgb(242, 255, 255); background: transparent;"))),
      m_intake(makeLabel(window, "lblIntake", labelFont(9, true),
                         QStringLiteral("color: rgb(242, 255, 255); background: rgb(105, 112, "
                                        "97); padding: 2px 6px;")))
{
    m_caption->setAttribute(Qt::WA_TransparentForMouseEvents, false);
    m_rate->hide();
    m_intake->hide();
    m_speedShown = new QTimer(window);
    m_speedShown->setSingleShot(true);
    QObject::connect(m_speedShown, &QTimer::timeout, window, [this] { showRate(); });
    m_time->setText(TimeText::Idle);
    m_time->adjustSize();
    setVolume(100);
}

QString WindowLabels::timeText() const
{
    return m_time->text();
}

void WindowLabels::place(int width, int height)
{
    m_width = width;
    m_height = height;
    m_time->move((width - m_time->width()) / 2, height - 132);
    m_volume->move(width - 17, height - 28);
    placeRate();
}

void WindowLabels::placeRate()
{
    m_rate->move(SkinLayout::rateLabelPosition(m_width, m_height, m_rate->size(),
                                               m_time->isVisible() ? m_time->geometry() : QRect()));
}

void WindowLabels::setCaption(const QString& text, int width)
{
    m_caption->setGeometry(30, 8, qMax(0, width - 110), 16);
    m_caption->setText(fitTextWithEllipsis(text, m_caption->fontMetrics(), m_caption->width()));
    m_caption->setToolTip(text);
}

void WindowLabels::setTime(const QString& text, int width, int height)
{
    m_time->setText(text);
    m_time->adjustSize();
    m_time->move((width - m_time->width()) / 2, height - 132);
    m_width = width;
    m_height = height;
    placeRate();
}

void WindowLabels::setRate(const QString& text, bool visible)
{
    m_loadingText = visible ? text : QString();
    showRate();
}

void WindowLabels::showSpeed(const QString& text)
{
    m_speedText = text;
    m_speedShown->start(kSpeedShownMs);
    showRate();
}

void WindowLabels::showRate()
{
    // Loading is the more urgent news; a speed change stays a moment longer than one tick.
    const QString text = !m_loadingText.isEmpty()   ? m_loadingText
                         : m_speedShown->isActive() ? m_speedText
                                                    : QString();
    if (!text.isEmpty()) {
        m_rate->setText(text);
        m_rate->adjustSize();
        placeRate();
    }
    m_rate->setVisible(!text.isEmpty());
}

void WindowLabels::setVolume(int volume)
{
    m_volume->setText(QString::number(volume));
    m_volume->adjustSize();
}

void WindowLabels::setIntake(int done, int total, const QRect& area)
{
    // A single file needs no count.
    if (total - done <= 1) {
        m_intake->hide();
        return;
    }
    const QString text =
        QCoreApplication::translate("MainWindow", "Adding files: %1 of %2").arg(done).arg(total);
    m_intake->setText(text);
    m_intake->adjustSize();
    // Sized to its whole text, so nothing is cut at either end; only a text wider than the
    // content area is shortened, at its end.
    const int width = qMin(m_intake->width(), qMax(area.width(), 0));
    if (width < m_intake->width()) {
        m_intake->setText(m_intake->fontMetrics().elidedText(text, Qt::ElideRight, width - 12));
    }
    m_intake->setGeometry(area.left(), area.bottom() - m_intake->height() + 1, width,
                          m_intake->height());
    m_intake->show();
    m_intake->raise();
}
