#include "playlist/FolderScan.h"

#include "util/SupportedFiles.h"

#include <QDir>
#include <QDirIterator>
#include <algorithm>

namespace {

// Compares the digit runs starting at a[i] and b[j] as numbers of any length; moves i and j past
// them. Leading zeros are ignored, so "07" equals "7" here and the tie is broken later.
int compareNumbers(const QString& a, qsizetype& i, const QString& b, qsizetype& j)
{
    auto skipZeros = [](const QString& s, qsizetype& k) {
        while (k + 1 < s.size() && s[k] == u'0' && s[k + 1].isDigit()) {
            ++k;
        }
    };
    skipZeros(a, i);
    skipZeros(b, j);
    qsizetype endA = i;
    qsizetype endB = j;
    while (endA < a.size() && a[endA].isDigit()) {
        ++endA;
    }
    while (endB < b.size() && b[endB].isDigit()) {
        ++endB;
    }
    int order = 0;
    if (endA - i != endB - j) {
        order = endA - i < endB - j ? -1 : 1;
    } else {
        order = QStringView(a).mid(i, endA - i).compare(QStringView(b).mid(j, endB - j));
    }
    i = endA;
    j = endB;
    return order;
}

} // namespace

bool FolderScan::lessByName(const QString& a, const QString& b)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            if (const int order = compareNumbers(a, i, b, j); order != 0) {
                return order < 0;
            }
            continue;
        }
        const QChar ca = a[i].toCaseFolded();
        const QChar cb = b[j].toCaseFolded();
        if (ca != cb) {
            // A folder's files come before the names that merely continue the folder's name.
            if (ca == u'/' || cb == u'/') {
                return ca == u'/';
            }
            return ca < cb;
        }
        ++i;
        ++j;
    }
    if (i < a.size() || j < b.size()) {
        return i >= a.size();
    }
    // Equal but for case or leading zeros: a fixed order all the same.
    return a < b;
}

QStringList FolderScan::mediaFiles(const QString& folder)
{
    const QDir root(folder);
    QStringList relative;
    QDirIterator it(folder, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (isSupportedFile(path)) {
            relative.append(root.relativeFilePath(path));
        }
    }
    std::sort(relative.begin(), relative.end(), &FolderScan::lessByName);
    QStringList paths;
    paths.reserve(relative.size());
    for (const QString& name : std::as_const(relative)) {
        paths.append(root.absoluteFilePath(name));
    }
    return paths;
}
