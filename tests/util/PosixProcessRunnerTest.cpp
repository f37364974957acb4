#include "util/PosixProcessRunner.h"

#include "util/RunnerError.h"
#include "util/ToolPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <future>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

using korvane::PosixProcessRunner;
using korvane::RunnerError;
using namespace std::chrono_literals;

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return "<missing>";
    }
    return file.readAll();
}

void writeFile(const QString& path, const QByteArray& data, bool executable = false)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(data);
    file.close();
    if (executable) {
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
}

// Children of this process still known to the system, zombies included; unlike waitpid() this
// looks without reaping anything.
int childCount()
{
    int count = 0;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString& entry : entries) {
        bool numeric = false;
        entry.toInt(&numeric);
        if (!numeric) {
            continue;
        }
        QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
        if (!stat.open(QIODevice::ReadOnly)) {
            continue;
        }
        const QByteArray text = stat.readAll();
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1 && fields.at(1).toLongLong() == ::getpid()) {
            ++count;
        }
    }
    return count;
}

// Whether a process is gone for good (absent, or a zombie waiting for its new parent).
bool processGone(pid_t pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) {
        return true;
    }
    const QByteArray text = stat.readAll();
    const qsizetype close = text.lastIndexOf(')');
    return close >= 0 && text.mid(close + 2, 1) == "Z";
}

class RunnerTest : public ::testing::Test
{
protected:
    QString path(const QString& name) const { return m_dir.path() + QLatin1Char('/') + name; }

    // Runs a shell snippet as the program's arguments (the runner itself never uses a shell).
    QByteArray runShell(const QString& script, const QStringList& args = {})
    {
        const QString capture = path(QStringLiteral("capture.txt"));
        EXPECT_TRUE(
            m_runner.runPipedCommand(QStringList{QStringLiteral("/bin/sh"), QStringLiteral("-c"),
                                                 script, QStringLiteral("sh")} +
                                         args,
                                     capture));
        return readAll(capture);
    }

    QByteArray header(const QStringList& command) const
    {
        return korvane::commandLineText(command).toUtf8() + "\r\n";
    }

    QTemporaryDir m_dir;
    PosixProcessRunner m_runner;
};

TEST_F(RunnerTest, CaptureHoldsCommandLineThenExactBytes)
{
    const QString capture = path(QStringLiteral("c.txt"));
    const QStringList silent{QStringLiteral("/bin/true")};
    ASSERT_TRUE(m_runner.runPipedCommand(silent, capture));
    EXPECT_EQ(readAll(capture), "/bin/true\r\n");

    // No line break is added at the end, and the child's own CR/LF bytes pass untouched.
    const QStringList printing{QStringLiteral("/usr/bin/printf"),
                               QStringLiteral("a\\r\\nb\\nlast")};
    ASSERT_TRUE(m_runner.runPipedCommand(printing, capture));
    EXPECT_EQ(readAll(capture), "/usr/bin/printf a\\r\\nb\\nlast\r\na\r\nb\nlast");
}

TEST_F(RunnerTest, LargeOutputIsStoredContiguously)
{
    QByteArray data;
    for (int i = 0; data.size() < 300000; ++i) {
        data += QByteArray::number(i) + (i % 7 == 0 ? "\n" : " ");
    }
    data += '\0';
    data += "\xff\xfe tail";
    writeFile(path(QStringLiteral("big.bin")), data);
    const QStringList command{QStringLiteral("/bin/cat"), path(QStringLiteral("big.bin"))};
    ASSERT_TRUE(m_runner.runPipedCommand(command, path(QStringLiteral("c.txt"))));
    EXPECT_EQ(readAll(path(QStringLiteral("c.txt"))), header(command) + data);
}

TEST_F(RunnerTest, StandardOutputAndErrorInterleaveInArrivalOrder)
{
    const QByteArray output =
        runShell(QStringLiteral("echo out1; echo err1 >&2; echo out2; printf err2 >&2"));
    EXPECT_TRUE(output.endsWith("\r\nout1\nerr1\nout2\nerr2")) << output.constData();
}

TEST_F(RunnerTest, FailingExitStatusStillCountsAsFinished)
{
    const QByteArray output = runShell(QStringLiteral("echo bye; exit 3"));
    EXPECT_TRUE(output.endsWith("\r\nbye\n"));
}

TEST_F(RunnerTest, MissingProgramRaises2003AndLeavesCaptureAlone)
{
    const QString capture = path(QStringLiteral("c.txt"));
    const QStringList missing{path(QStringLiteral("no-such-tool")), QStringLiteral("-i")};
    try {
        m_runner.runPipedCommand(missing, capture);
        FAIL() << "no error raised";
    } catch (const RunnerError& error) {
        EXPECT_EQ(error.number(), 2003);
        EXPECT_EQ(error.description(),
                  QStringLiteral("Could not create piped process. LastError %1").arg(ENOENT));
    }
    EXPECT_FALSE(QFile::exists(capture));

    // An earlier capture under the same name is not touched either.
    writeFile(capture, "previous");
    EXPECT_THROW(m_runner.runPipedCommand(missing, capture), RunnerError);
    EXPECT_EQ(readAll(capture), "previous");
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("c.txt")});

    EXPECT_THROW(m_runner.runPipedCommand({}, capture), RunnerError);
}

TEST_F(RunnerTest, MissingWorkingFolderRaises2003)
{
    const QString capture = path(QStringLiteral("c.txt"));
    try {
        m_runner.runPipedCommand({QStringLiteral("/bin/true")}, capture, path("nowhere"));
        FAIL() << "no error raised";
    } catch (const RunnerError& error) {
        EXPECT_EQ(error.number(), 2003);
        EXPECT_TRUE(error.description().endsWith(QString::number(ENOENT)));
    }
    EXPECT_FALSE(QFile::exists(capture));
}

TEST_F(RunnerTest, WorkingFolderIsTheChildsCurrentFolder)
{
    const QString capture = path(QStringLiteral("c.txt"));
    QDir().mkpath(path(QStringLiteral("sub dir")));
    ASSERT_TRUE(m_runner.runPipedCommand({QStringLiteral("/bin/pwd")}, capture,
                                         path(QStringLiteral("sub dir"))));
    EXPECT_EQ(readAll(capture), "/bin/pwd\r\n" + QFile::encodeName(path("sub dir")) + "\n");
}

TEST_F(RunnerTest, UnwritableCaptureRaisesAndLeavesNothing)
{
    const QString capture = path(QStringLiteral("missing-folder/c.txt"));
    try {
        m_runner.runPipedCommand({QStringLiteral("/bin/echo"), QStringLiteral("x")}, capture);
        FAIL() << "no error raised";
    } catch (const RunnerError& error) {
        EXPECT_EQ(error.number(), 2005);
        EXPECT_EQ(error.description(),
                  QStringLiteral("Could not write output file LastError %1").arg(ENOENT));
    }
    // A folder in the capture's place cannot be replaced; the partial capture is cleaned up.
    QDir().mkpath(path(QStringLiteral("taken")));
    EXPECT_THROW(m_runner.runPipedCommand({QStringLiteral("/bin/echo")}, path("taken")),
                 RunnerError);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList());
    EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1) << "a child was left behind";
}

TEST_F(RunnerTest, TimeLimitKillsTheChildAndItsGroup)
{
    const QString capture = path(QStringLiteral("c.txt"));
    const QString pidFile = path(QStringLiteral("pid"));
    const QStringList command{QStringLiteral("/bin/sh"), QStringLiteral("-c"),
                              QStringLiteral("sleep 100 & echo $! > \"$1\"; wait"),
                              QStringLiteral("sh"), pidFile};
    try {
        m_runner.runPipedCommand(command, capture, QString(), 300ms);
        FAIL() << "no error raised";
    } catch (const RunnerError& error) {
        EXPECT_EQ(error.number(), 2004);
        EXPECT_EQ(error.description(),
                  QStringLiteral("The program did not finish within 0.3 seconds"));
    }
    EXPECT_FALSE(QFile::exists(capture));
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("pid")});
    EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1) << "a child was left behind";

    const pid_t grandchild = readAll(pidFile).trimmed().toInt();
    ASSERT_GT(grandchild, 0);
    bool gone = false;
    for (int i = 0; i < 200 && !gone; ++i) {
        gone = processGone(grandchild);
        if (!gone) {
            QThread::msleep(10);
        }
    }
    EXPECT_TRUE(gone) << "the background sleep survived";

    try {
        m_runner.runPipedCommand({QStringLiteral("/bin/sleep"), QStringLiteral("100")}, capture,
                                 QString(), 2s);
        FAIL() << "no error raised";
    } catch (const RunnerError& error) {
        EXPECT_EQ(error.description(),
                  QStringLiteral("The program did not finish within 2 seconds"));
    }
}

TEST_F(RunnerTest, KillingRunningChildrenEndsAWaitingRunAndItsGroup)
{
    const QString pidFile = path(QStringLiteral("pids"));
    std::promise<void> ended;
    std::future<void> done = ended.get_future();
    std::thread run([&] {
        try {
            m_runner.runPipedCommand({QStringLiteral("/bin/sh"), QStringLiteral("-c"),
                                      QStringLiteral("sleep 600 & echo $$ $! > \"$1\"; wait"),
                                      QStringLiteral("sh"), pidFile},
                                     path(QStringLiteral("c.txt")), QString(), 600s);
        } catch (const RunnerError&) {
        }
        ended.set_value();
    });
    QList<QByteArray> pids;
    for (int i = 0; i < 6000 && pids.size() < 2 && done.wait_for(10ms) != std::future_status::ready;
         ++i) {
        pids = readAll(pidFile).simplified().split(' ');
    }
    // Shutdown kills again until the run returns, so a child not yet registered is no excuse.
    for (int i = 0; i < 600 && done.wait_for(100ms) != std::future_status::ready; ++i) {
        PosixProcessRunner::killRunningChildren();
    }
    const bool returned = done.wait_for(0s) == std::future_status::ready;
    EXPECT_TRUE(returned) << "the run still waits for its child";
    if (!returned) {
        for (const QByteArray& pid : pids) {
            ::kill(pid.toInt(), SIGKILL);
        }
    }
    run.join();
    ASSERT_EQ(pids.size(), 2);
    bool gone = false;
    for (int i = 0; i < 600 && !gone; ++i) {
        gone = processGone(pids.at(1).toInt());
        if (!gone) {
            QThread::msleep(10);
        }
    }
    EXPECT_TRUE(gone) << "the child's own child survived";
}

TEST_F(RunnerTest, OutputOfLeftoverGrandchildrenIsNotWaitedFor)
{
    // The grandchild keeps the pipe open; the run ends with the child, well inside the limit.
    const QByteArray output = runShell(QStringLiteral("(sleep 5 &); echo done"));
    EXPECT_TRUE(output.endsWith("done\n"));
}

TEST_F(RunnerTest, AwkwardNamesPassIntact)
{
    const QString folder = path(QStringLiteral("it's \"$HOME\" -x ünï"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString script = folder + QStringLiteral("/-echo args $1.sh");
    writeFile(script, "#!/bin/sh\nfor a in \"$@\"; do printf '[%s]\\n' \"$a\"; done\n", true);
    const QStringList args{QStringLiteral("-i"),
                           QStringLiteral("it's \"quoted\" $HOME `id` ;|&"),
                           QStringLiteral("  lead and trail  "),
                           QStringLiteral("-dash.avi"),
                           QStringLiteral("Ünïcødé – 映画 ✓.mkv"),
                           QString(),
                           QStringLiteral("*.avi")};
    const QString capture = folder + QStringLiteral("/cäp $x.txt");
    ASSERT_TRUE(m_runner.runPipedCommand(QStringList(script) + args, capture));
    QByteArray expected = header(QStringList(script) + args);
    for (const QString& arg : args) {
        expected += '[' + arg.toUtf8() + "]\n";
    }
    EXPECT_EQ(readAll(capture), expected);
    // The file path appears verbatim in the first line, so readers can find and remove it.
    EXPECT_TRUE(readAll(capture).startsWith('"' + script.toUtf8() + "\" -i "));
}

TEST_F(RunnerTest, ChildGetsOnlyStandardDescriptors)
{
    // A descriptor opened without close-on-exec, as another library might, must not leak.
    const int stray = ::open("/dev/null", O_RDONLY);
    ASSERT_GE(stray, 3);
    const QByteArray output =
        runShell(QStringLiteral("for f in 0 1 2 3 4 5 6 7 8 9 $1; do [ -e /proc/$$/fd/$f ] && "
                                "printf '%s ' $f; done; readlink /proc/$$/fd/0"),
                 {QString::number(stray)});
    ::close(stray);
    EXPECT_TRUE(output.endsWith("\r\n0 1 2 /dev/null\n")) << output.constData();
}

TEST_F(RunnerTest, ConcurrentRunsKeepTheirOwnOutput)
{
    constexpr int Runs = 8;
    std::vector<QByteArray> outputs(Runs);
    std::vector<int> failures(Runs, 0);
    std::vector<std::thread> threads;
    for (int i = 0; i < Runs; ++i) {
        threads.emplace_back([&, i] {
            const QString capture = path(QStringLiteral("c%1.txt").arg(i));
            try {
                m_runner.runPipedCommand({QStringLiteral("/bin/sh"), QStringLiteral("-c"),
                                          QStringLiteral("echo a$1; sleep 0.1; echo b$1 >&2"),
                                          QStringLiteral("sh"), QString::number(i)},
                                         capture, QString(), 20s);
                outputs[static_cast<std::size_t>(i)] = readAll(capture);
            } catch (const RunnerError&) {
                failures[static_cast<std::size_t>(i)] = 1;
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    for (int i = 0; i < Runs; ++i) {
        const auto index = static_cast<std::size_t>(i);
        EXPECT_EQ(failures[index], 0);
        EXPECT_TRUE(outputs[index].endsWith("\r\na" + QByteArray::number(i) + "\nb" +
                                            QByteArray::number(i) + "\n"))
            << outputs[index].constData();
    }
    EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
}

TEST_F(RunnerTest, ControlCharactersInArgumentsKeepTheFirstLineOneLine)
{
    const QStringList cases = {QStringLiteral("a\nStream #0:1: Audio: mp3"),
                               QStringLiteral("cr\rhere"), QStringLiteral("crlf\r\nx"),
                               QStringLiteral("esc\x1b[2J bell\x07 del\x7f"),
                               QString(QChar(0x2028)) + QStringLiteral("sep")};
    for (const QString& argument : cases) {
        SCOPED_TRACE(argument.toStdString());
        const QByteArray output =
            runShell(QStringLiteral("printf '%s' \"$1\" | wc -c"), {argument});
        const qsizetype end = output.indexOf("\r\n");
        ASSERT_GE(end, 0);
        const QByteArray first = output.left(end);
        for (const char c : first) {
            EXPECT_GE(static_cast<unsigned char>(c), 0x20u) << first.constData();
            EXPECT_NE(c, '\x7f');
        }
        EXPECT_FALSE(first.contains("\xe2\x80\xa8"));
        // The program itself got the argument unchanged; only the record of it is escaped.
        EXPECT_EQ(output.mid(end + 2).trimmed().toInt(), argument.toUtf8().size());
        EXPECT_EQ(output.count("\r\n"), 1);
    }
    EXPECT_EQ(korvane::commandLineText({QStringLiteral("a\nb"), QStringLiteral("\tc")}),
              QStringLiteral("a\\x0ab \"\\x09c\""));
}

TEST(CommandLineText, QuotesOnlyItemsThatNeedIt)
{
    EXPECT_EQ(
        korvane::commandLineText({QStringLiteral("ffmpeg"), QStringLiteral("-i"),
                                  QStringLiteral("/m/a b.avi"), QString(), QStringLiteral("x\"y")}),
        QStringLiteral("ffmpeg -i \"/m/a b.avi\" \"\" \"x\"y\""));
}

class ShellAndWaitTest : public ::testing::Test
{
protected:
    // A script in the program folder under a name no other test uses.
    QString installScript(const QByteArray& body)
    {
        m_name = QStringLiteral("korvane-test-%1-%2.sh")
                     .arg(QCoreApplication::applicationPid())
                     .arg(reinterpret_cast<quintptr>(this));
        writeFile(korvane::programFolder() + m_name, "#!/bin/sh\n" + body, true);
        return m_name;
    }
    void TearDown() override
    {
        if (!m_name.isEmpty()) {
            QFile::remove(korvane::programFolder() + m_name);
        }
    }

    QString m_name;
    QTemporaryDir m_dir;
    PosixProcessRunner m_runner;
};

TEST_F(ShellAndWaitTest, CompletionRuleUsesProgramFolderForBareNames)
{
    const QString folder = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    EXPECT_EQ(korvane::programFolder(), folder);
    EXPECT_EQ(korvane::completeProgramPath(QStringLiteral("ffmpeg")), folder + "ffmpeg");
    for (const char* kept : {"/usr/bin/ffmpeg", "bin/ffmpeg", "c:ffmpeg", "tools\\ffmpeg"}) {
        EXPECT_EQ(korvane::completeProgramPath(QLatin1String(kept)), QLatin1String(kept));
    }
}

TEST_F(ShellAndWaitTest, RunsBareNameFromProgramFolderInThatFolderAndWaits)
{
    const QString out = m_dir.path() + QStringLiteral("/out $1.txt");
    QString program =
        installScript("sleep 0.2\n{ pwd; for a in \"$@\"; do echo \"[$a]\"; done; } > \"$1\"\n");
    ASSERT_TRUE(m_runner.shellAndWait(program, {out, QStringLiteral("-ss 1")}));
    EXPECT_EQ(program, korvane::programFolder() + m_name);
    const QByteArray folder = QFile::encodeName(QCoreApplication::applicationDirPath());
    EXPECT_EQ(readAll(out), folder + "\n[" + QFile::encodeName(out) + "]\n[-ss 1]\n");
    EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
}

TEST_F(ShellAndWaitTest, MissingProgramReturnsFalse)
{
    QString program = QStringLiteral("korvane-no-such-tool");
    EXPECT_FALSE(m_runner.shellAndWait(program, {}));
    EXPECT_EQ(program, korvane::programFolder() + "korvane-no-such-tool");
}

TEST_F(ShellAndWaitTest, TimeLimitEndsTheWait)
{
    QString program = QStringLiteral("/bin/sleep");
    EXPECT_TRUE(m_runner.shellAndWait(program, {QStringLiteral("100")}, true, 300ms));
    EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
}

TEST_F(ShellAndWaitTest, NoWaitStillReapsTheChild)
{
    const QString out = m_dir.path() + QStringLiteral("/done");
    QString program = QStringLiteral("/bin/touch");
    ASSERT_TRUE(m_runner.shellAndWait(program, {out}, false));
    bool reaped = false;
    for (int i = 0; i < 200 && !reaped; ++i) {
        QThread::msleep(10);
        reaped = QFile::exists(out) && childCount() == 0;
    }
    EXPECT_TRUE(reaped);
}

TEST(FindTool, PrefersExecutableCopyInProgramFolder)
{
    const QString name = QStringLiteral("korvane-tool-%1").arg(QCoreApplication::applicationPid());
    const QString local = korvane::programFolder() + name;
    EXPECT_EQ(korvane::findTool(name), QString());

    writeFile(local, "#!/bin/sh\n", false);
    EXPECT_EQ(korvane::findTool(name), QString()) << "a file that cannot run is no tool";
    QFile::setPermissions(local, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(korvane::findTool(name), local);
    QFile::remove(local);

    const QString sh = korvane::findTool(QStringLiteral("sh"));
    EXPECT_TRUE(sh.endsWith(QStringLiteral("/sh")));
    EXPECT_TRUE(QFileInfo(sh).isExecutable());
}

} // namespace
