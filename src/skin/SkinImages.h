#pragma once

#include <QImage>
#include <QString>
#include <map>
#include <vector>

// The decoded skin: one image per slot, loaded once from the program folder and kept for the run.
class SkinImages
{
public:
    // The About box's bottom strip. Slot 199 is also the disabled face of the push button
    // (196 + 3), which would overwrite the strip; the strip keeps a slot of its own.
    static constexpr int AboutStripSlot = 204;

    // Every slot in the fixed loading order. The first file that cannot be read
    // ends the load; later slots stay empty. Returns the number of slots loaded.
    int loadSkinImages(const QString& programFolder);

    const QImage& slot(int number) const;
    bool has(int number) const { return m_slots.count(number) != 0; }
    int loadedCount() const { return static_cast<int>(m_slots.size()); }

    struct Entry
    {
        int slot;
        QString file;
    };
    // Slots and files in loading order; paths relative to the program folder.
    static const std::vector<Entry>& loadingOrder();

private:
    std::map<int, QImage> m_slots;
};
