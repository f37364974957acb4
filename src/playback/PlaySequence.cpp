#include "playback/PlaySequence.h"

#include "playlist/PlaylistModel.h"
#include "util/Logging.h"
#include "util/Rounding.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>
#include <random>

namespace {

constexpr int FreeSlot = -1;

// A source that keeps landing on taken slots (a broken or scripted one) must not hang the
// window; past this many misses in a row the lowest free slot is taken instead.
constexpr int MaxMissesPerDraw = 100000;

int drawSlot(const PlaySequence::RandomSource& random, int count)
{
    double r = random ? random() : 0.0;
    if (!std::isfinite(r) || r < 0.0)
        r = 0.0;
    if (r >= 1.0)
        r = std::nextafter(1.0, 0.0);
    const auto slot = korvane::roundHalfEven(r * (count - 1));
    return static_cast<int>(std::clamp<std::int64_t>(slot, 0, count - 1));
}

} // namespace

PlaySequence::RandomSource PlaySequence::defaultRandomSource()
{
    return seededRandomSource(
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
}

PlaySequence::RandomSource PlaySequence::seededRandomSource(std::uint64_t seed)
{
    auto engine = std::make_shared<std::mt19937_64>(seed);
    return [engine]() {
        return std::uniform_real_distribution<double>(0.0, 1.0)(*engine);
    };
}

void PlaySequence::buildOrdered(int count, int selectedEntry)
{
    m_entries.clear();
    for (int i = 0; i < count; ++i)
        m_entries.push_back(i);
    setPositionToEntry(selectedEntry);
    m_roundStart = std::max(m_position, 0);
}

void PlaySequence::buildShuffled(int count, int selectedEntry, const RandomSource& random)
{
    m_entries.assign(static_cast<std::size_t>(std::max(count, 0)), FreeSlot);
    for (int i = 0; i < count; ++i) {
        int slot = drawSlot(random, count);
        int misses = 0;
        while (m_entries[static_cast<std::size_t>(slot)] != FreeSlot) {
            if (++misses > MaxMissesPerDraw) {
                qCDebug(lcPlayback) << "shuffle draw gave up redrawing at" << i;
                slot = 0;
                while (m_entries[static_cast<std::size_t>(slot)] != FreeSlot)
                    ++slot;
                break;
            }
            slot = drawSlot(random, count);
        }
        m_entries[static_cast<std::size_t>(slot)] = i;
    }
    // Going on from where the selected entry stands plays every entry once before any repeats.
    setPositionToEntry(selectedEntry);
    m_roundStart = std::max(m_position, 0);
}

void PlaySequence::extendShuffled(int count, int selectedEntry, const RandomSource& random)
{
    std::vector<bool> placed(static_cast<std::size_t>(std::max(count, 0)), false);
    std::vector<int> kept;
    // Past the end of the order the round went on from the top.
    const int start = m_position >= m_roundStart ? m_roundStart : 0;
    for (int p = start; p <= m_position && p < this->count(); ++p) {
        const int entry = m_entries[static_cast<std::size_t>(p)];
        if (entry < 0 || entry >= count || placed[static_cast<std::size_t>(entry)]) {
            buildShuffled(count, selectedEntry, random); // not an order of these entries
            return;
        }
        placed[static_cast<std::size_t>(entry)] = true;
        kept.push_back(entry);
    }
    if (kept.empty()) {
        buildShuffled(count, selectedEntry, random);
        return;
    }
    std::vector<int> rest;
    for (int entry = 0; entry < count; ++entry) {
        if (!placed[static_cast<std::size_t>(entry)])
            rest.push_back(entry);
    }
    // Fisher-Yates over what has not played, drawing from the same source as the shuffle.
    for (int i = static_cast<int>(rest.size()) - 1; i > 0; --i) {
        const int j = drawSlot(random, i + 1);
        std::swap(rest[static_cast<std::size_t>(i)], rest[static_cast<std::size_t>(j)]);
    }
    m_entries = kept;
    m_entries.insert(m_entries.end(), rest.begin(), rest.end());
    m_position = static_cast<int>(kept.size()) - 1;
    m_roundStart = 0;
}

void PlaySequence::build(PlayMode mode, int count, int selectedEntry, const RandomSource& random)
{
    if (mode == PlayMode::Shuffle)
        buildShuffled(count, selectedEntry, random);
    else
        buildOrdered(count, selectedEntry);
}

void PlaySequence::removeAt(int index)
{
    if (index < 0 || index >= count())
        return;
    m_entries.erase(m_entries.begin() + index);
    // Like a list box: the current line follows its text; removing it leaves nothing current.
    if (index == m_position)
        m_position = -1;
    else if (index < m_position)
        --m_position;
    if (index < m_roundStart)
        --m_roundStart;
}

void PlaySequence::entryMoved(int from, int to, PlayMode mode)
{
    if (from == to || from < 0 || to < 0)
        return;
    if (mode != PlayMode::Shuffle) {
        buildOrdered(count(), PlaylistModel::indexAfterMove(entryAt(m_position), from, to));
        return;
    }
    // The order of what plays stays; only the numbers follow the entries to their new rows.
    for (int& entry : m_entries)
        entry = PlaylistModel::indexAfterMove(entry, from, to);
}

void PlaySequence::clear()
{
    m_entries.clear();
    m_position = -1;
    m_roundStart = 0;
}

QStringList PlaySequence::lines() const
{
    QStringList result;
    result.reserve(count());
    for (int entry : m_entries)
        result.append(QString::number(entry));
    return result;
}

void PlaySequence::setPosition(int position)
{
    if (position >= -1 && position < count())
        m_position = position;
}

int PlaySequence::entryAt(int position) const
{
    if (position < 0 || position >= count())
        return -1;
    return m_entries[static_cast<std::size_t>(position)];
}

int PlaySequence::positionOf(int entry) const
{
    if (entry < 0)
        return -1;
    const auto at = std::find(m_entries.begin(), m_entries.end(), entry);
    return at == m_entries.end() ? -1 : static_cast<int>(at - m_entries.begin());
}

void PlaySequence::setPositionToEntry(int entry)
{
    m_position = positionOf(entry);
}

std::optional<int> PlaySequence::nextPosition() const
{
    if (isEmpty())
        return std::nullopt;
    if (m_position + 1 >= count())
        return 0;
    return m_position + 1;
}

std::optional<int> PlaySequence::previousPosition() const
{
    if (isEmpty())
        return std::nullopt;
    // With nothing current, stepping back starts from the end rather than at -2.
    if (m_position <= 0)
        return count() - 1;
    return m_position - 1;
}

ItemEndDecision PlaySequence::afterItemEnd(PlayMode playMode, RepeatMode repeatMode) const
{
    if (repeatMode == RepeatMode::SingleRepeat)
        return ItemEndDecision::replay();
    if (playMode == PlayMode::Normal)
        return ItemEndDecision::stopAndFinish();
    // Nothing left to move on to once the playlist has been emptied under the playing item.
    if (isEmpty())
        return ItemEndDecision::stopAndFinish();
    int position = m_position + 1;
    if (position >= count()) {
        if (repeatMode == RepeatMode::NoRepeat)
            return ItemEndDecision::stopAndFinish();
        position = 0;
    }
    return ItemEndDecision::playEntry(position, entryAt(position));
}
