#include "ui/dialogs/AboutBox.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace {

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const QRect& rect,
                  double pointSize)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(rect);
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(pointSize);
    label->setFont(font);
    return label;
}

// The labels are sized for a narrow face; another face may run wider, so a text that would not
// fit its label steps down in size until it does.
void fitText(QLabel* label, bool wrap)
{
    QFont font = label->font();
    const int flags = Qt::AlignLeft | Qt::AlignTop | (wrap ? Qt::TextWordWrap : 0);
    while (font.pointSizeF() > 6.0) {
        const QRect needed = QFontMetrics(font).boundingRect(QRect(0, 0, label->width(), 10000),
                                                             flags, label->text());
        if (needed.width() <= label->width() && needed.height() <= label->height()) {
            break;
        }
        font.setPointSizeF(font.pointSizeF() - 0.25);
    }
    label->setFont(font);
}

} // namespace

AboutBox::AboutBox(PiecePainter painter, UrlOpener opener, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_painter(std::move(painter)),
      m_opener(std::move(opener))
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(AboutBoxGeometry::captionText());
    setModal(true);
    setFixedSize(AboutBoxGeometry::Width, AboutBoxGeometry::Height);
    setMouseTracking(true);

    m_caption = makeLabel(this, "lblCaption", AboutBoxGeometry::captionText(),
                          AboutBoxGeometry::captionLabelRect(), 9);
    QFont bold = m_caption->font();
    bold.setBold(true);
    m_caption->setFont(bold);
    QPalette white = m_caption->palette();
    white.setColor(QPalette::WindowText, Qt::white);
    m_caption->setPalette(white);

    m_description = makeLabel(this, "lblLBLDescription", AboutBoxGeometry::descriptionText(),
                              AboutBoxGeometry::descriptionLabelRect(), 11.25);
    m_description->setWordWrap(true);
    m_basedOn = makeLabel(this, "lblBasedOn", AboutBoxGeometry::basedOnText(),
                          AboutBoxGeometry::basedOnLabelRect(), 11.25);
    m_link = makeLabel(this, "lblVideoLan", AboutBoxGeometry::linkText(),
                       AboutBoxGeometry::linkLabelRect(), 11.25);
    QFont underlined = m_link->font();
    underlined.setUnderline(true);
    m_link->setFont(underlined);
    QPalette blue = m_link->palette();
    blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
    m_link->setPalette(blue);
    m_link->setCursor(Qt::PointingHandCursor);
    fitText(m_description, true);
    fitText(m_basedOn, false);
    fitText(m_link, false);
    m_link->installEventFilter(this);

    // The texts take their own clicks and do nothing with them: pressing on the caption text
    // does not drag the box.
    for (QLabel* text : {m_caption, m_description, m_basedOn}) {
        text->installEventFilter(this);
    }
    m_ok = makeLabel(this, "lblOK", AboutBoxGeometry::okText(), QRect(), 11.25);
    m_ok->installEventFilter(this);
    placeOkLabel();
}

AboutBox::~AboutBox() = default;

int AboutBox::hitAt(QPoint point) const
{
    return AboutBoxGeometry::hitTest(AboutBoxGeometry::hitRects(width(), height()), point);
}

void AboutBox::placeOkLabel()
{
    m_ok->setGeometry(AboutBoxGeometry::okLabelRect(width(), height()));
}

void AboutBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.fillRect(rect(), palette().window());
    for (const AboutBoxGeometry::Piece& piece :
         AboutBoxGeometry::pieces(width(), height(), m_states)) {
        if (m_painter) {
            m_painter(painter, piece.slot, piece.rect);
        }
    }
    placeOkLabel();
}

void AboutBox::mousePressEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    const AboutBoxGeometry::PressResult result =
        AboutBoxGeometry::mousePressed(m_states, hitAt(point));
    m_states = result.states;
    repaint();
    if (result.startDrag && event->button() == Qt::LeftButton) {
        const bool systemMove = windowHandle() && windowHandle()->startSystemMove();
        // Without a window manager to move it, the box follows the pointer itself.
        m_dragging = !systemMove;
        m_dragOffset = event->globalPosition().toPoint() - pos();
    }
}

void AboutBox::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragging && (event->buttons() & Qt::LeftButton)) {
        move(event->globalPosition().toPoint() - m_dragOffset);
        return;
    }
    const bool held = event->buttons() != Qt::NoButton;
    const AboutBoxGeometry::States next =
        AboutBoxGeometry::mouseMoved(m_states, hitAt(event->position().toPoint()), held);
    if (next != m_states) {
        m_states = next;
        update();
    }
}

void AboutBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_dragging) {
        m_dragging = false;
        return;
    }
    // A click counts where the button came up.
    if (AboutBoxGeometry::clickCloses(hitAt(event->position().toPoint()))) {
        accept();
    }
}

bool AboutBox::eventFilter(QObject* watched, QEvent* event)
{
    const bool button = event->type() == QEvent::MouseButtonPress ||
                        event->type() == QEvent::MouseButtonRelease ||
                        event->type() == QEvent::MouseButtonDblClick;
    if (button && (watched == m_caption || watched == m_description || watched == m_basedOn)) {
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        auto* label = static_cast<QWidget*>(watched);
        if (label->rect().contains(mouse->position().toPoint())) {
            if (watched == m_ok) {
                accept();
                return true;
            }
            if (watched == m_link && m_opener) {
                m_opener(QUrl(AboutBoxGeometry::linkAddress()));
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}
