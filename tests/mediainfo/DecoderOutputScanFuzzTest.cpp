#include "mediainfo/CodecMaps.h"
#include "mediainfo/DecoderOutputScan.h"
#include "mediainfo/MediaSource.h"

#include <QDir>
#include <QFile>
#include <cmath>
#include <gtest/gtest.h>
#include <random>

// Recorded decoder text, cut, spliced and sprinkled with bytes: the scan must not crash, must
// give a reason for every refusal, and must only ever add audio or video records.
TEST(DecoderOutputScanFuzz, MutatedRecordingsNeverBreakTheRules)
{
    const QDir folder(QStringLiteral(KORVANE_SOURCE_DIR "/tests/data/ffmpeg"));
    QList<QString> seeds;
    for (const QString& name : folder.entryList({"*.txt"}, QDir::Files)) {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        seeds << QString::fromUtf8(file.readAll());
    }
    ASSERT_GE(seeds.size(), 20);

    const QString alphabet = QStringLiteral(" ,:.x()[]#0159kSVAI\n\r/-");
    std::mt19937 random(20240611);
    const CodecMaps maps;
    for (int round = 0; round < 4000; ++round) {
        QString text = seeds[int(random() % seeds.size())];
        const int edits = 1 + int(random() % 12);
        for (int e = 0; e < edits && !text.isEmpty(); ++e) {
            const qsizetype at = qsizetype(random() % text.size());
            switch (random() % 4) {
            case 0:
                text.remove(at, qsizetype(random() % 40));
                break;
            case 1:
                text.insert(at, alphabet[qsizetype(random() % alphabet.size())]);
                break;
            case 2:
                text[at] = QChar(char16_t(random() % 0x3000));
                break;
            default:
                text.insert(at, text.mid(qsizetype(random() % text.size()), 60));
            }
        }
        MediaSource source;
        DecoderOutputScan scan(maps, QStringLiteral("/tmp/x.avi"));
        const bool accepted = scan.read(text, source);
        if (accepted) {
            ASSERT_TRUE(std::isfinite(source.duration()) && source.duration() >= 0.0f);
        } else {
            ASSERT_FALSE(scan.reason().isEmpty());
        }
        for (const StreamRecord& s : source.streams()) {
            ASSERT_TRUE(s.isAudio() || s.isVideo());
            ASSERT_GE(s.index, 0);
            ASSERT_LE(s.index, 9);
        }
    }
}
