#include "commands/MainMenuTree.h"

#include <algorithm>

namespace {

using Item = MainMenuTree::Item;
using Kind = MainMenuTree::Kind;

constexpr int Ctrl = MainMenuTree::CtrlModifier;

Item normal(const char* parent, const char* key, const char* caption, int modifiers = 0,
            int virtualKey = 0)
{
    Item item;
    item.parent = QString::fromLatin1(parent);
    item.key = QString::fromLatin1(key);
    item.caption = QString::fromLatin1(caption);
    item.modifiers = modifiers;
    item.virtualKey = virtualKey;
    return item;
}

Item radio(const char* parent, const char* key, const char* caption, bool checked = false)
{
    Item item = normal(parent, key, caption);
    item.kind = Kind::Radio;
    item.checked = checked;
    return item;
}

Item separator(const char* parent)
{
    Item item = normal(parent, "", "");
    item.kind = Kind::Separator;
    return item;
}

// Items that other parts fill in later: enabled but hidden until they hold something.
Item slot(const char* parent, const QString& key)
{
    Item item;
    item.parent = QString::fromLatin1(parent);
    item.key = key;
    item.visible = false;
    return item;
}

Item disabled(Item item)
{
    item.enabled = false;
    return item;
}

std::vector<Item> buildTree()
{
    std::vector<Item> tree;
    tree.push_back(normal("", "File", "&File"));
    tree.push_back(normal("File", "OpenMenu", "&Open"));
    tree.push_back(normal("OpenMenu", "OpenFile", "Open Media File...", Ctrl, 79));
    tree.push_back(normal("OpenMenu", "OpenDVD", "Open DVD"));
    tree.push_back(disabled(normal("OpenDVD", "DVDList0", "<No DVD drives were found>")));
    for (int i = 1; i <= 5; ++i) {
        tree.push_back(slot("OpenDVD", QStringLiteral("DVDList%1").arg(i)));
    }
    tree.push_back(normal("File", "RecentMenu", "Recently Played Files"));
    tree.push_back(disabled(normal("RecentMenu", "History0", "<No History>")));
    for (int i = 1; i <= 10; ++i) {
        tree.push_back(slot("RecentMenu", QStringLiteral("History%1").arg(i)));
    }
    tree.push_back(separator("File"));
    tree.push_back(normal("File", "Exit", "E&xit", Ctrl, 88));

    tree.push_back(normal("", "Play", "&Play"));
    tree.push_back(normal("Play", "PlayPause", "Play/Pause", Ctrl, 80));
    tree.push_back(normal("Play", "Stop", "Stop", Ctrl, 83));
    tree.push_back(separator("Play"));
    tree.push_back(normal("Play", "PlayMode", "Play Mode"));
    tree.push_back(radio("PlayMode", "PMNormal", "&Normal", true));
    tree.push_back(radio("PlayMode", "PMContinuous", "&Continuous"));
    tree.push_back(radio("PlayMode", "PMShuffle", "&Shuffle"));
    tree.push_back(normal("Play", "RepeatMode", "Repeat Mode"));
    tree.push_back(radio("RepeatMode", "RMNoRepeat", "&No Repeat"));
    tree.push_back(radio("RepeatMode", "RMSingleRepeat", "&Single Repeat"));
    tree.push_back(radio("RepeatMode", "RMRepeatAll", "&Repeat All"));
    tree.push_back(separator("Play"));
    tree.push_back(normal("Play", "FullScreen", "Full Screen", Ctrl, 70));
    tree.push_back(separator("Play"));
    tree.push_back(normal("Play", "IncreaseSpeed", "Increase Speed", Ctrl, 38));
    tree.push_back(normal("Play", "DecreaseSpeed", "Decrease Speed", Ctrl, 40));
    tree.push_back(normal("Play", "ResetSpeed", "Reset Speed", Ctrl, 82));
    tree.push_back(separator("Play"));
    tree.push_back(normal("Play", "AfterPlay", "After file playing finished", Ctrl, 80));
    tree.push_back(radio("AfterPlay", "Donothing", "Do nothing"));
    tree.push_back(radio("AfterPlay", "ExitKorvane", "Exit Korvane"));
    tree.push_back(radio("AfterPlay", "RestartTheComputer", "Restart the Computer"));
    tree.push_back(radio("AfterPlay", "ShutdownTheComputer", "Shutdown the Computer"));

    tree.push_back(normal("", "PlayList", "&Play&List"));
    tree.push_back(normal("PlayList", "AddVideoFile", "Add Media File(s)..."));
    tree.push_back(normal("PlayList", "Remove", "Remove"));
    tree.push_back(normal("PlayList", "RemoveAll", "Remove All"));
    tree.push_back(separator("PlayList"));
    tree.push_back(normal("PlayList", "Next", "Next", 0, 34));
    tree.push_back(normal("PlayList", "Previous", "Previous", 0, 33));

    tree.push_back(normal("", "Tools", "&Tools"));
    tree.push_back(normal("Tools", "Options", "Options"));

    tree.push_back(normal("", "Help", "&Help"));
    tree.push_back(normal("Help", "About", "&About"));
    tree.push_back(normal("Help", "HelpTopics", "&Help Topics", 0, 112));
    return tree;
}

} // namespace

const std::vector<MainMenuTree::Item>& MainMenuTree::items()
{
    static const std::vector<Item> tree = buildTree();
    return tree;
}

int MainMenuTree::indexOfKey(const QString& key)
{
    if (key.isEmpty()) {
        return -1;
    }
    const std::vector<Item>& tree = items();
    const auto found = std::find_if(tree.begin(), tree.end(),
                                    [&key](const Item& item) { return item.key == key; });
    return found == tree.end() ? -1 : static_cast<int>(found - tree.begin());
}

const MainMenuTree::Item* MainMenuTree::find(const QString& key)
{
    const int index = indexOfKey(key);
    return index < 0 ? nullptr : &items()[static_cast<std::size_t>(index)];
}

bool MainMenuTree::hasChildren(const QString& key)
{
    if (key.isEmpty()) {
        return false;
    }
    const std::vector<Item>& tree = items();
    return std::any_of(tree.begin(), tree.end(),
                       [&key](const Item& item) { return item.parent == key; });
}

int MainMenuTree::qtKeyOfVirtualKey(int virtualKey)
{
    // Letters share their codes with Qt; the rest are named.
    if (virtualKey >= 'A' && virtualKey <= 'Z') {
        return virtualKey;
    }
    switch (virtualKey) {
    case 33:
        return Qt::Key_PageUp;
    case 34:
        return Qt::Key_PageDown;
    case 38:
        return Qt::Key_Up;
    case 40:
        return Qt::Key_Down;
    case 112:
        return Qt::Key_F1;
    default:
        return 0;
    }
}

QKeySequence MainMenuTree::shortcutOf(const Item& item)
{
    if (item.key == QLatin1String("AfterPlay")) {
        return {};
    }
    const int key = qtKeyOfVirtualKey(item.virtualKey);
    if (key == 0) {
        return {};
    }
    const Qt::KeyboardModifiers modifiers =
        (item.modifiers & CtrlModifier) != 0 ? Qt::ControlModifier : Qt::NoModifier;
    return QKeySequence(QKeyCombination(modifiers, static_cast<Qt::Key>(key)));
}
