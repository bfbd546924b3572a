// Reading and writing a 20 MB Japanese HTML document in Shift_JIS, beside raw
// glibc iconv on the same bytes. The program's conversion should stay within
// 1.5 times the time iconv takes, both ways.
#include "text/Cp932.h"

#include <QRandomGenerator>
#include <QString>

#include <benchmark/benchmark.h>

#include <iconv.h>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

struct Document
{
    QString text;
    QByteArray bytes;
};

// HTML with CR LF lines, about three quarters of its characters Japanese.
const Document &document()
{
    static const Document doc = [] {
        const QString hiragana = u"あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめも"
                                 u"やゆよらりるれろわをんがぎぐげござじずぜぞだでどばびぶべぼぱぴぷぺぽっゃゅょ"_s;
        const QString katakana = u"アイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモ"
                                 u"ヤユヨラリルレロワヲンガギグゲゴザジズゼゾダデドバビブベボパピプペポッャュョー"_s;
        const QString kanji = u"日本語文書編集表示保存開始終了検索置換設定画面入力出力変更確認削除追加"
                                 u"作成名前場所時間今年月曜火水木金土会社学校電話番号住所東京大阪都道府県市区"
                                 u"町村生活情報記事内容説明見出段落表題本文項目一覧新旧前後上下左右中外国際経済"
                                 u"政治社会文化歴史科学技術研究開発製品価格販売店舗利用規約個人纊褜鍈銈蓜"_s;
        const QString marks = u"、。「」（）・！？０１２３４５６７８９〜―…"_s;
        const QString tags[] = {u"<p class=\"honbun\">"_s, u"<h2 id=\"midashi\">"_s,
                                u"<li>"_s, u"<td align=\"left\">"_s, u"<div class=\"kiji\">"_s};
        const QString closes[] = {u"</p>"_s, u"</h2>"_s, u"</li>"_s, u"</td>"_s, u"</div>"_s};

        QRandomGenerator rng(932);
        Document d;
        const qsizetype target = 20 * 1024 * 1024;
        qsizetype bytes = 0;
        d.text.reserve(target);
        while (bytes < target) {
            const int tag = rng.bounded(5);
            d.text += tags[tag];
            bytes += tags[tag].size();
            const int length = rng.bounded(30, 90);
            for (int i = 0; i < length; ++i) {
                const int pick = rng.bounded(100);
                const QString &pool = pick < 50 ? hiragana
                    : pick < 80                 ? kanji
                    : pick < 90                 ? katakana
                                                : marks;
                d.text += pool[rng.bounded(int(pool.size()))];
            }
            bytes += 2 * length;
            if (rng.bounded(4) == 0) {
                d.text += u"<a href=\"page.html\">リンク</a>"_s;
                bytes += 30;
            }
            d.text += closes[tag] + u"\r\n"_s;
            bytes += closes[tag].size() + 2;
        }
        const Cp932::EncodeResult e = Cp932::encode(d.text);
        if (!e.ok)
            qFatal("benchmark text cannot be written at %lld", static_cast<long long>(e.failIndex));
        d.bytes = e.bytes;
        return d;
    }();
    return doc;
}

class IconvBuffer
{
public:
    IconvBuffer(const char *to, const char *from, size_t outSize)
        : m_cd(iconv_open(to, from)), m_out(outSize)
    {
    }
    ~IconvBuffer()
    {
        if (valid())
            iconv_close(m_cd);
    }
    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    // Returns the output length, or 0 when iconv stopped.
    size_t convert(const void *in, size_t inLen)
    {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        char *ip = static_cast<char *>(const_cast<void *>(in));
        char *op = m_out.data();
        size_t il = inLen, ol = m_out.size();
        if (iconv(m_cd, &ip, &il, &op, &ol) == static_cast<size_t>(-1))
            return 0;
        return m_out.size() - ol;
    }

private:
    iconv_t m_cd;
    std::vector<char> m_out;
};

void BM_Cp932Decode(benchmark::State &state)
{
    const Document &d = document();
    for (auto _ : state) {
        Cp932::DecodeResult r = Cp932::decode(d.bytes);
        benchmark::DoNotOptimize(r.text.constData());
        if (r.text.size() != d.text.size())
            state.SkipWithError("decoded text differs");
    }
    state.SetBytesProcessed(state.iterations() * d.bytes.size());
    qsizetype nonAscii = 0;
    for (QChar c : d.text)
        nonAscii += c.unicode() >= 0x80;
    state.counters["non_ascii_share"] = double(nonAscii) / double(d.text.size());
}

void BM_IconvDecode(benchmark::State &state)
{
    const Document &d = document();
    IconvBuffer cv("UTF-16LE", "CP932", size_t(d.bytes.size()) * 2);
    if (!cv.valid()) {
        state.SkipWithError("no CP932 in iconv");
        return;
    }
    for (auto _ : state) {
        const size_t n = cv.convert(d.bytes.constData(), size_t(d.bytes.size()));
        if (n != size_t(d.text.size()) * 2)
            state.SkipWithError("iconv stopped");
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * d.bytes.size());
}

void BM_Cp932Encode(benchmark::State &state)
{
    const Document &d = document();
    for (auto _ : state) {
        Cp932::EncodeResult r = Cp932::encode(d.text);
        benchmark::DoNotOptimize(r.bytes.constData());
        if (r.bytes.size() != d.bytes.size())
            state.SkipWithError("encoded bytes differ");
    }
    state.SetBytesProcessed(state.iterations() * d.bytes.size());
}

void BM_IconvEncode(benchmark::State &state)
{
    const Document &d = document();
    IconvBuffer cv("CP932", "UTF-16LE", size_t(d.bytes.size()));
    if (!cv.valid()) {
        state.SkipWithError("no CP932 in iconv");
        return;
    }
    for (auto _ : state) {
        const size_t n = cv.convert(d.text.utf16(), size_t(d.text.size()) * 2);
        if (n != size_t(d.bytes.size()))
            state.SkipWithError("iconv stopped");
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * d.bytes.size());
}

} // namespace

BENCHMARK(BM_Cp932Decode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IconvDecode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Cp932Encode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IconvEncode)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
