#include "startup/CommandLineInfo.h"

#include <gtest/gtest.h>

TEST(CommandLineInfo, OnlyALoneQuestionIsAnswered)
{
    const struct
    {
        QStringList arguments;
        const char* answer; // "version", "help" or "" for none
    } cases[] = {
        {{"--version"}, "version"},
        {{"-v"}, "version"},
        {{"--help"}, "help"},
        {{"-h"}, "help"},
        {{}, ""},
        {{"--version", "clip.mkv"}, ""}, // a file may be named so among others
        {{"clip.mkv", "--help"}, ""},
        {{"--Version"}, ""},
        {{"-help"}, ""},
        {{"/tmp/--version"}, ""},
    };
    for (const auto& c : cases) {
        const std::optional<QString> reply = CommandLineInfo::reply(c.arguments);
        const std::string trace = c.arguments.join(' ').toStdString();
        const QString expected = QString(c.answer);
        if (expected.isEmpty()) {
            EXPECT_FALSE(reply.has_value()) << trace;
        } else {
            ASSERT_TRUE(reply.has_value()) << trace;
            EXPECT_EQ(*reply, expected == "version" ? CommandLineInfo::versionText()
                                                    : CommandLineInfo::helpText())
                << trace;
        }
    }
}
