#include "mediainfo/DefaultPictures.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

TEST(DefaultPictures, LoadsBothPicturesFromTheFolder)
{
    QTemporaryDir dir;
    QImage video(40, 30, QImage::Format_RGB32);
    video.fill(Qt::blue);
    QImage audio(20, 10, QImage::Format_RGB32);
    audio.fill(Qt::green);
    ASSERT_TRUE(video.save(dir.filePath("Video.JPG"), "JPG"));
    ASSERT_TRUE(audio.save(dir.filePath("Audio.JPG"), "JPG"));

    const DefaultPictures pictures = DefaultPictures::loadFrom(dir.path());
    EXPECT_EQ(pictures.defaultVideoPicture.size(), QSize(40, 30));
    EXPECT_EQ(pictures.defaultAudioPicture.size(), QSize(20, 10));
}

TEST(DefaultPictures, MissingOrBrokenFilesGiveAPlaceholder)
{
    QTemporaryDir dir;
    QFile broken(dir.filePath("Video.JPG"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a picture");
    broken.close();
    const DefaultPictures pictures = DefaultPictures::loadFrom(dir.path());
    EXPECT_EQ(pictures.defaultVideoPicture.size(), QSize(90, 72));
    EXPECT_EQ(pictures.defaultAudioPicture.size(), QSize(90, 72));
}

TEST(DefaultPictures, OneSharedInstanceForAllThreads)
{
    std::vector<const DefaultPictures*> seen(4, nullptr);
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < seen.size(); ++i) {
        threads.emplace_back([&seen, i] { seen[i] = &DefaultPictures::instance(); });
    }
    for (std::thread& t : threads) {
        t.join();
    }
    for (const DefaultPictures* p : seen) {
        EXPECT_EQ(p, &DefaultPictures::instance());
    }
    EXPECT_FALSE(DefaultPictures::instance().defaultVideoPicture.isNull());
    EXPECT_FALSE(DefaultPictures::instance().defaultAudioPicture.isNull());
}
