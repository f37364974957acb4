#include "skin/SkinImages.h"

#include "util/Logging.h"

#include <QDir>

namespace {

std::vector<SkinImages::Entry> buildOrder()
{
    std::vector<SkinImages::Entry> order = {
        {9, QStringLiteral("images/TLCorner.png")},
        {10, QStringLiteral("images/TRCorner.png")},
        {11, QStringLiteral("images/BLCorner.png")},
        {12, QStringLiteral("images/BRCorner.png")},
        {13, QStringLiteral("images/HLine.png")},
        {14, QStringLiteral("images/VLine.png")},
        {201, QStringLiteral("images/TabButton.png")},
        {203, QStringLiteral("images/playlist.png")},
        {3, QStringLiteral("images/BGDC.jpg")},
        {4, QStringLiteral("images/BGDL.jpg")},
        {5, QStringLiteral("images/BGDR.jpg")},
        {7, QStringLiteral("images/BGBLCorner.jpg")},
        {8, QStringLiteral("images/BGBRCorner.jpg")},
        {6, QStringLiteral("images/BGBCorner.jpg")},
        {0, QStringLiteral("images/BGCL.jpg")},
        {1, QStringLiteral("images/BGCC.jpg")},
        {2, QStringLiteral("images/BGCR.jpg")},
        {SkinImages::AboutStripSlot, QStringLiteral("images/BGCd.jpg")},
        {15, QStringLiteral("images/TitleBar.jpg")},
    };
    static const char* const folders[] = {"images/Normal/", "images/Over/", "images/Press/",
                                          "images/Disabel/"};
    const auto add = [&order](int slot, const char* folder, const char* file) {
        order.push_back({slot, QLatin1String(folder) + QLatin1String(file)});
    };
    const auto group = [&](std::initializer_list<std::pair<int, const char*>> buttons) {
        for (int state = 0; state < 4; ++state) {
            for (const auto& [base, file] : buttons) {
                add(base + state, folders[state], file);
            }
            if (state == 0 && buttons.begin()->first == 166) {
                order.push_back({202, QStringLiteral("images/About.png")});
            }
        }
    };
    group({{166, "Minimize.png"}, {176, "Maxmize.png"}, {186, "Close.png"}});
    order.push_back({17, QStringLiteral("images/menu.jpg")});
    order.push_back({16, QStringLiteral("images/Menubar.png")});
    order.push_back({18, QStringLiteral("images/MenuButton.png")});
    group({{26, "Play.png"}, {36, "Pause.png"}, {46, "Stop.png"}});
    group({{86, "Previous.png"}, {76, "Next.png"}, {66, "Rewind.png"}, {56, "ff.png"}});
    group({{116, "PlayList.png"}, {136, "Open.png"}, {126, "dvd.png"}});
    group({{106, "SnapShoot.png"}, {96, "FullScreen.png"}});
    group({{146, "SoundOn.png"}});
    group({{156, "SoundOFF.png"}});
    group({{196, "Button.png"}});
    order.push_back({200, QStringLiteral("images/About.png")});
    return order;
}

} // namespace

const std::vector<SkinImages::Entry>& SkinImages::loadingOrder()
{
    static const std::vector<Entry> order = buildOrder();
    return order;
}

int SkinImages::loadSkinImages(const QString& programFolder)
{
    m_slots.clear();
    const QDir folder(programFolder);
    for (const Entry& entry : loadingOrder()) {
        QImage image(folder.filePath(entry.file));
        if (image.isNull()) {
            qCWarning(lcUi) << "skin image missing:" << entry.file << "- the rest is not loaded";
            break;
        }
        m_slots[entry.slot] = std::move(image);
    }
    return loadedCount();
}

const QImage& SkinImages::slot(int number) const
{
    static const QImage none;
    const auto found = m_slots.find(number);
    return found == m_slots.end() ? none : found->second;
}
