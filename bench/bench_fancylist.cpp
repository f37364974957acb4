#include "ui/playlistview/FancyList.h"

#include <QApplication>
#include <QImage>
#include <QScrollBar>
#include <benchmark/benchmark.h>

namespace {

// One full paint of a 300 × 600 list with 80-pixel rows and 64 × 64 thumbnails, scrolled to the
// middle: the cost should follow the visible rows, not the item count.
void paintList(benchmark::State& state, QWidget::RenderFlags flags)
{
    const int count = static_cast<int>(state.range(0));
    QImage picture(320, 180, QImage::Format_RGB32);
    picture.fill(QColor(40, 90, 160));
    FancyList list;
    list.setItemHeight(80);
    list.setImageWidth(64);
    list.setImageHeight(64);
    list.resize(300, 600);
    for (int i = 0; i < count; ++i) {
        list.model()->append(
            PlaylistEntry{QStringLiteral("clip number %1.mkv").arg(i), picture, {}, {}});
    }
    list.setSelectedItem(count / 2);
    list.scrollBar()->setValue(list.scrollMaximum() / 2);
    QImage image(list.size(), QImage::Format_ARGB32_Premultiplied);
    list.render(&image); // fonts and glyph caches warm up outside the measurement
    for (auto _ : state) {
        list.render(&image, QPoint(), QRegion(), flags);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetLabel(QStringLiteral("%1 items").arg(count).toStdString());
}

// The whole widget, scroll bar included.
void BM_FancyListPaint(benchmark::State& state)
{
    paintList(state, QWidget::DrawWindowBackground | QWidget::DrawChildren);
}

// The rows alone, without the style's scroll bar, whose thumb size depends on the count.
void BM_FancyListRowsPaint(benchmark::State& state)
{
    paintList(state, QWidget::DrawWindowBackground);
}

BENCHMARK(BM_FancyListPaint)->Arg(10)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FancyListRowsPaint)->Arg(10)->Arg(10000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
