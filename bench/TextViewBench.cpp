// Painting a full-HD view of 1999-byte lines, wrapping included, against drawing the same rows
// already split; and adding lines to a full store of 99998 against a bare deque push and pop.
#include "BenchMain.h"

#include "messaging/TextView.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <deque>
#include <random>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kMaxLines = 99998;

// Words of 1 to 10 letters, now and then a colour code, cut to 1999 bytes.
QByteArray LongLine(std::mt19937& random)
{
    QByteArray line;
    while (line.size() < 1999) {
        if (random() % 12 == 0) {
            line.append(kColorControl).append(QByteArray::number(random() % 16));
            if (random() % 2)
                line.append(',').append(QByteArray::number(random() % 16));
        }
        line.append(QByteArray(int(1 + random() % 10), char('a' + random() % 26))).append(' ');
    }
    line.truncate(1999);
    return line;
}

class BenchView : public CTextView
{
public:
    BenchView()
    {
        SetViewFont({.lfHeight = -13,
                     .lfWeight = 400,
                     .lfPitchAndFamily = 34,
                     .lfFaceName = "DejaVu Sans"});
    }

    void Paint(QImage& image)
    {
        QPainter dc(&image);
        OnPaint(dc, image.rect());
    }

    // The rows the paint draws, line by line from the bottom, already split.
    std::vector<std::vector<QString>> SplitVisibleRows(int nWidth, int nHeight)
    {
        std::vector<std::vector<QString>> lines;
        int y = nHeight;
        for (int nLine = m_nBottomLine; nLine >= 0 && y > 0; --nLine) {
            const QString text = QString::fromLocal8Bit(m_lines[size_t(nLine)]);
            std::vector<QString> rows;
            for (const TextRow& row : WrapLine(text, nWidth))
                rows.push_back(text.mid(row.nStart, row.nEnd - row.nStart));
            y -= int(rows.size()) * m_nLineHeight;
            lines.push_back(std::move(rows));
        }
        return lines;
    }

    void PaintSplit(QImage& image, const std::vector<std::vector<QString>>& lines)
    {
        QPainter dc(&image);
        dc.setFont(*m_pFont);
        const QColor crDefault = palette().color(QPalette::Text);
        int y = image.height();
        for (const std::vector<QString>& rows : lines) {
            dc.setBackground(m_crBackground);
            dc.setPen(crDefault);
            y -= int(rows.size()) * m_nLineHeight;
            int nRowTop = y;
            for (const QString& row : rows) {
                DrawSegment(dc, row, QPointF(0, nRowTop), image.width());
                nRowTop += m_nLineHeight;
            }
        }
    }
};

void FillWithLongLines(BenchView& view)
{
    std::mt19937 random(1999);
    for (int i = 0; i < 40; ++i)
        view.AddLine(LongLine(random));
}

void BM_PaintWrapped(benchmark::State& state)
{
    BenchView view;
    FillWithLongLines(view);
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        view.Paint(image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PaintWrapped)->Unit(benchmark::kMillisecond);

void BM_PaintPresplit(benchmark::State& state)
{
    BenchView view;
    FillWithLongLines(view);
    const auto lines = view.SplitVisibleRows(kWidth, kHeight);
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        view.PaintSplit(image, lines);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PaintPresplit)->Unit(benchmark::kMillisecond);

const QByteArray kShortLine = "12/07/26 10:02:11 \x03"
                              "04Alarm\x03"
                              "00,04 disk full on desk-7";

void BM_DequePushPop(benchmark::State& state)
{
    std::deque<QByteArray> lines(kMaxLines, kShortLine);
    for (auto _ : state) {
        lines.push_back(kShortLine);
        lines.pop_front();
        benchmark::DoNotOptimize(lines.back().constData());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DequePushPop);

// The same rate at 150 lines as at 99998 shows that a full store costs nothing extra.
void BM_AddLineFullStore(benchmark::State& state)
{
    BenchView view;
    const int nMaxLines = int(state.range(0));
    view.SetMaxLines(nMaxLines);
    for (int i = 0; i < nMaxLines; ++i)
        view.AddLine(kShortLine);
    for (auto _ : state)
        view.AddLine(kShortLine);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_AddLineFullStore)->Arg(150)->Arg(kMaxLines);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return RunBenchmarksWithRatios(argc, argv,
                                   {{"BM_PaintWrapped", "BM_PaintPresplit"},
                                    {"BM_AddLineFullStore/99998", "BM_DequePushPop"}});
}
