#include "commands/MainMenuDispatch.h"

namespace {

std::vector<MainMenuDispatch::Row> buildTable()
{
    QStringList history;
    for (int slot = 0; slot <= 10; ++slot) {
        history << QStringLiteral("History%1").arg(slot);
    }
    // "DVDList" and "History" are matched by no item; they stay in their places, doing nothing.
    return {
        {{QStringLiteral("OpenFile")}, MenuCommand::OpenFile},
        {{QStringLiteral("DVDList")}, MenuCommand::None},
        {{QStringLiteral("History")}, MenuCommand::None},
        {{QStringLiteral("Exit")}, MenuCommand::Exit},
        {{QStringLiteral("PlayPause")}, MenuCommand::PlayPause},
        {{QStringLiteral("Stop")}, MenuCommand::Stop},
        {{QStringLiteral("PMNormal"), QStringLiteral("PMContinuous"), QStringLiteral("PMShuffle")},
         MenuCommand::PlayMode},
        {{QStringLiteral("RMNoRepeat"), QStringLiteral("RMSingleRepeat"),
          QStringLiteral("RMRepeatAll")},
         MenuCommand::RepeatMode},
        {{QStringLiteral("FullScreen")}, MenuCommand::FullScreen},
        {{QStringLiteral("IncreaseSpeed")}, MenuCommand::IncreaseSpeed},
        {{QStringLiteral("DecreaseSpeed")}, MenuCommand::DecreaseSpeed},
        {{QStringLiteral("ResetSpeed")}, MenuCommand::ResetSpeed},
        {{QStringLiteral("Donothing"), QStringLiteral("ExitKorvane"),
          QStringLiteral("RestartTheComputer"), QStringLiteral("ShutdownTheComputer")},
         MenuCommand::AfterPlay},
        {{QStringLiteral("AddVideoFile")}, MenuCommand::AddVideoFile},
        {{QStringLiteral("Remove")}, MenuCommand::Remove},
        {{QStringLiteral("RemoveAll")}, MenuCommand::RemoveAll},
        {{QStringLiteral("Next")}, MenuCommand::Next},
        {{QStringLiteral("Previous")}, MenuCommand::Previous},
        {{QStringLiteral("Options")}, MenuCommand::Options},
        {{QStringLiteral("About")}, MenuCommand::About},
        {{QStringLiteral("HelpTopics")}, MenuCommand::HelpTopics},
        {history, MenuCommand::History},
    };
}

} // namespace

const std::vector<MainMenuDispatch::Row>& MainMenuDispatch::table()
{
    static const std::vector<Row> rows = buildTable();
    return rows;
}

int MainMenuDispatch::rowOf(const QString& key)
{
    const std::vector<Row>& rows = table();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].keys.contains(key, Qt::CaseSensitive)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

MenuDispatch MainMenuDispatch::dispatchKey(const QString& key)
{
    const int row = rowOf(key);
    if (row < 0) {
        return {};
    }
    const Row& found = table()[static_cast<std::size_t>(row)];
    MenuDispatch dispatch;
    dispatch.command = found.command;
    if (found.command != MenuCommand::None) {
        dispatch.argument = static_cast<int>(found.keys.indexOf(key));
        if (found.keys.size() == 1) {
            dispatch.argument = -1;
        }
    }
    return dispatch;
}
