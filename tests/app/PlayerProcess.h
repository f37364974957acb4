#pragma once

// The built program run as a real process with its own home and runtime folders.
#include "GeneratedMedia.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>

class PlayerProcess
{
public:
    explicit PlayerProcess(const QString& home)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", home);
        env.insert("XDG_CONFIG_HOME", home + "/config");
        env.insert("XDG_RUNTIME_DIR", home + "/runtime");
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("QT_LOGGING_RULES", "korvane.*.debug=true");
        // Audio plays in real time on the sound server the test script runs (a null sink);
        // without one, the dummy output keeps the tests running, though it plays audio too fast.
        env.insert("KORVANE_AOUT", env.contains("PULSE_SERVER") ? "pulse" : "dummy");
        m_process.setProcessEnvironment(env);
        m_process.setProcessChannelMode(QProcess::MergedChannels);
    }
    void setEnvironment(const QString& name, const QString& value)
    {
        QProcessEnvironment env = m_process.processEnvironment();
        env.insert(name, value);
        m_process.setProcessEnvironment(env);
    }
    ~PlayerProcess()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    void start(const QStringList& args = {})
    {
        m_process.start(QStringLiteral(KORVANE_BIN_DIR "/korvane"), args);
        ASSERT_TRUE(m_process.waitForStarted(5000));
    }
    // Another program that ends by starting the player in its own place (a script's exec).
    void startProgram(const QString& program)
    {
        m_process.start(program, {});
        ASSERT_TRUE(m_process.waitForStarted(5000));
    }
    bool finishesWithin(int ms) { return m_process.waitForFinished(ms); }
    bool running() const { return m_process.state() == QProcess::Running; }
    void signal(int number) { ::kill(static_cast<pid_t>(m_process.processId()), number); }

    // Reads output until the text appears (at or after `from`) or the time runs out.
    bool waitForOutput(const QString& text, int ms = 10000, qsizetype from = 0)
    {
        QElapsedTimer timer;
        timer.start();
        while (m_output.indexOf(text, from) < 0 && timer.elapsed() < ms) {
            m_process.waitForReadyRead(100);
            m_output += QString::fromUtf8(m_process.readAll());
        }
        return m_output.indexOf(text, from) >= 0;
    }
    QString output()
    {
        m_output += QString::fromUtf8(m_process.readAll());
        return m_output;
    }

private:
    QProcess m_process;
    QString m_output;
};

// A private home for the program (its config and runtime folders), and short H.264 clips with a
// tone, so each clip sounds and looks its own.
class PlayerHomeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable("ffmpeg").isEmpty()) {
            GTEST_SKIP() << "ffmpeg is not installed";
        }
        QDir(m_home.path()).mkpath("config/Korvane");
        QDir(m_home.path()).mkpath("runtime");
        QFile::setPermissions(m_home.filePath("runtime"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QString storePath() const { return m_home.filePath("config/Korvane/store.ini"); }

    static bool makeClip(const QString& path, int seconds = 3, int toneHz = 500)
    {
        korvane::test::MediaRecipe recipe;
        recipe.name = QFileInfo(path).fileName();
        recipe.seconds = seconds;
        recipe.toneHz = toneHz;
        recipe.rate = "15";
        recipe.arguments = {"-c:v",    "libx264", "-preset", "ultrafast", "-pix_fmt",
                            "yuv420p", "-c:a",    "aac",     "-shortest"};
        return korvane::test::generateMedia(QFileInfo(path).absolutePath(), recipe);
    }

    QTemporaryDir m_home;
};
