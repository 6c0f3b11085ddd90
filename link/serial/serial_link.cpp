#include "link/serial/serial_link.h"

#include "link/core/exchange_io.h"
#include "link/core/port_names.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QLoggingCategory>

#include <utility>

// Every frame out and reply in, with timings; off unless asked for with
// QT_LOGGING_RULES="zuzo.link.trace=true".
Q_LOGGING_CATEGORY(lcLinkTrace, "zuzo.link.trace", QtWarningMsg)

SerialLink::SerialLink(std::string virtual_port_folder)
    : port_(zuzo::make_system_port()), folder_(std::move(virtual_port_folder))
{
}

SerialLink::~SerialLink()
{
    close_link();
}

bool SerialLink::open_link(const QString& port_name)
{
    close_link();
    const std::string path = zuzo::resolve_port(port_name.toStdString(), folder_);
    open_error_ = path.empty() ? zuzo::PortOpenError::Missing : port_->open(path);
    if (open_error_ != zuzo::PortOpenError::None)
        return false;
    held_ = true;
    fine_timer_.hold();
    qCDebug(lcLinkTrace) << "opened" << port_name << "as" << path.c_str();
    return true;
}

void SerialLink::close_link()
{
    if (port_->is_open())
        qCDebug(lcLinkTrace) << "closed";
    port_->close();
    held_ = false;
    fine_timer_.release();
}

bool SerialLink::is_open() const
{
    return held_ && port_->is_open();
}

zuzo::IoResult SerialLink::run_io(const std::string& frame)
{
    const std::size_t expected = std::exchange(expected_reply_, 0);
    if (!is_open())
        return {};
    QElapsedTimer timer;
    timer.start();
    qCDebug(lcLinkTrace).nospace() << "out " << QByteArray::fromStdString(frame);
    zuzo::IoResult result = zuzo::exchange_io(*port_, clock_, frame, expected);
    if (!port_->is_open())
        qCDebug(lcLinkTrace).nospace() << "device lost after " << timer.elapsed() << " ms";
    if (result.status == zuzo::IoStatus::Stalled)
        qCDebug(lcLinkTrace).nospace() << "stalled after " << timer.elapsed() << " ms";
    else
        qCDebug(lcLinkTrace).nospace()
            << "in  " << QByteArray::fromStdString(result.reply) << " after " << timer.elapsed() << " ms"
            << (result.reply.ends_with("#\r") ? "" : " (incomplete)");
    return result;
}
