// Opening a 10 MB Shift_JIS document into the edit box, beside what the edit
// box alone costs for the same text and what iconv alone costs to decode it;
// saving it; inserting a snippet into documents of growing size.
#include "BenchSupport.h"
#include "browse/FilePane.h"
#include "core/TesselFrm.h"
#include "text/Cp932.h"
#include "ui/EditBox.h"
#include "ui/FileList.h"
#include "ui/Label.h"
#include "ui/ListBox.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <iconv.h>

using namespace Qt::StringLiterals;

namespace {
struct Fixture {
    QTemporaryDir dir;
    benchsupport::YesBoxes boxes;
    benchsupport::NoEnd end;
    Platform platform;
    ValueDesc values;
    std::unique_ptr<TesselFrm> frm;
    QString text;
    QByteArray bytes;

    Fixture()
    {
        platform = {QDir(dir.path()).canonicalPath(), &boxes, &end};
        text = benchsupport::japaneseHtml(5'000'000); // about 10 MB in Shift_JIS
        bytes = Cp932::encode(text).bytes; // every line, the last one too, ends with CR LF
        QFile f(dir.filePath(u"big.html"_s));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        f.close();
        frm = std::make_unique<TesselFrm>(platform, values);
        frm->Form_Load();
    }
    void chooseBig()
    {
        frm->filePane()->listDirectory();
        for (int i = 0; i < frm->File->listCount(); ++i)
            if (frm->File->list(i) == u"big.html"_s)
                frm->File->setListIndex(i);
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

void BM_Open10MB(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state) {
        state.PauseTiming();
        f.frm->EditTxt->setText(QString());
        f.values.SavedText.clear();
        f.chooseBig();
        state.ResumeTiming();
        f.frm->OpenBtn_Click();
        benchmark::DoNotOptimize(f.frm->EditTxt->document()->characterCount());
    }
    if (f.frm->values().SavedText.size() != f.text.size() - 2)
        state.SkipWithError("the document was not opened");
    state.SetBytesProcessed(state.iterations() * f.bytes.size());
}

void BM_SetPlainTextAlone10MB(benchmark::State &state)
{
    Fixture &f = fixture();
    QPlainTextEdit edit;
    QString doc = f.text;
    doc.replace(u"\r\n"_s, QString(QChar(0x2029)));
    for (auto _ : state) {
        state.PauseTiming();
        edit.clear();
        state.ResumeTiming();
        edit.setPlainText(doc);
        benchmark::DoNotOptimize(edit.document()->characterCount());
    }
    state.SetBytesProcessed(state.iterations() * f.bytes.size());
}

void BM_IconvDecodeAlone10MB(benchmark::State &state)
{
    Fixture &f = fixture();
    iconv_t cd = iconv_open("UTF-16LE", "CP932");
    std::vector<char> out(f.bytes.size() * 2 + 16);
    for (auto _ : state) {
        char *in = f.bytes.data();
        size_t inLeft = f.bytes.size();
        char *o = out.data();
        size_t outLeft = out.size();
        iconv(cd, &in, &inLeft, &o, &outLeft);
        benchmark::DoNotOptimize(out.data());
    }
    iconv_close(cd);
    state.SetBytesProcessed(state.iterations() * f.bytes.size());
}

void BM_Save10MB(benchmark::State &state)
{
    Fixture &f = fixture();
    f.frm->EditTxt->setText(QString());
    f.values.SavedText.clear();
    f.chooseBig();
    f.frm->OpenBtn_Click();
    for (auto _ : state) {
        f.frm->SaveBtn_Click();
    }
    if (QFileInfo(f.dir.filePath(u"big.html"_s)).size() != f.bytes.size())
        state.SkipWithError("the document was not saved");
    state.SetBytesProcessed(state.iterations() * f.bytes.size());
}

void BM_InsertSnippet(benchmark::State &state)
{
    Fixture &f = fixture();
    const QString doc = benchsupport::japaneseHtml(state.range(0) / 2);
    f.frm->EditTxt->setText(doc);
    f.frm->HTMLLst->setListIndex(34); // <br>
    f.frm->EditTxt->setSelStart(doc.size() / 2);
    for (auto _ : state) {
        f.frm->HTMLLst_DblClick();
        benchmark::DoNotOptimize(f.frm->EditTxt->selStart());
    }
}
} // namespace

BENCHMARK(BM_Open10MB)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_SetPlainTextAlone10MB)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_IconvDecodeAlone10MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save10MB)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_InsertSnippet)->Arg(100'000)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
