// Pages in their own encoding. Opening (through the main window, as Open does)
// and saving (SaveTextFile) a 10 MB page in UTF-8, EUC-JP, ISO-2022-JP and
// UTF-16, and a Shift_JIS page whose lines end in LF, should take no more
// than 1.1 times what a 10 MB page takes in Shift_JIS; measured both for
// the same text (13.5 MB in UTF-8, whose kanji take three bytes) and for a
// UTF-8 file of 10 MB. Deciding a page's
// encoding should take under 3% of opening it, also for the worst case of the
// UTF-8 pass (a page all ASCII but for one character at its very end) and for
// pages that declare nothing, in each encoding, where the bytes decide. Each
// codec alone, decoding and encoding the page, is measured for the record.
//
// The repetitions of all the benchmarks are interleaved in random order
// (unless the command line says otherwise), so a busy machine slows them
// alike; a summary of the medians and ratios follows the run.
#include "BenchSupport.h"
#include "browse/FilePane.h"
#include "core/TesselFrm.h"
#include "text/Detect.h"
#include "text/Encoding.h"
#include "text/TextFile.h"
#include "ui/EditBox.h"
#include "ui/FileList.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

using namespace Qt::StringLiterals;

namespace {
enum PageId {
    ShiftJis,
    Utf8,
    EucJp,
    Utf8Undeclared,
    ShiftJisUndeclared,
    AsciiThenUtf8,
    Utf8TenMegabytes,
    Iso2022Jp,
    Utf16,
    ShiftJisLf,
    EucJpUndeclared,
    Iso2022JpUndeclared,
};

struct Page {
    const char *name;
    Encoding encoding;
    QString text;
    QByteArray bytes;
    LineEnd lineEnd = LineEnd::CrLf;
};

DocumentEncoding written(Encoding e, LineEnd end = LineEnd::CrLf)
{
    DocumentEncoding d;
    d.encoding = e;
    d.habits.byteOrderMark = e == Encoding::Utf16Le;
    d.lineEnd = end;
    return d;
}

QString declaration(const char *label)
{
    return u"<meta http-equiv=\"Content-Type\" content=\"text/html; charset="_s + QLatin1StringView(label) +
           u"\">\r\n"_s;
}

// About 10 MB of HTML without a character beyond ASCII.
QString asciiHtml(qsizetype chars)
{
    static const QString lines[] = {
        u"<p>I am a cat. As yet I have no name. I have no idea where I was born.</p>"_s,
        u"<h2>Chapter 1 Introduction</h2>"_s,
        u"<td bgcolor=\"#ffffff\">1-1 Marunouchi, Chiyoda-ku, Tokyo</td>"_s,
        u"<a href=\"index.html\">Back to the contents</a>"_s,
    };
    QString out;
    out.reserve(chars + 200);
    for (int i = 0; out.size() < chars; ++i)
        out += lines[i % 4] + u"\r\n"_s;
    return out;
}

struct Fixture {
    QTemporaryDir dir;
    benchsupport::YesBoxes boxes;
    benchsupport::NoEnd end;
    Platform platform;
    ValueDesc values;
    std::unique_ptr<TesselFrm> frm;
    std::vector<Page> pages;

    Fixture()
    {
        const QString body = benchsupport::japaneseHtmlOfShiftJisSize(10'000'000);
        pages = {
            {"Shift_JIS", Encoding::ShiftJis, declaration("Shift_JIS") + body, {}},
            {"UTF-8", Encoding::Utf8, declaration("UTF-8") + body, {}},
            {"EUC-JP", Encoding::EucJp, declaration("EUC-JP") + body, {}},
            {"UTF-8, undeclared", Encoding::Utf8, body, {}},
            {"Shift_JIS, undeclared", Encoding::ShiftJis, body, {}},
            {"ASCII, then one UTF-8 character", Encoding::Utf8, asciiHtml(10'000'000) + u"。\r\n"_s, {}},
        };
        // A 10 MB page in UTF-8 holds less text than one in Shift_JIS, which
        // writes a kanji in two bytes, not three.
        const double shrink = double(encoding::encode(written(Encoding::ShiftJis), body).bytes.size()) /
                              double(encoding::encode(written(Encoding::Utf8), body).bytes.size());
        pages.push_back({"UTF-8, a 10 MB file", Encoding::Utf8,
                         declaration("UTF-8") + benchsupport::japaneseHtmlOfShiftJisSize(qsizetype(10'000'000 * shrink)),
                         {}});
        pages.push_back({"ISO-2022-JP", Encoding::Iso2022Jp, declaration("ISO-2022-JP") + body, {}});
        pages.push_back({"UTF-16LE", Encoding::Utf16Le, body, {}});
        pages.push_back({"Shift_JIS, LF line ends", Encoding::ShiftJis, declaration("Shift_JIS") + body, {},
                         LineEnd::Lf});
        pages.push_back({"EUC-JP, undeclared", Encoding::EucJp, body, {}});
        pages.push_back({"ISO-2022-JP, undeclared", Encoding::Iso2022Jp, body, {}});
        for (size_t i = 0; i < pages.size(); ++i) {
            Page &p = pages[i];
            p.bytes = encoding::encode(written(p.encoding, p.lineEnd), p.text).bytes;
            QFile f(dir.filePath(fileName(PageId(i))));
            f.open(QIODevice::WriteOnly);
            f.write(p.bytes);
        }
        platform = {QDir(dir.path()).canonicalPath(), &boxes, &end};
        frm = std::make_unique<TesselFrm>(platform, values);
        frm->Form_Load();
    }
    static QString fileName(PageId id) { return u"page%1.html"_s.arg(int(id)); }
    // The page chosen in the file list, as a click on it chooses it.
    void choose(PageId id)
    {
        frm->EditTxt->setText(QString());
        values.SavedText.clear();
        frm->filePane()->listDirectory();
        for (int i = 0; i < frm->File->listCount(); ++i)
            if (frm->File->list(i) == fileName(id))
                frm->File->setListIndex(i);
    }
};

// Left to the end of the process: its window must not outlive the application.
Fixture &fixture()
{
    static Fixture *f = new Fixture;
    return *f;
}

// Per benchmark, the time of one iteration in each repetition (ms).
QMap<QString, std::vector<double>> &samples()
{
    static QMap<QString, std::vector<double>> s;
    return s;
}

// Times body() alone in each iteration; before() runs untimed.
template <typename Before, typename Body>
void timed(benchmark::State &state, const QString &key, Before before, Body body)
{
    double total = 0;
    for (auto _ : state) {
        before();
        const auto t0 = std::chrono::steady_clock::now();
        body();
        const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        state.SetIterationTime(s);
        total += s;
    }
    samples()[key].push_back(total * 1000 / double(state.iterations()));
    state.SetBytesProcessed(state.iterations() * fixture().pages[size_t(state.range(0))].bytes.size());
}

void BM_Open10MB(benchmark::State &state)
{
    Fixture &f = fixture();
    const PageId id = PageId(state.range(0));
    timed(
        state, u"open %1"_s.arg(int(id)), [&] { f.choose(id); }, [&] { f.frm->OpenBtn_Click(); });
    if (f.values.DocEncoding.encoding != f.pages[id].encoding || f.values.DocEncoding.lineEnd != f.pages[id].lineEnd ||
        f.values.SavedText.size() < 3'000'000)
        state.SkipWithError("the page was not opened in its encoding");
}

void BM_Save10MB(benchmark::State &state)
{
    Fixture &f = fixture();
    const PageId id = PageId(state.range(0));
    f.choose(id);
    f.frm->OpenBtn_Click();
    const QString path = f.dir.filePath(Fixture::fileName(id));
    timed(
        state, u"save %1"_s.arg(int(id)), [] {}, [&] { f.frm->SaveTextFile(path, QString()); });
    if (QFileInfo(path).size() != f.pages[id].bytes.size())
        state.SkipWithError("the page was not saved");
}

// Of the save, the write alone: the text encoded and written whole (QSaveFile,
// flushed to the disk), without reading it out of the edit box.
void BM_WriteDocument10MB(benchmark::State &state)
{
    Fixture &f = fixture();
    const PageId id = PageId(state.range(0));
    const QString path = f.dir.filePath(u"written.html"_s);
    timed(
        state, u"write %1"_s.arg(int(id)), [] {},
        [&] { TextFile::writeDocument(path, f.pages[id].text, written(f.pages[id].encoding, f.pages[id].lineEnd)); });
    if (QFileInfo(path).size() != f.pages[id].bytes.size())
        state.SkipWithError("the page was not written");
}

void BM_DetectEncoding10MB(benchmark::State &state)
{
    const Page &p = fixture().pages[size_t(state.range(0))];
    Encoding e{};
    timed(
        state, u"detect %1"_s.arg(state.range(0)), [] {}, [&] { e = detect::encodingOf(p.bytes); });
    if (e != p.encoding)
        state.SkipWithError("the encoding was not found");
}

void BM_Decode10MB(benchmark::State &state)
{
    const Page &p = fixture().pages[size_t(state.range(0))];
    timed(
        state, u"decode %1"_s.arg(state.range(0)), [] {},
        [&] { benchmark::DoNotOptimize(encoding::decode(p.encoding, p.bytes).text.size()); });
}

void BM_Encode10MB(benchmark::State &state)
{
    const Page &p = fixture().pages[size_t(state.range(0))];
    timed(
        state, u"encode %1"_s.arg(state.range(0)), [] {},
        [&] { benchmark::DoNotOptimize(encoding::encode(written(p.encoding, p.lineEnd), p.text).bytes.size()); });
}

double medianOf(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double median(const char *what, int id)
{
    return medianOf(samples().value(u"%1 %2"_s.arg(QLatin1StringView(what)).arg(id)));
}

void printSummary()
{
    const auto &pages = fixture().pages;
    std::printf(
        "\nThe same page in each encoding, median ms (goal: at most 1.1x Shift_JIS, same declaration)\n");
    std::printf("%-34s %8s %8s %6s %8s %6s %8s %8s %8s\n", "page", "file MB", "open", "x", "save", "x",
                "write", "decode", "encode");
    for (int id : {ShiftJis, Utf8, EucJp, Iso2022Jp, Utf16, ShiftJisLf, Utf8Undeclared, ShiftJisUndeclared}) {
        std::printf("%-34s %8.2f %8.1f %6.2f", pages[id].name, double(pages[id].bytes.size()) / 1e6,
                    median("open", id), median("open", id) / median("open", ShiftJis));
        if (id <= EucJp || id >= Iso2022Jp)
            std::printf(" %8.1f %6.2f %8.1f %8.1f %8.1f", median("save", id),
                        median("save", id) / median("save", ShiftJis), median("write", id),
                        median("decode", id), median("encode", id));
        std::printf("\n");
    }
    std::printf("\nPages of the same size, 10 MB each, median ms\n");
    for (int id : {ShiftJis, Utf8TenMegabytes}) {
        std::printf("%-34s %8.2f %8.1f %6.2f %8.1f %6.2f\n", pages[id].name, double(pages[id].bytes.size()) / 1e6,
                    median("open", id), median("open", id) / median("open", ShiftJis), median("save", id),
                    median("save", id) / median("save", ShiftJis));
    }
    std::printf("\nDeciding the encoding beside opening the page, median (goal: under 3%%)\n");
    std::printf("%-34s %10s %9s %7s\n", "page", "decide ms", "open ms", "share");
    for (int id : {AsciiThenUtf8, ShiftJisUndeclared, ShiftJis, Utf8Undeclared, EucJpUndeclared,
                   Iso2022JpUndeclared}) {
        std::printf("%-34s %10.3f %9.1f %6.2f%%\n", pages[id].name, median("detect", id), median("open", id),
                    100 * median("detect", id) / median("open", id));
    }
}

void pagesOf(benchmark::internal::Benchmark *b, std::initializer_list<PageId> ids)
{
    for (PageId id : ids)
        b->Arg(id);
    b->ArgName("page")->UseManualTime()->Unit(benchmark::kMillisecond)->ReportAggregatesOnly(true);
}

// page: 0 Shift_JIS, 1 UTF-8, 2 EUC-JP (each declared), 3 UTF-8 and 4 Shift_JIS
// undeclared, 5 ASCII with one UTF-8 character at the end, 6 UTF-8 in a 10 MB
// file, 7 ISO-2022-JP (declared), 8 UTF-16LE, 9 Shift_JIS with LF line ends, 10
// EUC-JP and 11 ISO-2022-JP undeclared.
void opened(benchmark::internal::Benchmark *b)
{
    pagesOf(b, {ShiftJis, Utf8, EucJp, Utf8Undeclared, ShiftJisUndeclared, AsciiThenUtf8, Utf8TenMegabytes, Iso2022Jp,
                Utf16, ShiftJisLf, EucJpUndeclared, Iso2022JpUndeclared});
    b->Iterations(1)->Repetitions(7);
}
void saved(benchmark::internal::Benchmark *b)
{
    pagesOf(b, {ShiftJis, Utf8, EucJp, Utf8TenMegabytes, Iso2022Jp, Utf16, ShiftJisLf});
    b->Iterations(3)->Repetitions(7);
}
void decided(benchmark::internal::Benchmark *b)
{
    pagesOf(b, {AsciiThenUtf8, ShiftJisUndeclared, ShiftJis, Utf8Undeclared, EucJpUndeclared, Iso2022JpUndeclared});
    b->Repetitions(7);
}
void converted(benchmark::internal::Benchmark *b)
{
    pagesOf(b, {ShiftJis, Utf8, EucJp, Iso2022Jp, Utf16, ShiftJisLf});
    b->Repetitions(5);
}
} // namespace

BENCHMARK(BM_Open10MB)->Apply(opened);
BENCHMARK(BM_Save10MB)->Apply(saved);
BENCHMARK(BM_WriteDocument10MB)->Apply(saved);
BENCHMARK(BM_DetectEncoding10MB)->Apply(decided);
BENCHMARK(BM_Decode10MB)->Apply(converted);
BENCHMARK(BM_Encode10MB)->Apply(converted);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Interleave the repetitions unless asked otherwise.
    std::vector<char *> args(argv, argv + argc);
    const bool chosen = std::any_of(args.begin(), args.end(), [](const char *a) {
        return std::strncmp(a, "--benchmark_enable_random_interleaving", 38) == 0;
    });
    static char interleave[] = "--benchmark_enable_random_interleaving=true";
    if (!chosen)
        args.insert(args.begin() + 1, interleave);
    int count = int(args.size());
    benchmark::Initialize(&count, args.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    printSummary();
    return 0;
}
