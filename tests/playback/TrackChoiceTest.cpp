#include "playback/TrackChoice.h"

#include "playback/FakeEngine.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {

class TrackChoiceTest : public ::testing::Test
{
protected:
    TrackChoiceTest()
    {
        engine->open("/m/film.mkv");
        engine->fakeState = Engine::Playing;
        engine->fakeAudioTracks = {{1, "Track 1 - [English]"}, {2, "Track 2 - [Deutsch]"}};
        engine->fakeAudioTrack = 1;
        engine->fakeSubtitleTracks = {{3, "Track 1 - [English]"}};
        engine->fakeSubtitleTrack = 3;
    }

    std::unique_ptr<FakeEngine> engine = std::make_unique<FakeEngine>();
    TrackChoice choice;
};

TEST_F(TrackChoiceTest, NothingToChooseUnlessAnItemPlaysOrPauses)
{
    EXPECT_FALSE(choice.isActive()) << "no engine bound";
    choice.bind(engine.get());
    const struct
    {
        Engine::State state;
        bool active;
    } cases[] = {
        {Engine::Opening, false}, {Engine::Playing, true}, {Engine::Paused, true},
        {Engine::Stopped, false}, {Engine::Ended, false},  {Engine::Error, false},
    };
    for (const auto& c : cases) {
        engine->fakeState = c.state;
        EXPECT_EQ(choice.isActive(), c.active) << c.state;
        EXPECT_EQ(choice.audioTracks().size(), c.active ? 2 : 0) << c.state;
        EXPECT_EQ(choice.subtitleTrack(), c.active ? 3 : -1) << c.state;
        EXPECT_EQ(choice.chooseAudio(2), c.active) << c.state;
    }
}

TEST_F(TrackChoiceTest, OnlyTracksTheItemHasAreChosen)
{
    choice.bind(engine.get());
    EXPECT_FALSE(choice.chooseAudio(7));
    EXPECT_FALSE(choice.chooseAudio(-1)) << "audio has no off here";
    EXPECT_FALSE(choice.chooseSubtitle(1)) << "an audio track's id is no subtitle";
    EXPECT_EQ(engine->calls.filter("set").size(), 0);
    EXPECT_TRUE(choice.chooseAudio(2));
    EXPECT_TRUE(choice.chooseSubtitle(-1));
    EXPECT_EQ(engine->calls.filter("set"), QStringList({"setAudioTrack 2", "setSubtitleTrack -1"}));
    EXPECT_EQ(choice.audioTrack(), 2);
    EXPECT_EQ(choice.subtitleTrack(), -1);
}

TEST_F(TrackChoiceTest, FollowsTheEngineOfTheMoment)
{
    QSignalSpy changed(&choice, &TrackChoice::changed);
    choice.bind(engine.get());
    choice.bind(engine.get());
    EXPECT_EQ(changed.size(), 1) << "the same engine again is no change";
    engine->fireTracks();
    engine->fireState(Engine::Paused);
    EXPECT_EQ(changed.size(), 3);

    auto next = std::make_unique<FakeEngine>();
    choice.bind(next.get());
    engine->fireTracks();
    EXPECT_EQ(changed.size(), 4) << "the old engine is no longer heard";
    EXPECT_FALSE(choice.isActive()) << "the new engine has no item yet";
    next.reset();
    EXPECT_FALSE(choice.isActive()) << "a gone engine leaves nothing to choose";
    EXPECT_FALSE(choice.chooseSubtitle(-1));
}

TEST_F(TrackChoiceTest, ASubtitleFileMustExistAndBeOne)
{
    QTemporaryDir dir;
    const QString srt = dir.filePath("film.srt");
    QFile(srt).open(QIODevice::WriteOnly);
    const QString text = dir.filePath("film.txt");
    QFile(text).open(QIODevice::WriteOnly);
    choice.bind(engine.get());
    for (const char* path : {"/m/film.srt", "/m/srt", "/m/film.", ""}) {
        EXPECT_FALSE(choice.addSubtitleFile(path)) << path << ": missing or no subtitle file";
    }
    for (const char* name : {"a.srt", "b.ASS", "c.ssa", "d.vtt", "e.sub"}) {
        EXPECT_TRUE(TrackChoice::isSubtitleFile(name)) << name;
    }
    EXPECT_FALSE(choice.addSubtitleFile(text));
    EXPECT_TRUE(choice.addSubtitleFile(srt));
    EXPECT_EQ(engine->subtitleFiles, QStringList({srt}));
    engine->fakeState = Engine::Stopped;
    EXPECT_FALSE(choice.addSubtitleFile(srt)) << "nothing plays";
    EXPECT_EQ(engine->subtitleFiles.size(), 1);
}

} // namespace
