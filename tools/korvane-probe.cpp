// korvane-probe: describes media files the way the player does before it takes them in.
//
//   korvane-probe [--jobs N] [--thumbs DIR] [--json] FILE...
//
// Results come in the order of the arguments whatever order the probes finish in. Exit status 0
// when every file was accepted, 1 when any was refused, 2 for bad usage.

#include "mediainfo/DecoderProber.h"
#include "mediainfo/MediaSource.h"
#include "mediainfo/OrderedMap.h"
#include "mediainfo/ProbeResult.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringList>
#include <QThread>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

namespace {

struct Options
{
    int jobs = 0;
    QString thumbs;
    bool json = false;
    QStringList files;
};

struct Outcome
{
    bool done = false;
    bool accepted = false;
    MediaSource source;
    ProbeResult result;
};

void usage(const char* problem)
{
    std::fprintf(stderr, "korvane-probe: %s\n", problem);
    std::fprintf(stderr, "usage: korvane-probe [--jobs N] [--thumbs DIR] [--json] FILE...\n");
}

bool parse(const QStringList& args, Options& options)
{
    bool filesOnly = false;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        if (filesOnly || !a.startsWith(QLatin1String("--"))) {
            options.files << a;
        } else if (a == QLatin1String("--")) {
            filesOnly = true;
        } else if (a == QLatin1String("--json")) {
            options.json = true;
        } else if (a == QLatin1String("--jobs") || a == QLatin1String("--thumbs")) {
            if (i + 1 >= args.size()) {
                usage("an option lacks its value");
                return false;
            }
            const QString value = args[++i];
            if (a == QLatin1String("--thumbs")) {
                options.thumbs = value;
                continue;
            }
            bool ok = false;
            options.jobs = value.toInt(&ok);
            if (!ok || options.jobs < 1) {
                usage("--jobs needs a whole number from 1 up");
                return false;
            }
        } else {
            usage("unknown option");
            return false;
        }
    }
    if (options.files.isEmpty()) {
        usage("no file given");
        return false;
    }
    return true;
}

void write(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

void report(const Options& options, int number, const QString& file, Outcome& outcome)
{
    if (options.json) {
        if (outcome.accepted) {
            write(QString::fromUtf8(outcome.source.serialize().toJson()) + u'\n');
        } else {
            OrderedMap error;
            error.insert(QStringLiteral("FileName"), file);
            error.insert(QStringLiteral("Error"), outcome.result.lastProbeError);
            write(QString::fromUtf8(error.toJson()) + u'\n');
        }
        for (const QString& warning : outcome.result.warnings) {
            std::fprintf(stderr, "%s\n", warning.toUtf8().constData());
        }
    } else {
        if (number > 1) {
            write(QStringLiteral("\n"));
        }
        if (outcome.accepted) {
            write(QString(outcome.result.streamInfoText)
                      .replace(QStringLiteral("\r\n"), QStringLiteral("\n")) +
                  u'\n');
        } else {
            write(QStringLiteral("Cannot open file <") + file + QStringLiteral(">\n") +
                  outcome.result.lastProbeError + u'\n');
        }
        for (const QString& warning : outcome.result.warnings) {
            write(warning + u'\n');
        }
    }
    if (outcome.accepted && !options.thumbs.isEmpty()) {
        const QDir dir(options.thumbs);
        for (int s = 0; s < outcome.source.streamCount(); ++s) {
            const QImage picture = outcome.source.streamImage(s);
            const QString name = dir.filePath(QStringLiteral("%1-%2.jpg").arg(number).arg(s));
            if (!picture.isNull() && !picture.save(name, "JPG")) {
                std::fprintf(stderr, "korvane-probe: cannot write %s\n", name.toUtf8().constData());
            }
        }
    }
    std::fflush(stdout);
    // The pictures are written; the next files need the memory more.
    outcome = Outcome{true, outcome.accepted, MediaSource(), ProbeResult()};
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    Options options;
    if (!parse(QCoreApplication::arguments(), options)) {
        return 2;
    }
    if (!options.thumbs.isEmpty() && !QDir().mkpath(options.thumbs)) {
        usage("the thumbnail folder cannot be made");
        return 2;
    }
    const int jobs = options.jobs > 0 ? options.jobs : std::max(1, QThread::idealThreadCount());

    DecoderProber prober;
    std::vector<Outcome> outcomes(size_t(options.files.size()));
    std::mutex mutex;
    std::condition_variable finished;
    std::atomic<size_t> next{0};

    auto work = [&] {
        for (size_t i = next++; i < outcomes.size(); i = next++) {
            Outcome local;
            local.accepted =
                prober.describe(options.files[qsizetype(i)], local.source, local.result);
            local.done = true;
            const std::lock_guard lock(mutex);
            outcomes[i] = std::move(local);
            finished.notify_all();
        }
    };
    std::vector<std::thread> workers;
    for (int j = 0; j < std::min<qsizetype>(jobs, options.files.size()); ++j) {
        workers.emplace_back(work);
    }

    bool allAccepted = true;
    for (size_t i = 0; i < outcomes.size(); ++i) {
        Outcome outcome;
        {
            std::unique_lock lock(mutex);
            finished.wait(lock, [&] { return outcomes[i].done; });
            outcome = std::move(outcomes[i]);
        }
        allAccepted = allAccepted && outcome.accepted;
        report(options, int(i) + 1, options.files[qsizetype(i)], outcome);
    }
    for (std::thread& worker : workers) {
        worker.join();
    }
    return allAccepted ? 0 : 1;
}
