// The program's own files as start-up reads them, whatever they hold: the
// work file (Tessara.tmp), the settings (Tessel.conf) and the F1-F12 slots
// (TagsShortCuts.dat). What is read and written back reads the same again.
#include "FuzzCheck.h"
#include "core/StartupFiles.h"
#include "tags/ShortCutLabel.h"
#include "text/Cp932.h"
#include "text/TextFile.h"

#include <cstdint>
#include <limits>

namespace {

bool in16(int v)
{
    return v >= std::numeric_limits<qint16>::min() && v <= std::numeric_limits<qint16>::max();
}

// The lines as the file would hold them after writing.
QStringList written(const QStringList &lines)
{
    const Cp932::EncodeResult bytes = Cp932::encode(TextFile::joinLines(lines));
    FUZZ_CHECK(bytes.ok);
    return TextFile::splitLines(Cp932::decode(bytes.bytes).text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QStringList lines = TextFile::splitLines(Cp932::decode(QByteArrayView(data, qsizetype(size))).text);

    const std::optional<workfile::Counts> counts = workfile::parse(lines);
    if (counts) {
        FUZZ_CHECK(counts->n >= 0 && counts->m >= 0 && in16(counts->n) && in16(counts->m));
        FUZZ_CHECK(in16(counts->left) && in16(counts->top));
        FUZZ_CHECK(workfile::parse(written(workfile::format(*counts))) == counts);
    }
    const workfile::Placement place = workfile::place(counts, QSize(28800, 16200), QSize(9600, 7200));
    FUZZ_CHECK(workfile::parse(written(workfile::format(place.written))) == place.written);
    const workfile::Shutdown shutdown = workfile::shutdown(counts);
    if (!shutdown.remove)
        FUZZ_CHECK(workfile::parse(written(workfile::format(shutdown.written))) == shutdown.written);

    const settingsfile::Settings settings = settingsfile::parse(lines);
    const settingsfile::Settings again =
        settingsfile::parse(written(settingsfile::format(settings.directory, settings.scheme)));
    FUZZ_CHECK(again.directory == settings.directory && again.scheme == settings.scheme);

    // A slot names a position only in the form registration writes.
    for (const QString &slot : lines.mid(0, shortcutlabel::SlotCount))
        if (const std::optional<qint16> at = shortcutlabel::position(slot))
            FUZZ_CHECK(*at >= -1 && QString::number(*at) == slot);
    return 0;
}
