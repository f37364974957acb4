#pragma once

#include "playlist/FileChooser.h"

#include <QList>

// Answers each dialog with the next prepared list of paths (nothing, like a cancel, when none is
// left) and records what each dialog was asked to show.
class FakeFileChooser : public FileChooser
{
public:
    struct Call
    {
        QString title;
        QStringList nameFilters;
        QString initialFolder;
    };

    QStringList chooseExistingFiles(const QString& title, const QStringList& nameFilters,
                                    const QString& initialFolder) override
    {
        calls.append(Call{title, nameFilters, initialFolder});
        return answers.isEmpty() ? QStringList() : answers.takeFirst();
    }

    QString chooseFolder(const QString& title, const QString& initialFolder) override
    {
        calls.append(Call{title, {}, initialFolder});
        return folderAnswers.isEmpty() ? QString() : folderAnswers.takeFirst();
    }

    QList<QStringList> answers;
    QStringList folderAnswers;
    QList<Call> calls;
};
