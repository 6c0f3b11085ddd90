// zuzo_bench: measures the serial link against a paced zuzo-devsim, the
// whole tool connected and idle, and the program file core; prints a table.
//
// usage: zuzo_bench [--devsim PATH] [--exchanges N] [--idle-seconds N] [--files N]
//                   [--only link|idle|ptm]
// Speed is reported, never asserted: the exit code is 0 unless a measure
// could not be run at all.

#include "bench/idle_bench.h"
#include "bench/link_bench.h"
#include "bench/measure.h"
#include "bench/ptm_bench.h"
#include "link/core/port_names.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

bool number_arg(const char* text, int& out)
{
    char* end = nullptr;
    const long v = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || v <= 0 || v > 10000000)
        return false;
    out = static_cast<int>(v);
    return true;
}

int usage()
{
    std::fputs("usage: zuzo_bench [--devsim PATH] [--exchanges N] [--idle-seconds N] [--files N] "
               "[--only link|idle|ptm]\n",
               stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // The simulators publish their ports in a folder of this run only.
    QTemporaryDir runtime;
    if (!runtime.isValid())
        return 1;
    ::setenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit().constData(), 1);
    QApplication qt(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);

    QString devsim = QDir(QCoreApplication::applicationDirPath()).filePath("zuzo-devsim");
    int exchanges = 200;
    int idle_seconds = 30;
    int files = 20000;
    std::string only;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const bool has = i + 1 < argc;
        if (arg == "--devsim" && has)
            devsim = QString::fromLocal8Bit(argv[++i]);
        else if (arg == "--exchanges" && has && number_arg(argv[i + 1], exchanges))
            ++i;
        else if (arg == "--idle-seconds" && has && number_arg(argv[i + 1], idle_seconds))
            ++i;
        else if (arg == "--files" && has && number_arg(argv[i + 1], files))
            ++i;
        else if (arg == "--only" && has)
            only = argv[++i];
        else
            return usage();
    }
    if (!QFileInfo(devsim).isExecutable()) {
        std::fprintf(stderr, "zuzo_bench: no zuzo-devsim at %s (give --devsim PATH)\n",
                     devsim.toLocal8Bit().data());
        return 2;
    }
    const QString folder = QString::fromStdString(zuzo::virtual_port_folder());
    QDir().mkpath(folder);
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    std::vector<bench::Row> rows;
    bool ran = true;
    if (only.empty() || only == "link")
        ran &= bench::run_link_bench({devsim, folder, exchanges}, rows);
    if (only.empty() || only == "idle")
        ran &= bench::run_idle_bench({devsim, folder, idle_seconds}, rows);
    if (only.empty() || only == "ptm")
        bench::run_ptm_bench(files, rows);
    std::fputs(bench::table(rows).c_str(), stdout);
    return ran ? 0 : 1;
}
