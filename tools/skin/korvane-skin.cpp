// Renders Korvane's skin from its SVG sources into the image files the program loads. Run by the
// build: korvane-skin <source folder> <output folder>. Every image is rendered at twice its drawn
// size, so the window stays crisp on screens that double their pixels.
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>
#include <algorithm>
#include <cstdio>

namespace {

constexpr int kScale = 2;
const char* const kStateFolders[] = {"Normal", "Over", "Press", "Disabel"};

QImage renderSvg(QSvgRenderer& svg, int scale)
{
    if (!svg.isValid()) {
        return {};
    }
    QImage image(svg.defaultSize() * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter);
    return image;
}

QImage render(const QString& source, int scale)
{
    QSvgRenderer svg(source);
    return renderSvg(svg, scale);
}

// A source whose "{ext}" text names the extension the icon stands for.
QImage renderFor(const QString& source, const QString& ext)
{
    QFile file(source);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QByteArray text = file.readAll();
    text.replace("{ext}", ext.toUtf8());
    QSvgRenderer svg(text);
    return renderSvg(svg, 1);
}

// The state images follow from the normal one by fixed rules, so a designer draws one glyph.
QImage brighter(const QImage& normal)
{
    QImage image = normal.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = line[x];
            const auto lift = [](int c) {
                return std::min(255, c + (255 - c) * 30 / 100 + 12);
            };
            line[x] = qRgba(lift(qRed(p)), lift(qGreen(p)), lift(qBlue(p)), qAlpha(p));
        }
    }
    return image;
}

QImage pressed(const QImage& normal)
{
    QImage dark = normal.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < dark.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(dark.scanLine(y));
        for (int x = 0; x < dark.width(); ++x) {
            const QRgb p = line[x];
            line[x] =
                qRgba(qRed(p) * 72 / 100, qGreen(p) * 72 / 100, qBlue(p) * 72 / 100, qAlpha(p));
        }
    }
    // Inset by one drawn pixel, as a key that gives way under the finger.
    QImage image(dark.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.drawImage(kScale, kScale, dark);
    return image;
}

QImage disabled(const QImage& normal)
{
    QImage image = normal.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = line[x];
            const int grey = (qRed(p) * 11 + qGreen(p) * 16 + qBlue(p) * 5) / 32;
            const int muted = grey * 80 / 100 + 20;
            line[x] = qRgba(muted, muted, muted, qAlpha(p) * 45 / 100);
        }
    }
    return image;
}

bool save(const QImage& image, const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("jpg")) {
        // JPEG has no transparency: the piece is flattened on black.
        QImage flat(image.size(), QImage::Format_RGB32);
        flat.fill(Qt::black);
        QPainter painter(&flat);
        painter.drawImage(0, 0, image);
        painter.end();
        return flat.save(path, "JPG", 95);
    }
    if (suffix == QLatin1String("bmp")) {
        // Nor has a bitmap: the picture stands on white, as in a list.
        QImage flat(image.size(), QImage::Format_RGB32);
        flat.fill(Qt::white);
        QPainter painter(&flat);
        painter.drawImage(0, 0, image);
        painter.end();
        return flat.save(path, "BMP");
    }
    if (suffix == QLatin1String("ico")) {
        return image.convertToFormat(QImage::Format_ARGB32).save(path, "ICO");
    }
    return image.save(path, "PNG");
}

bool renderLine(const QString& line, const QDir& from, const QDir& to)
{
    const QStringList parts = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.size() > 3 && parts[0] == QLatin1String("icons")) {
        for (const QString& ext : parts.mid(3)) {
            const QImage icon = renderFor(from.filePath(parts[1]), ext);
            if (icon.isNull() || !save(icon, to.filePath(parts[2].arg(ext)))) {
                std::fprintf(stderr, "korvane-skin: cannot make %s\n",
                             qPrintable(parts[2].arg(ext)));
                return false;
            }
        }
        return true;
    }
    if (parts.size() != 3) {
        std::fprintf(stderr, "korvane-skin: bad line: %s\n", qPrintable(line));
        return false;
    }
    // Pictures stand in for thumbnails and icons are files of their own: both keep their size.
    const bool picture = parts[0] == QLatin1String("picture") || parts[0] == QLatin1String("icon");
    const QImage normal = render(from.filePath(parts[1]), picture ? 1 : kScale);
    if (normal.isNull()) {
        std::fprintf(stderr, "korvane-skin: cannot render %s\n", qPrintable(parts[1]));
        return false;
    }
    if (picture || parts[0] == QLatin1String("piece")) {
        return save(normal, to.filePath(parts[2]));
    }
    if (parts[0] != QLatin1String("button")) {
        std::fprintf(stderr, "korvane-skin: unknown kind: %s\n", qPrintable(parts[0]));
        return false;
    }
    const QImage states[] = {normal, brighter(normal), pressed(normal), disabled(normal)};
    for (int state = 0; state < 4; ++state) {
        const QString path = QStringLiteral("images/%1/%2").arg(kStateFolders[state], parts[2]);
        if (!save(states[state], to.filePath(path))) {
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: korvane-skin <source folder> <output folder>\n");
        return 2;
    }
    const QDir from(QString::fromLocal8Bit(argv[1]));
    const QDir to(QString::fromLocal8Bit(argv[2]));
    QFile list(from.filePath(QStringLiteral("skin.txt")));
    if (!list.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "korvane-skin: cannot read %s\n", qPrintable(list.fileName()));
        return 1;
    }
    QTextStream in(&list);
    int count = 0;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) {
            continue;
        }
        if (!renderLine(line, from, to)) {
            return 1;
        }
        ++count;
    }
    std::printf("korvane-skin: %d sources rendered\n", count);
    return 0;
}
