// Saving a 10 MB Japanese document through the document writer, beside the
// least any save can cost: iconv encoding the same text and writing the bytes.
// The writer should stay under twice that. Its two halves are measured alone
// too: reading the text out of the edit box, and the encoded whole-file write.
#include "browse/FilePane.h"
#include "core/TesselFrm.h"
#include "core/ValueDesc.h"
#include "text/Cp932.h"
#include "text/FileIo.h"
#include "text/TextFile.h"
#include "ui/EditBox.h"
#include "ui/MessageBoxes.h"
#include "ui/Platform.h"
#include "ui/ProgramEnd.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <iconv.h>
#include <memory>
#include <unistd.h>
#include <vector>

using namespace Qt::StringLiterals;

namespace
{
class OkBoxes : public MessageBoxes
{
  public:
    MsgAnswer ask(const MsgBox &) override
    {
        ++shown;
        return MsgAnswer::Ok;
    }
    int shown = 0;
};

class NoEnd : public ProgramEnd
{
  public:
    void endProgram() override {}
};

// HTML lines, most characters Japanese: about two bytes a character in Shift_JIS.
QString japaneseDocument(qsizetype bytes)
{
    const QString line = u"<p>吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。"
                         u"何でも薄暗いじめじめした所でニャーニャー泣いていた事だけは記憶している。</p>"_s;
    qsizetype lineBytes = 2; // its CR LF
    for (QChar c : line)
        lineBytes += c.unicode() < 0x80 ? 1 : 2;
    QStringList lines;
    for (qsizetype size = 0; size < bytes; size += lineBytes)
        lines << line;
    return lines.join(u"\r\n"_s);
}

struct Fixture {
    QTemporaryDir dir;
    OkBoxes boxes;
    NoEnd end;
    Platform platform;
    ValueDesc values;
    std::unique_ptr<TesselFrm> frm;
    QString text;

    Fixture()
    {
        platform = {QDir(dir.path()).canonicalPath(), &boxes, &end};
        text = japaneseDocument(10 * 1024 * 1024);
        frm = std::make_unique<TesselFrm>(platform, values);
        frm->filePane()->startUp(QString());
        frm->EditTxt->setText(text);
    }
    QString path(const QString &name) const { return platform.startDir + u'/' + name; }
};

// Made in main(), and gone before the application is.
std::unique_ptr<Fixture> theFixture;
Fixture &fixture()
{
    return *theFixture;
}

void BM_SaveTextFile10MB(benchmark::State &state)
{
    Fixture &f = fixture();
    const QString file = f.path(u"writer.html"_s);
    for (auto _ : state)
        benchmark::DoNotOptimize(f.frm->SaveTextFile(file, QString()));
    const qint64 size = QFileInfo(file).size();
    if (f.boxes.shown != 0 || size < 10 * 1024 * 1024)
        state.SkipWithError("the document was not saved");
    state.SetBytesProcessed(state.iterations() * size);
}

// The two halves of a save: reading the text out of the edit box, and
// encoding and writing it whole through QSaveFile.
void BM_EditBoxTextAlone10MB(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state)
        benchmark::DoNotOptimize(f.frm->EditTxt->text());
}

void BM_TextFileWriteAlone10MB(benchmark::State &state)
{
    Fixture &f = fixture();
    const QString text = f.text + u"\r\n"_s;
    for (auto _ : state)
        benchmark::DoNotOptimize(TextFile::writeText(f.path(u"textfile.html"_s), text));
}

// The encoded bytes written whole by the one writer: replaced atomically
// through a temporary file, or, for a page with a second name, written in
// place after the old bytes were kept (in memory and in a backup file). The
// in-place write should cost at most twice the replace.
void writeEncoded(benchmark::State &state, bool secondName)
{
    Fixture &f = fixture();
    const QByteArray bytes = Cp932::encode(QString(f.text + u"\r\n"_s)).bytes;
    const QString page = f.path(secondName ? u"linked.html"_s : u"replaced.html"_s);
    QFile::remove(page);
    if (!fileio::replace(page, bytes).ok)
        state.SkipWithError("the page could not be written");
    const QString other = f.path(u"other-name.html"_s);
    QFile::remove(other);
    if (secondName && ::link(QFile::encodeName(page).constData(), QFile::encodeName(other).constData()) != 0)
        state.SkipWithError("no second name");
    bool inPlace = false;
    for (auto _ : state) {
        const fileio::Written w = fileio::replace(page, bytes);
        if (!w.ok) {
            state.SkipWithError("the write failed");
            break;
        }
        inPlace = w.inPlace;
    }
    if (inPlace != secondName)
        state.SkipWithError("the write took the other path");
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

void BM_AtomicReplace10MB(benchmark::State &state)
{
    writeEncoded(state, false);
}
void BM_SafeInPlaceWrite10MB(benchmark::State &state)
{
    writeEncoded(state, true);
}

// The same text with its final CR LF, encoded by iconv from the string's
// UTF-16 and written to a file in one go.
void BM_IconvEncodeAndWrite10MB(benchmark::State &state)
{
    Fixture &f = fixture();
    const QString text = f.text + u"\r\n"_s;
    const QByteArray file = QFile::encodeName(f.path(u"iconv.html"_s));
    std::vector<char> out(size_t(text.size()) * 2 + 16);
    iconv_t cd = iconv_open("CP932", "UTF-16LE");
    size_t written = 0;
    for (auto _ : state) {
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char *in = const_cast<char *>(reinterpret_cast<const char *>(text.utf16()));
        size_t inLeft = size_t(text.size()) * 2;
        char *o = out.data();
        size_t outLeft = out.size();
        if (iconv(cd, &in, &inLeft, &o, &outLeft) == size_t(-1)) {
            state.SkipWithError("iconv failed");
            break;
        }
        written = out.size() - outLeft;
        const int fd = ::open(file.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0 || ::write(fd, out.data(), written) != ssize_t(written) || ::close(fd) != 0) {
            state.SkipWithError("write failed");
            break;
        }
    }
    iconv_close(cd);
    state.SetBytesProcessed(state.iterations() * qint64(written));
}
} // namespace

BENCHMARK(BM_SaveTextFile10MB)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(7)
    ->ReportAggregatesOnly();
BENCHMARK(BM_EditBoxTextAlone10MB)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(7)
    ->ReportAggregatesOnly();
BENCHMARK(BM_TextFileWriteAlone10MB)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(7)
    ->ReportAggregatesOnly();
BENCHMARK(BM_AtomicReplace10MB)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(7)
    ->ReportAggregatesOnly();
BENCHMARK(BM_SafeInPlaceWrite10MB)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(7)
    ->ReportAggregatesOnly();
BENCHMARK(BM_IconvEncodeAndWrite10MB)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(7)
    ->ReportAggregatesOnly();

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    theFixture = std::make_unique<Fixture>();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    theFixture.reset();
    return 0;
}
