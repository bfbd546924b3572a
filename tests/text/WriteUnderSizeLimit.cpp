// Helper for the file tests: writes a file while the process may write at most
// a given number of bytes to any file, as when the disk fills up.
//   text_write_limited <path> <limit in bytes> <characters>
// writes <characters> times "あ" (two bytes each) and prints "ok <bytes>" or
// "fail <reason>".
#include "text/TextFile.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>

int main(int argc, char **argv)
{
    if (argc != 4)
        return 2;
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = std::strtoull(argv[2], nullptr, 10);
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
        return 2;
    // Without this the kernel ends the process; ignored, the write fails with EFBIG.
    std::signal(SIGXFSZ, SIG_IGN);

    const QString text(qsizetype(std::strtoll(argv[3], nullptr, 10)), QChar(0x3042));
    const TextFile::WriteResult r = TextFile::writeText(QString::fromLocal8Bit(argv[1]), text);
    if (r.ok)
        std::printf("ok %lld\n", static_cast<long long>(r.bytesWritten));
    else
        std::printf("fail %s\n", r.reason.toUtf8().constData());
    return r.ok ? 0 : 1;
}
