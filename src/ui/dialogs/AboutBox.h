#pragma once

#include "skin/AboutBoxGeometry.h"
#include "ui/frame/SkinnedWindow.h"

#include <QColor>
#include <QDialog>
#include <QUrl>
#include <functional>

class QLabel;
class QPainter;

// The About box: a small frameless modal window skinned like the main window, with a skinned
// close button and OK button, a caption strip to drag it by, and a link to VideoLAN's site.
class AboutBox : public QDialog, public SkinnedWindow
{
    Q_OBJECT
public:
    // Draws one skin slot scaled into a rectangle; the box knows where, not how.
    using PiecePainter = std::function<void(QPainter&, int slot, const QRect&)>;
    using UrlOpener = std::function<void(const QUrl&)>;

    AboutBox(PiecePainter painter, UrlOpener opener, QWidget* parent = nullptr);
    ~AboutBox() override;

    static constexpr QColor kBodyText{0xe8, 0xee, 0xdf};
    static constexpr QColor kLinkText{0x9c, 0xcf, 0xff};

    QLabel* okLabel() const { return m_okText; }
    QLabel* linkLabel() const { return m_link; }
    QLabel* versionLabel() const { return m_version; }

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    std::vector<SkinPiece> skinPieces() const override;
    void skinClicked(int region) override;
    void drawSkinPiece(QPainter& painter, int slot, const QRect& rect) const override;
    void paintSkinBackground(QPainter& painter) override;
    void skinPainted() override;

private:
    void placeOkText();

    PiecePainter m_painter;
    UrlOpener m_opener;
    QLabel* m_caption = nullptr;
    QLabel* m_description = nullptr;
    QLabel* m_basedOn = nullptr;
    QLabel* m_link = nullptr;
    QLabel* m_version = nullptr;
    QLabel* m_okText = nullptr;
};
