#pragma once

#include <QImage>
#include <QObject>
#include <QSize>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>

// The pictures an engine decodes into memory, handed from its output thread to the UI thread.
// Two buffers: the output writes into the one not shown while the UI paints the other, so a
// picture is never torn and a slow repaint only drops pictures.
//
// While the item is paused the output would copy the same picture again every 80 ms; once the
// paused picture is shown, the output thread is held in lock(). The hold is bounded: every
// quarter second the held output asks the UI thread whether it is alive, and lets its picture
// through when no answer came, since a UI thread that cannot answer sits in a libVLC call that
// waits for the output.
class VideoFrames : public QObject
{
    Q_OBJECT

public:
    explicit VideoFrames(QObject* parent = nullptr);

    // UI thread. Pictures larger than this (in device pixels) are scaled down by the engine.
    void setLargestSize(QSize size);
    // UI thread. The picture's size as it should look (its visible part, pixels made square),
    // once the engine knows it: an output opened after this makes pictures of this size, and
    // they are painted with its shape. Libvlc would otherwise give the decoder's padded size.
    void setDisplaySize(QSize size);
    // Width over height of the picture as it should look; 0 while unknown, when the buffer's
    // own shape holds.
    double displayAspect() const;

    // UI thread: the newest picture taken in; null before the first or after the output closed.
    // It stays valid while the caller holds it.
    QImage picture() const;

    // UI thread. A request to the engine (a seek, a stop, a snapshot...) that may wait for the
    // output or asks for a new picture: lets a held output go, stops holding it, and makes every
    // picture the output took before out of date. Gives the request's generation.
    unsigned beginRequest();
    // Any thread: the generation of the latest request.
    unsigned generation() const { return m_generation.load(); }
    // UI thread. Holds the output after the first picture of `generation` it shows, and after
    // each one after that, until the next request or release(). A generation that a later
    // request made out of date holds nothing.
    void holdFrom(unsigned generation);
    // UI thread. Lets a held output go and stops holding it.
    void release();
    bool isHeld() const;

    // libVLC's output thread; signatures as libvlc_video_set_format_callbacks and
    // libvlc_video_set_callbacks take them, `opaque` being this object. Nothing needs doing when
    // a picture is unlocked. The player releases the output before it lets these frames go.
    static unsigned setup(void** opaque, char* chroma, unsigned* width, unsigned* height,
                          unsigned* pitches, unsigned* lines);
    static void cleanup(void* opaque);
    static void* lock(void* opaque, void** planes);
    static void display(void* opaque, void* picture);

    // How many pictures the output has shown (redisplays of a paused one included).
    int shownCount() const { return m_shownCount.load(); }
    // How many times a held output found the UI thread alive and went on waiting.
    int holdChecks() const { return m_holdChecks.load(); }

signals:
    // UI thread: picture() changed (or became null).
    void pictureChanged();

private:
    // Any thread: has the UI thread take the newest picture.
    void postTake();
    void takeNewest();
    // Output thread, m_mutex held by `guard`: waits while held, as long as the UI thread answers.
    void waitWhileHeld(std::unique_lock<std::mutex>& guard);

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    // Guarded by m_mutex.
    QImage m_buffers[2];
    int m_shown = -1;
    int m_ready = -1;
    int m_writing = -1;
    bool m_holding = false;
    bool m_held = false;
    // The generation at which the picture being written was taken.
    unsigned m_writingGeneration = 0;
    unsigned m_checksAsked = 0;
    unsigned m_checksAnswered = 0;
    QSize m_largest;
    QSize m_displaySize;

    // Changed on the UI thread under m_mutex; read anywhere.
    std::atomic<unsigned> m_generation{0};
    std::atomic<bool> m_takePosted{false};
    std::atomic<int> m_shownCount{0};
    std::atomic<int> m_holdChecks{0};
};
