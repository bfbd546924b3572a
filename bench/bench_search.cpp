// Search and replace on a 10 MB Japanese document (10 MB as Shift_JIS on disk):
// the dialog's commands on a real edit box, each beside the same work done on
// a plain QString and std::u16string, so the dialog's own cost shows.
//
// Goals: the dialog adds under 50% to the string work; replace all of a word
// with 200,000 occurrences takes under 0.5 s.
#include "search/SearchFrm.h"
#include "search/SearchRules.h"
#include "ui/EditBox.h"
#include "ui/LineBox.h"
#include "ui/MessageBoxes.h"
#include "ui/Platform.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <memory>
#include <random>
#include <string>
#include <string_view>

using namespace Qt::StringLiterals;

namespace
{

constexpr qsizetype TargetBytes = 10'000'000;
constexpr int Occurrences = 200'000;
const QString ReplacedWord = u"東京都"_s;
const QString Replacement = u"大阪府庁"_s;
// Never in the document, though their first characters and beginnings are
// frequent: a two-character word and a nine-character one.
const QString ShortAbsent = u"の町"_s;
const QString LongAbsent = u"日本語の文章を削除"_s;

qsizetype sjisBytes(QStringView s)
{
    qsizetype n = 0;
    for (QChar c : s)
        n += c.unicode() < 0x80 ? 1 : 2;
    return n;
}

// Lines of about 100 bytes, each with the replaced word twice among Japanese
// prose and a few tags, CR LF between lines.
QString makeDocument()
{
    static const char16_t *const words[] = {u"日本語",
                                            u"の",
                                            u"文章",
                                            u"を",
                                            u"書く",
                                            u"ために",
                                            u"、",
                                            u"。",
                                            u"ここに",
                                            u"様々な",
                                            u"言葉",
                                            u"が",
                                            u"並び",
                                            u"ます",
                                            u"ページ",
                                            u"作成",
                                            u"編集",
                                            u"画面",
                                            u"見出し",
                                            u"段落",
                                            u"表示",
                                            u"確認",
                                            u"して",
                                            u"ください",
                                            u"大きな",
                                            u"小さな",
                                            u"新しい",
                                            u"情報",
                                            u"案内",
                                            u"ふりがな",
                                            u"カタカナ",
                                            u"漢字",
                                            u"記号",
                                            u"<b>",
                                            u"</b>",
                                            u"<br>",
                                            u"<a href=\"index.html\">",
                                            u"</a>",
                                            u"1998年"};
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> pick(0, int(std::size(words)) - 1);
    QString doc;
    doc.reserve(TargetBytes / 2 + TargetBytes / 10);
    const int lines = Occurrences / 2;
    const qsizetype lineBytes = TargetBytes / lines;
    for (int i = 0; i < lines; ++i) {
        QString line = u"<p>"_s;
        const qsizetype budget = lineBytes - 2 - 2 * sjisBytes(ReplacedWord) - 4;
        const qsizetype first = budget / 3;
        bool firstPlaced = false;
        while (sjisBytes(line) < budget) {
            if (!firstPlaced && sjisBytes(line) >= first) {
                line += ReplacedWord;
                firstPlaced = true;
            }
            line += QString::fromUtf16(words[pick(rng)]);
        }
        if (!firstPlaced)
            line += ReplacedWord;
        line += ReplacedWord + u"</p>"_s;
        doc += line;
        doc += u"\r\n"_s;
    }
    return doc;
}

const QString &document()
{
    static const QString doc = [] {
        QString d = makeDocument();
        if (d.count(ReplacedWord) != Occurrences || d.contains(ShortAbsent) || d.contains(LongAbsent))
            qFatal("benchmark document is not as intended");
        return d;
    }();
    return doc;
}

class AnswerYes : public MessageBoxes
{
  public:
    MsgAnswer ask(const MsgBox &box) override
    {
        ++shown;
        return box.buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Yes;
    }
    int shown = 0;
};

// A window with the edit box holding the document and the dialog over it.
struct Editor {
    Editor()
    {
        platform.boxes = &boxes;
        window.resize(800, 600);
        edit = new EditBox(&window);
        edit->resize(800, 600);
        dialog = new SearchFrm(platform, edit, &window);
        window.show();
        dialog->show();
        load();
    }
    void load()
    {
        edit->setText(document());
        QCoreApplication::processEvents();
    }
    AnswerYes boxes;
    Platform platform;
    QWidget window;
    EditBox *edit = nullptr;
    SearchFrm *dialog = nullptr;
};

Editor &editor()
{
    static Editor *e = new Editor; // lives until the process ends, like the program's window
    return *e;
}

const QString &absentWord(const benchmark::State &state)
{
    return state.range(0) == 0 ? ShortAbsent : LongAbsent;
}

void setLabels(benchmark::State &state, const char *what)
{
    state.SetLabel(std::string(what) + (state.range(0) == 0 ? ", 2-character word" : ", 9-character word"));
}

// --- Downward search that finds nothing, from the start of the text ---

void SearchNotFound_QString(benchmark::State &state)
{
    const QString &text = document();
    const QString word = absentWord(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(searchrules::findFrom(text, word, 0));
    state.counters["characters"] = double(text.size());
    setLabels(state, "QString");
}

void SearchNotFound_QStringIndexOf(benchmark::State &state)
{
    const QString &text = document();
    const QString word = absentWord(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(text.indexOf(word, 0));
    setLabels(state, "QString::indexOf");
}

void SearchNotFound_U16String(benchmark::State &state)
{
    const std::u16string text = document().toStdU16String();
    const QString &w = absentWord(state);
    const std::u16string word = w.toStdU16String();
    for (auto _ : state)
        benchmark::DoNotOptimize(std::u16string_view(text).find(word, 0));
    setLabels(state, "std::u16string");
}

void SearchNotFound_Dialog(benchmark::State &state)
{
    Editor &e = editor();
    e.dialog->SearchTxt->setText(absentWord(state));
    e.edit->setSelStart(0);
    const int before = e.boxes.shown;
    for (auto _ : state)
        e.dialog->SearchCmd_Click();
    if (e.boxes.shown - before != int(state.iterations()))
        state.SkipWithError("the search found something");
    setLabels(state, "dialog");
}

// The first command after an edit of the document, which copies the text out
// of the edit box again.
void SearchNotFound_DialogAfterEdit(benchmark::State &state)
{
    Editor &e = editor();
    e.dialog->SearchTxt->setText(absentWord(state));
    bool inserted = false;
    for (auto _ : state) {
        state.PauseTiming();
        e.edit->replaceRange(0, inserted ? 1 : 0, inserted ? QString() : u"x"_s);
        inserted = !inserted;
        e.edit->setSelStart(0);
        state.ResumeTiming();
        e.dialog->SearchCmd_Click();
    }
    if (inserted)
        e.edit->replaceRange(0, 1, QString());
    setLabels(state, "dialog, first search after an edit");
}

// --- Replace all of a word with 200,000 occurrences ---

void ReplaceAll_QString(benchmark::State &state)
{
    const QString &text = document();
    for (auto _ : state)
        benchmark::DoNotOptimize(searchrules::replaceAll(text, ReplacedWord, Replacement));
    state.SetLabel("QString");
}

void ReplaceAll_U16String(benchmark::State &state)
{
    const std::u16string text = document().toStdU16String();
    const std::u16string word = ReplacedWord.toStdU16String();
    const std::u16string with = Replacement.toStdU16String();
    for (auto _ : state) {
        std::u16string out;
        out.reserve(text.size() + text.size() / 4);
        size_t copied = 0;
        for (size_t q = text.find(word); q != std::u16string::npos; q = text.find(word, copied)) {
            out.append(text, copied, q - copied);
            out.append(with);
            copied = q + word.size();
        }
        out.append(text, copied);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetLabel("std::u16string");
}

void ReplaceAll_Dialog(benchmark::State &state)
{
    Editor &e = editor();
    e.dialog->SearchTxt->setText(ReplacedWord);
    e.dialog->ReplaceTxt->setText(Replacement);
    for (auto _ : state) {
        state.PauseTiming();
        e.load();
        state.ResumeTiming();
        e.dialog->AllReplaceCmd_Click();
    }
    if (e.edit->textLength() != document().size() + Occurrences * (Replacement.size() - ReplacedWord.size()))
        state.SkipWithError("replace all did not replace every occurrence");
    e.load();
    state.SetLabel("dialog");
}

} // namespace

BENCHMARK(SearchNotFound_QString)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(SearchNotFound_QStringIndexOf)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(SearchNotFound_U16String)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(SearchNotFound_Dialog)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(SearchNotFound_DialogAfterEdit)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(ReplaceAll_QString)->Unit(benchmark::kMillisecond);
BENCHMARK(ReplaceAll_U16String)->Unit(benchmark::kMillisecond);
BENCHMARK(ReplaceAll_Dialog)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
