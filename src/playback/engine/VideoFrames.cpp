#include "playback/engine/VideoFrames.h"

#include "util/Logging.h"

#include <chrono>
#include <cstdint>
#include <cstring>

namespace {

// Where no screen says otherwise: a 4K picture at most, two buffers of 32 MiB.
constexpr QSize kLargestByDefault(3840, 2160);

// How long a held output waits for the UI thread's answer before its picture goes through.
constexpr std::chrono::milliseconds kHoldCheck(250);

VideoFrames* framesOf(void* opaque)
{
    return static_cast<VideoFrames*>(opaque);
}

} // namespace

VideoFrames::VideoFrames(QObject* parent) : QObject(parent), m_largest(kLargestByDefault) {}

void VideoFrames::setLargestSize(QSize size)
{
    std::lock_guard guard(m_mutex);
    m_largest = size.isEmpty() ? kLargestByDefault : size;
}

void VideoFrames::setDisplaySize(QSize size)
{
    {
        std::lock_guard guard(m_mutex);
        if (size.isEmpty()) {
            size = QSize();
        }
        if (m_displaySize == size) {
            return;
        }
        m_displaySize = size;
    }
    emit pictureChanged();
}

double VideoFrames::displayAspect() const
{
    std::lock_guard guard(m_mutex);
    return m_displaySize.isEmpty() ? 0.0
                                   : static_cast<double>(m_displaySize.width()) /
                                         static_cast<double>(m_displaySize.height());
}

QImage VideoFrames::picture() const
{
    std::lock_guard guard(m_mutex);
    return m_shown < 0 ? QImage() : m_buffers[m_shown];
}

unsigned VideoFrames::beginRequest()
{
    unsigned generation = 0;
    {
        std::lock_guard guard(m_mutex);
        generation = ++m_generation;
        m_holding = false;
        m_held = false;
    }
    m_wake.notify_all();
    return generation;
}

void VideoFrames::holdFrom(unsigned generation)
{
    std::lock_guard guard(m_mutex);
    if (generation == m_generation) {
        m_holding = true;
    }
}

void VideoFrames::release()
{
    {
        std::lock_guard guard(m_mutex);
        m_holding = false;
        m_held = false;
    }
    m_wake.notify_all();
}

bool VideoFrames::isHeld() const
{
    std::lock_guard guard(m_mutex);
    return m_held;
}

unsigned VideoFrames::setup(void** opaque, char* chroma, unsigned* width, unsigned* height,
                            unsigned* pitches, unsigned* lines)
{
    VideoFrames* frames = framesOf(*opaque);
    std::lock_guard guard(frames->m_mutex);
    QSize size(static_cast<int>(*width), static_cast<int>(*height));
    if (size.isEmpty()) {
        return 0;
    }
    // The output scales the visible picture into whatever size it is given.
    if (!frames->m_displaySize.isEmpty()) {
        size = frames->m_displaySize;
    }
    // A picture larger than any screen would only cost memory and scaling.
    if (size.width() > frames->m_largest.width() || size.height() > frames->m_largest.height()) {
        size = size.scaled(frames->m_largest, Qt::KeepAspectRatio).expandedTo(QSize(2, 2));
    }
    qCDebug(lcPlayback) << "video pictures of" << size;
    // 32-bit pixels in the machine's order, as QImage::Format_RGB32 keeps them.
    std::memcpy(chroma, "RV32", 4);
    for (QImage& buffer : frames->m_buffers) {
        buffer = QImage(size, QImage::Format_RGB32);
    }
    if (frames->m_buffers[0].isNull() || frames->m_buffers[1].isNull()) {
        qCWarning(lcPlayback) << "no memory for video pictures of" << size;
        frames->m_buffers[0] = frames->m_buffers[1] = QImage();
        return 0;
    }
    for (QImage& buffer : frames->m_buffers) {
        buffer.fill(Qt::black);
    }
    frames->m_shown = frames->m_ready = frames->m_writing = -1;
    *width = static_cast<unsigned>(size.width());
    *height = static_cast<unsigned>(size.height());
    pitches[0] = static_cast<unsigned>(frames->m_buffers[0].bytesPerLine());
    lines[0] = *height;
    return 1;
}

void VideoFrames::cleanup(void* opaque)
{
    VideoFrames* frames = framesOf(opaque);
    {
        std::lock_guard guard(frames->m_mutex);
        for (QImage& buffer : frames->m_buffers) {
            buffer = QImage();
        }
        frames->m_shown = frames->m_ready = frames->m_writing = -1;
        frames->m_held = false;
    }
    frames->m_wake.notify_all();
    frames->postTake();
}

void* VideoFrames::lock(void* opaque, void** planes)
{
    VideoFrames* frames = framesOf(opaque);
    std::unique_lock guard(frames->m_mutex);
    // A picture the output starts before a request is not the one the request asked for.
    frames->m_writingGeneration = frames->m_generation;
    frames->waitWhileHeld(guard);
    const int index = frames->m_shown == 0 ? 1 : 0;
    // The picture waiting to be shown is overwritten by a newer one.
    if (frames->m_ready == index) {
        frames->m_ready = -1;
    }
    frames->m_writing = index;
    // bits() copies the buffer first only if the UI still holds an old picture of it.
    planes[0] = frames->m_buffers[index].bits();
    return reinterpret_cast<void*>(static_cast<std::intptr_t>(index));
}

void VideoFrames::display(void* opaque, void* picture)
{
    VideoFrames* frames = framesOf(opaque);
    {
        std::lock_guard guard(frames->m_mutex);
        const auto index = static_cast<int>(reinterpret_cast<std::intptr_t>(picture));
        if (index != frames->m_writing) {
            return;
        }
        frames->m_writing = -1;
        frames->m_ready = index;
        ++frames->m_shownCount;
        if (frames->m_holding && frames->m_writingGeneration == frames->m_generation) {
            frames->m_held = true;
        }
    }
    frames->postTake();
}

void VideoFrames::waitWhileHeld(std::unique_lock<std::mutex>& guard)
{
    while (m_held) {
        const unsigned asked = ++m_checksAsked;
        QMetaObject::invokeMethod(
            this,
            [this, asked] {
                std::lock_guard answer(m_mutex);
                m_checksAnswered = asked;
            },
            Qt::QueuedConnection);
        if (m_wake.wait_for(guard, kHoldCheck, [this] { return !m_held; })) {
            return;
        }
        if (m_checksAnswered != asked) {
            return;
        }
        ++m_holdChecks;
    }
}

void VideoFrames::postTake()
{
    // One queued call serves however many pictures come before the UI thread runs.
    if (!m_takePosted.exchange(true)) {
        QMetaObject::invokeMethod(this, &VideoFrames::takeNewest, Qt::QueuedConnection);
    }
}

void VideoFrames::takeNewest()
{
    m_takePosted = false;
    {
        std::lock_guard guard(m_mutex);
        if (m_ready >= 0) {
            m_shown = m_ready;
            m_ready = -1;
        }
    }
    emit pictureChanged();
}
