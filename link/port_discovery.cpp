#include "link/port_discovery.h"

#include "link/core/port_list.h"
#include "link/status_log.h"

#include <QString>

#include <algorithm>

PortDiscovery::PortDiscovery(zuzo::PortLister* ports, StatusLog* log) : ports_(ports), log_(log) {}

void PortDiscovery::report(const std::string& key, const std::string& com_name)
{
    if (!log_)
        return;
    const std::string device = key.substr(0, key.find(' '));
    log_->log_status(QStringLiteral("Обнаружено новое "), LOG_STAMPED);
    log_->log_status(QStringLiteral("соединение ") + QString::fromStdString(device), LOG_PLAIN);
    log_->log_status(QStringLiteral("Порт  : ") + QString::fromStdString(com_name), LOG_PLAIN);
    log_->log_status(QString(35, QLatin1Char('-')), LOG_PLAIN);
}

void PortDiscovery::scan()
{
    if (!ports_)
        return;
    const std::optional<std::vector<zuzo::PortEntry>> listed = ports_->list();
    if (!listed)
        return;
    std::vector<std::string> found;
    for (const zuzo::PortEntry& entry : *listed) {
        if (entry.device_path.empty())
            break; // an entry without a device ends the list
        const std::string key = zuzo::port_key(entry);
        if (key.empty())
            continue;
        found.push_back(key);
        const bool seen = std::find(known_.begin(), known_.end(), key) != known_.end();
        if (!seen && !known_.empty())
            report(key, entry.com_name);
    }
    known_ = std::move(found);
}
