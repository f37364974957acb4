#include "playback/engine/VlcInstance.h"

#include "util/Logging.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <mutex>
#include <vector>
#include <vlc/vlc.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

bool hasSoundDevice()
{
    if (!qEnvironmentVariableIsEmpty("PULSE_SERVER")) {
        return true;
    }
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && (QFileInfo::exists(runtime + QStringLiteral("/pulse/native")) ||
                               QFileInfo::exists(runtime + QStringLiteral("/pipewire-0")))) {
        return true;
    }
    return !QDir(QStringLiteral("/dev/snd"))
                .entryList({QStringLiteral("pcmC*")}, QDir::System)
                .isEmpty();
}

// Every libVLC decoder and output thread would otherwise get a malloc arena of its own, which
// the C library keeps for the rest of the run: hundreds of megabytes after a few dozen items.
// Picture buffers are large and made anew for every item. With the C library's sliding mmap
// threshold, the first ones freed move the threshold above their size, so later ones come from
// the arenas, whose holes stay resident: memory grows by half again over a few dozen items. A
// fixed threshold keeps them in mappings of their own, given back when the item ends.
void limitMallocArenas()
{
#ifdef __GLIBC__
    static std::once_flag once;
    std::call_once(once, [] {
        constexpr int kLargeBlock = 128 * 1024;
        mallopt(M_ARENA_MAX, 2);
        mallopt(M_MMAP_THRESHOLD, kLargeBlock);
        mallopt(M_TRIM_THRESHOLD, kLargeBlock);
    });
#endif
}

libvlc_instance_t* startLibVlc(const QStringList& arguments)
{
    limitMallocArenas();
    std::vector<QByteArray> storage;
    storage.reserve(static_cast<size_t>(arguments.size()));
    std::vector<const char*> argv;
    for (const QString& argument : arguments) {
        storage.push_back(argument.toUtf8());
        argv.push_back(storage.back().constData());
    }
    libvlc_instance_t* instance = libvlc_new(static_cast<int>(argv.size()), argv.data());
    if (instance) {
        // What the sound server and the desktop's mixer show for the player's streams.
        libvlc_set_user_agent(instance, "Korvane", "Korvane/" KORVANE_VERSION);
        libvlc_set_app_id(instance, "korvane", KORVANE_VERSION, "korvane");
    }
    return instance;
}

} // namespace

std::shared_ptr<VlcInstance> VlcInstance::create(const QStringList& options, AudioOutput audio)
{
    const QString platform = QGuiApplication::platformName();
    const bool noDisplay = platform.isEmpty() || platform == QLatin1String("offscreen") ||
                           platform == QLatin1String("minimal");
    const QString audioChoice = qEnvironmentVariable("KORVANE_AOUT");
    const bool dummyAudio =
        audio == AudioOutput::Dummy || (audioChoice.isEmpty() && !hasSoundDevice());

    QStringList extra;
    if (!dummyAudio && !audioChoice.isEmpty()) {
        extra << QStringLiteral("--aout=") + audioChoice;
    }
    if (!lcPlayback().isDebugEnabled()) {
        extra << QStringLiteral("--quiet");
    }

    std::shared_ptr<VlcInstance> made(new VlcInstance);
    made->m_options = options;
    made->m_instance = startLibVlc(instanceArguments(options, noDisplay, dummyAudio) + extra);
    if (!made->m_instance) {
        // An option libVLC does not know makes it refuse to start; playing without the snapshot
        // and screensaver wishes beats not playing at all.
        qCWarning(lcPlayback) << "libVLC refused the engine options, starting without them"
                              << options;
        made->m_optionsApplied = false;
        made->m_instance = startLibVlc(instanceArguments({}, noDisplay, dummyAudio) + extra);
        if (!made->m_instance) {
            qCWarning(lcPlayback) << "libVLC could not be started; nothing will play";
            return nullptr;
        }
    }
    return made;
}

VlcInstance::~VlcInstance()
{
    if (m_instance) {
        libvlc_release(m_instance);
    }
}

QStringList VlcInstance::instanceOptions(const QStringList& options)
{
    QStringList kept;
    for (const QString& option : options) {
        if (!option.trimmed().startsWith(QLatin1String("snapshot-path="), Qt::CaseInsensitive)) {
            kept << option;
        }
    }
    return kept;
}

QStringList VlcInstance::instanceArguments(const QStringList& options, bool dummyVideo,
                                           bool dummyAudio)
{
    QStringList arguments{QStringLiteral("--no-video-title-show")};
    if (dummyVideo) {
        arguments << QStringLiteral("--vout=dummy");
    }
    if (dummyAudio) {
        arguments << QStringLiteral("--aout=dummy");
    }
    for (const QString& option : options) {
        QString text = option.trimmed();
        while (text.startsWith(QLatin1Char('-')) || text.startsWith(QLatin1Char(':'))) {
            text.remove(0, 1);
        }
        if (text.isEmpty()) {
            continue;
        }
        const qsizetype equals = text.indexOf(QLatin1Char('='));
        const QString name = (equals < 0 ? text : text.left(equals)).toLower();
        const QString value = equals < 0 ? QString() : text.mid(equals);
        // Overlays are always on in libVLC 3, which only warns about the old switch.
        if (name == QLatin1String("overlay") || name == QLatin1String("no-overlay")) {
            continue;
        }
        arguments << QStringLiteral("--") + name + value;
    }
    return arguments;
}
