#include "ui/dialogs/AboutBox.h"

#include "util/Version.h"

#include <QKeyEvent>
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
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      SkinnedWindow(*this, AboutBoxGeometry::buttonStates(),
                    static_cast<int>(AboutRegion::CaptionStrip), nullptr),
      m_painter(std::move(painter)), m_opener(std::move(opener))
{
    setObjectName(QStringLiteral("aboutBox"));
    setWindowTitle(AboutBoxGeometry::captionText());
    setModal(true);
    setFixedSize(AboutBoxGeometry::Width, AboutBoxGeometry::Height);

    m_caption = makeLabel(this, "caption", AboutBoxGeometry::captionText(),
                          AboutBoxGeometry::captionLabelRect(), 9);
    QFont bold = m_caption->font();
    bold.setBold(true);
    m_caption->setFont(bold);
    QPalette white = m_caption->palette();
    white.setColor(QPalette::WindowText, Qt::white);
    m_caption->setPalette(white);

    m_description = makeLabel(this, "description", AboutBoxGeometry::descriptionText(),
                              AboutBoxGeometry::descriptionLabelRect(), 11.25);
    m_description->setWordWrap(true);
    m_basedOn = makeLabel(this, "basedOn", AboutBoxGeometry::basedOnText(),
                          AboutBoxGeometry::basedOnLabelRect(), 11.25);
    m_link = makeLabel(this, "videoLanLink", AboutBoxGeometry::linkText(),
                       AboutBoxGeometry::linkLabelRect(), 11.25);
    QFont underlined = m_link->font();
    underlined.setUnderline(true);
    m_link->setFont(underlined);
    // Light texts on the dark skin, each at a contrast of at least 4.5 to 1.
    QPalette light = m_description->palette();
    light.setColor(QPalette::WindowText, kBodyText);
    m_description->setPalette(light);
    m_basedOn->setPalette(light);
    QPalette blue = m_link->palette();
    blue.setColor(QPalette::WindowText, kLinkText);
    m_link->setPalette(blue);
    m_link->setCursor(Qt::PointingHandCursor);
    fitText(m_description, true);
    fitText(m_basedOn, false);
    fitText(m_link, false);
    m_link->installEventFilter(this);
    // Which build this is, for a report or a question; clear of the OK button.
    m_version = makeLabel(this, "version", QStringLiteral("Version ") + korvane::version(),
                          QRect(118, 170, 200, 16), 9);
    m_version->setPalette(light);
    m_version->installEventFilter(this);

    // The texts take their own clicks and do nothing with them: pressing on the caption text
    // does not drag the box.
    for (QLabel* text : {m_caption, m_description, m_basedOn}) {
        text->installEventFilter(this);
    }
    m_okText = makeLabel(this, "okText", AboutBoxGeometry::okText(), QRect(), 11.25);
    m_okText->installEventFilter(this);
    placeOkText();
}

AboutBox::~AboutBox() = default;

bool AboutBox::event(QEvent* event)
{
    return skinEvent(event) || QDialog::event(event);
}

std::vector<SkinPiece> AboutBox::skinPieces() const
{
    return AboutBoxGeometry::pieces(width(), height());
}

void AboutBox::drawSkinPiece(QPainter& painter, int slot, const QRect& rect) const
{
    if (m_painter) {
        m_painter(painter, slot, rect);
    }
}

void AboutBox::paintSkinBackground(QPainter& painter)
{
    painter.fillRect(rect(), palette().window());
}

void AboutBox::placeOkText()
{
    m_okText->setGeometry(AboutBoxGeometry::okLabelRect(width(), height()));
}

void AboutBox::keyPressEvent(QKeyEvent* event)
{
    // Return and Escape close the box as OK does: it asks nothing.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void AboutBox::skinPainted()
{
    placeOkText();
}

void AboutBox::skinClicked(int region)
{
    switch (static_cast<AboutRegion>(region)) {
    case AboutRegion::CloseButton:
    case AboutRegion::OkButton:
        accept();
        break;
    case AboutRegion::CaptionStrip:
    case AboutRegion::None:
        break;
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
            if (watched == m_okText) {
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
