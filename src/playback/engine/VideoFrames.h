#pragma once

#include <QImage>
#include <QObject>
#include <QSize>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>

// The pictures an engine decodes into memory, handed from its output thread to the UI thread.
// Two buffers: the output writes into the one not shown while the UI paints the other, so a
// picture is never torn and a slow repaint only drops pictures.
//
// While the item is paused the output would copy the same picture again every 80 ms; once the
// paused picture is shown, the output thread is held in lock() until the engine lets it go.
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

    // UI thread. Holds the output at the first picture it shows `grace` from now, and keeps
    // holding it after each one it shows until release().
    void holdAfter(std::chrono::milliseconds grace = std::chrono::milliseconds(0));
    // UI thread. Lets a held output go and stops holding it. Whatever waits for the output (a
    // stop, a seek, a snapshot) needs this first, or waits as long as the output is held.
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

signals:
    // UI thread: picture() changed (or became null).
    void pictureChanged();

private:
    using Clock = std::chrono::steady_clock;

    // Any thread: has the UI thread take the newest picture.
    void postTake();
    void takeNewest();

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    // Guarded by m_mutex.
    QImage m_buffers[2];
    int m_shown = -1;
    int m_ready = -1;
    int m_writing = -1;
    bool m_holding = false;
    bool m_held = false;
    Clock::time_point m_holdFrom;
    QSize m_largest;
    QSize m_displaySize;

    std::atomic<bool> m_takePosted{false};
    std::atomic<int> m_shownCount{0};
};
