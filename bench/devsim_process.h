#pragma once
// A zuzo-devsim process serving one COM name in a virtual port folder, for
// as long as this object lives.

#include <QProcess>
#include <QString>
#include <QStringList>

namespace bench {

class DevsimProcess {
public:
    DevsimProcess() = default;
    ~DevsimProcess();
    DevsimProcess(const DevsimProcess&) = delete;
    DevsimProcess& operator=(const DevsimProcess&) = delete;

    // Starts the program with --port, --folder and the extra arguments and
    // waits until it has published the port; false (with why()) otherwise.
    [[nodiscard]] bool start(const QString& program, const QString& com_name, const QString& folder,
                             const QStringList& extra);
    [[nodiscard]] const QString& why() const { return why_; }

private:
    QProcess process_;
    QString why_;
};

} // namespace bench
