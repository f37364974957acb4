#include "skin/SkinImages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A copy of the built skin with one file taken away: loading stops at that file. (The last
// entry is the window icon's file again, so the one before it is taken.)
TEST(SkinImages, LoadStopsAtTheFirstMissingFile)
{
    const auto& order = SkinImages::loadingOrder();
    const QDir built(QStringLiteral(KORVANE_BIN_DIR));
    for (std::size_t missing :
         {std::size_t{0}, std::size_t{8}, std::size_t{19}, order.size() - 2}) {
        QTemporaryDir dir;
        for (std::size_t i = 0; i < order.size(); ++i) {
            if (i == missing) {
                continue;
            }
            const QString target = QDir(dir.path()).filePath(order[i].file);
            QDir().mkpath(QFileInfo(target).absolutePath());
            QFile::copy(built.filePath(order[i].file), target);
        }
        SkinImages images;
        EXPECT_EQ(images.loadSkinImages(dir.path() + u'/'), static_cast<int>(missing))
            << order[missing].file.toStdString();
        EXPECT_FALSE(images.has(order[missing].slot)) << order[missing].file.toStdString();
        EXPECT_TRUE(images.slot(order[missing].slot).isNull());
    }
}

TEST(SkinImages, FolderWithoutASkinLoadsNothing)
{
    QTemporaryDir dir;
    SkinImages images;
    EXPECT_EQ(images.loadSkinImages(dir.path()), 0);
    EXPECT_TRUE(images.slot(26).isNull());
}

} // namespace
