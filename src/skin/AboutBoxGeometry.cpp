#include "skin/AboutBoxGeometry.h"

const QString& AboutBoxGeometry::captionText()
{
    static const QString text = QStringLiteral("About Korvane");
    return text;
}

const QString& AboutBoxGeometry::descriptionText()
{
    static const QString text = QStringLiteral(
        "Korvane is an easy-to-use program with amazing interface to play almost all media files "
        "with an easy-to-use playlist; The player can also play DVD-Video discs and Video-CD "
        "discs.");
    return text;
}

const QString& AboutBoxGeometry::basedOnText()
{
    static const QString text = QStringLiteral("Korvane is based on ");
    return text;
}

const QString& AboutBoxGeometry::linkText()
{
    static const QString text = QStringLiteral("VideoLan");
    return text;
}

const QString& AboutBoxGeometry::okText()
{
    static const QString text = QStringLiteral("OK");
    return text;
}

const QString& AboutBoxGeometry::linkAddress()
{
    static const QString text = QStringLiteral("https://www.videolan.org/");
    return text;
}

std::vector<SkinPiece> AboutBoxGeometry::pieces(int width, int height)
{
    const int W = width;
    const int H = height;
    using R = AboutRegion;
    return {
        SkinPiece::area(15, QRect(0, 0, W, 31), R::CaptionStrip),
        SkinPiece::buttonFace(186, QRect(W - 30, 1, 23, 24), R::CloseButton),
        SkinPiece::picture(0, QRect(0, 31, 15, H - 45)),
        SkinPiece::picture(2, QRect(W - 16, 31, 16, H - 45)),
        SkinPiece::picture(BottomStripSlot, QRect(0, H - 14, W, 14)),
        // The centre fill overlaps the inner three pixels of both side bands.
        SkinPiece::picture(1, QRect(12, 31, W - 25, H - 45)),
        SkinPiece::picture(200, QRect(20, 51, 80, 80)),
        SkinPiece::buttonFace(196, QRect(W - 75, H - 45, 60, 30), R::OkButton),
    };
}

HitTable AboutBoxGeometry::hitRects(int width, int height)
{
    return HitTable::fromPieces(HitCount, pieces(width, height));
}

ButtonStates AboutBoxGeometry::buttonStates()
{
    return ButtonStates(HitCount, ButtonStates::PressRule::KeepOthers);
}

QRect AboutBoxGeometry::okLabelRect(int width, int height)
{
    return {width - 52, height - 38, 60, 30};
}
