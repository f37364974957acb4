#include "util/SupportedFiles.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

QString readText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

// What the README and the manual page tell users Korvane opens is what it opens.
TEST(ExtensionLists, ReadmeAndManualPageNameEveryExtension)
{
    const QStringList documents = {KORVANE_SOURCE_DIR "/README.md",
                                   KORVANE_SOURCE_DIR "/data/man/korvane.1"};
    for (const QString& document : documents) {
        const QString text = readText(document);
        ASSERT_FALSE(text.isEmpty()) << document.toStdString();
        for (const QString& ext : MediaExtensions()) {
            const QRegularExpression word("[\\s,(]" + ext + "[,.)\\s]");
            EXPECT_TRUE(word.match(text).hasMatch())
                << document.toStdString() << " does not name " << ext.toStdString();
        }
    }
}
