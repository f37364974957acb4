#include "skin/WindowCaption.h"

#include "util/Product.h"

std::optional<QString> windowCaption(std::optional<TitleBarMode> mode, const QString& title,
                                     const QString& path)
{
    if (!mode) {
        return std::nullopt;
    }
    // Transport states can be active before any item is (Play pressed on a fresh playlist).
    if (path.isEmpty()) {
        return QString(korvane::kProductName);
    }
    const QString named = QString(korvane::kProductName) + QStringLiteral(" - (");
    switch (*mode) {
    case TitleBarMode::FileName:
        return named + title + u')';
    case TitleBarMode::FullPath:
        return named + path + u')';
    case TitleBarMode::ProductOnly:
        break;
    }
    return QString(korvane::kProductName);
}
