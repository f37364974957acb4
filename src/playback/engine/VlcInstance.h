#pragma once

#include <QStringList>
#include <memory>

struct libvlc_instance_t;

// One libVLC instance: the plugins, the audio and video output choices and the engine options
// that only take effect as instance arguments. Made once for the run and shared by the media
// players of every item; a new one is made only when the options change, because each instance
// leaves per-thread pools behind in the C library that are never given back.
class VlcInstance
{
public:
    enum class AudioOutput
    {
        // KORVANE_AOUT names the output when set; without a sound device the dummy output is used.
        Automatic,
        Dummy,
    };

    // Null when libVLC cannot be started at all. Options libVLC refuses are dropped, and
    // optionsApplied() then says so.
    static std::shared_ptr<VlcInstance> create(const QStringList& options,
                                               AudioOutput audio = AudioOutput::Automatic);
    ~VlcInstance();
    VlcInstance(const VlcInstance&) = delete;
    VlcInstance& operator=(const VlcInstance&) = delete;

    libvlc_instance_t* get() const { return m_instance; }
    bool optionsApplied() const { return m_optionsApplied; }
    const QStringList& options() const { return m_options; }

    // The libVLC instance arguments made from engine option strings: each gets "--", option names
    // are lower-cased (libVLC refuses "snapshot-Width"), values are kept as they are.
    static QStringList instanceArguments(const QStringList& options, bool dummyVideo,
                                         bool dummyAudio);
    // The option strings that shape an instance: all but the snapshot folder, which is given
    // where a snapshot is taken.
    static QStringList instanceOptions(const QStringList& options);

private:
    VlcInstance() = default;

    libvlc_instance_t* m_instance = nullptr;
    bool m_optionsApplied = true;
    QStringList m_options;
};
