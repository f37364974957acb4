#pragma once

#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace korvane::test {

// Small clips made by the decoder from its own test sources; 2 s, 160x120 unless asked otherwise.
struct MediaRecipe
{
    QString name;
    QStringList arguments; // encoder and container options between the sources and the file
    bool video = true;
    bool audio = true;
    QString size = QStringLiteral("160x120");
    QString rate = QStringLiteral("25");
    int seconds = 2;
    int toneHz = 1000;
};

inline bool generateMedia(const QString& folder, const MediaRecipe& recipe)
{
    QStringList args = {"-nostdin", "-v", "error", "-y"};
    if (recipe.video) {
        args << "-f"
             << "lavfi"
             << "-i"
             << QStringLiteral("testsrc=d=%1:s=%2:r=%3")
                    .arg(QString::number(recipe.seconds), recipe.size, recipe.rate);
    }
    if (recipe.audio) {
        args << "-f"
             << "lavfi"
             << "-i"
             << QStringLiteral("sine=d=%1:f=%2:sample_rate=44100")
                    .arg(recipe.seconds)
                    .arg(recipe.toneHz);
    }
    args << recipe.arguments << folder + u'/' + recipe.name;
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral("ffmpeg"), args);
    return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

} // namespace korvane::test
