#pragma once

#include "playlist/FileChooser.h"

class QWidget;

// Runs a modal QFileDialog. Qt's own dialog is used rather than the desktop's: its filters
// ignore letter case, as the playlist does ("CLIP.AVI" is a supported file).
class QtFileChooser : public FileChooser
{
public:
    explicit QtFileChooser(QWidget* owner = nullptr);

    QStringList chooseExistingFiles(const QString& title, const QStringList& nameFilters,
                                    const QString& initialFolder) override;
    QString chooseFolder(const QString& title, const QString& initialFolder) override;

private:
    QWidget* m_owner;
};
