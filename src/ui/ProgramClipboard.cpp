#include "ui/ProgramClipboard.h"

#include <QMimeData>

using namespace Qt::StringLiterals;

namespace programclipboard {
namespace {
const QString ProgramTextMime = u"application/x-tessara-text"_s;
}

QMimeData *dataFor(const QString &programText)
{
    auto *mime = new QMimeData;
    QString plain = programText;
    plain.replace(u"\r\n"_s, u"\n"_s);
    mime->setText(plain);
    mime->setData(ProgramTextMime,
                  QByteArray(reinterpret_cast<const char *>(programText.utf16()), programText.size() * 2));
    return mime;
}

bool holdsProgramText(const QMimeData *source) { return source->hasFormat(ProgramTextMime); }

std::optional<QString> programText(const QMimeData *source)
{
    if (source->hasFormat(ProgramTextMime)) {
        const QByteArray data = source->data(ProgramTextMime);
        return QString(reinterpret_cast<const QChar *>(data.constData()), data.size() / 2);
    }
    if (!source->hasText())
        return std::nullopt;
    QString text = source->text();
    text.replace(u"\r\n"_s, u"\n"_s);
    text.replace(u'\r', u'\n');
    text.replace(u"\n"_s, u"\r\n"_s);
    return text;
}
} // namespace programclipboard
