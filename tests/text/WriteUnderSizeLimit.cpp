// Helper for the file tests: writes a page in a process of its own, which the
// test may end, and where writes may stop at a size limit as on a full disk.
//   text_write_limited <path> <limit in bytes, or -> <characters> [<backup folder>]
// writes <characters> times "あ" (two bytes each) and prints "ok <bytes>",
// "fail untouched <reason>" or "fail damaged <reason>".
#include "text/TextFile.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/resource.h>

int main(int argc, char **argv)
{
    if (argc != 4 && argc != 5)
        return 2;
    if (std::strcmp(argv[2], "-") != 0) {
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = std::strtoull(argv[2], nullptr, 10);
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
            return 2;
        // Without this the kernel ends the process; ignored, the write fails with EFBIG.
        std::signal(SIGXFSZ, SIG_IGN);
    }

    const QString text(qsizetype(std::strtoll(argv[3], nullptr, 10)), QChar(0x3042));
    const TextFile::WriteResult r = TextFile::writeDocument(QString::fromLocal8Bit(argv[1]), text, DocumentEncoding{},
                                                            argc == 5 ? QString::fromLocal8Bit(argv[4]) : QString());
    if (r.ok)
        std::printf("ok %lld\n", static_cast<long long>(r.bytesWritten));
    else
        std::printf("fail %s %s\n", r.untouched ? "untouched" : "damaged", r.reason.toUtf8().constData());
    return r.ok ? 0 : 1;
}
