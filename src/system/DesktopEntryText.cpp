#include "system/DesktopEntryText.h"

namespace {

QByteArray entry(const QString& name, const QString& exec, const QString& icon,
                 const QStringList& mimeTypes, bool hidden)
{
    QString text = QStringLiteral("[Desktop Entry]\n"
                                  "Type=Application\n"
                                  "Version=1.0\n");
    text += QStringLiteral("Name=") + name + u'\n';
    text += QStringLiteral("GenericName=Media Player\n");
    text += QStringLiteral("Comment=Play audio and video files\n");
    text += QStringLiteral("Exec=") + exec + u'\n';
    if (!icon.isEmpty()) {
        text += QStringLiteral("Icon=") + icon + u'\n';
    }
    text += QStringLiteral("Terminal=false\n");
    text += QStringLiteral("Categories=AudioVideo;Audio;Video;Player;\n");
    if (!mimeTypes.isEmpty()) {
        text += QStringLiteral("MimeType=") + mimeTypes.join(u';') + u';' + u'\n';
    }
    if (hidden) {
        text += QStringLiteral("NoDisplay=true\n");
    }
    return text.toUtf8();
}

} // namespace

QString DesktopEntryText::execArgument(const QString& argument)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool needsQuotes = argument.isEmpty();
    for (const QChar c : argument) {
        needsQuotes = needsQuotes || reserved.contains(c);
    }
    QString quoted;
    if (needsQuotes) {
        quoted = u'"';
        for (const QChar c : argument) {
            if (c == u'"' || c == u'`' || c == u'$' || c == u'\\') {
                quoted += u'\\';
            }
            quoted += c;
        }
        quoted += u'"';
    } else {
        quoted = argument;
    }
    // A field code is expanded by the desktop: a literal percent sign is doubled.
    quoted.replace(u'%', QStringLiteral("%%"));
    // The key file reads a backslash as the start of an escape of its own.
    quoted.replace(u'\\', QStringLiteral("\\\\"));
    return quoted;
}

QByteArray DesktopEntryText::playerEntry(const QString& executable, const QString& icon,
                                         const QStringList& mimeTypes)
{
    return entry(QStringLiteral("Korvane"), execArgument(executable) + QStringLiteral(" %F"), icon,
                 mimeTypes, false);
}

QByteArray DesktopEntryText::enqueueEntry(const QString& executable, const QString& icon,
                                          const QStringList& mimeTypes)
{
    // The marker is a word of its own; quoted, as the desktop would expand a bare "*".
    return entry(QStringLiteral("Add To Playlist"),
                 execArgument(executable) + QStringLiteral(" %F \"*Add\""), icon, mimeTypes, true);
}
