#include "bench/devsim_process.h"

namespace bench {

DevsimProcess::~DevsimProcess()
{
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.terminate(); // SIGTERM: the simulator removes its link and ends
    if (!process_.waitForFinished(3000)) {
        process_.kill();
        process_.waitForFinished(3000);
    }
}

bool DevsimProcess::start(const QString& program, const QString& com_name, const QString& folder,
                          const QStringList& extra)
{
    QStringList args = {QStringLiteral("--port"), com_name, QStringLiteral("--folder"), folder};
    args += extra;
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(program, args);
    if (!process_.waitForStarted(5000)) {
        why_ = program + QStringLiteral(" does not start: ") + process_.errorString();
        return false;
    }
    // The first line it prints names the port once it is published.
    while (!process_.canReadLine()) {
        if (!process_.waitForReadyRead(5000)) {
            why_ = program + QStringLiteral(" did not publish ") + com_name;
            return false;
        }
    }
    (void)process_.readAll();
    return true;
}

} // namespace bench
