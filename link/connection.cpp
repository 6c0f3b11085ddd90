#include "link/connection.h"

#include "link/core/exchange.h"
#include "link/core/status_reply.h"
#include "link/date_display.h"
#include "link/link_host.h"
#include "link/serial/serial_link.h"
#include "link/status_log.h"
#include "ui/pending_input.h"
#include "ui/seams.h"

#include <optional>

using zuzo::ExchangeResult;

Connection::Connection(SerialLink& link, zuzo::FaultPrompt& prompt, const LinkHost& host, QObject* parent)
    : QObject(parent), link_(link), prompt_(prompt), host_(host)
{
}

void Connection::log(const QString& text, int mode)
{
    emit logged(text, mode);
}

void Connection::connect_device()
{
    log(QString(), LOG_CLEAR);
    log(QStringLiteral("Ждите!!!"), LOG_PLAIN);
    // Let the note show before the port is opened; no event is handled here.
    emit waiting();
    // Clicks and keys that queued up while the window was blocked (the
    // previous connect among them) start nothing.
    (void)drop_pending_input(host_.busy);

    const QString port = host_.shown_port();
    const bool opened = link_.open_link(port);
    log(QString(), LOG_CLEAR);
    if (!opened) {
        log(QStringLiteral(" Ошибка отрытия ") + port, LOG_STAMPED);
        return;
    }
    log(port + QStringLiteral(" Порт открыт"), LOG_STAMPED);

    zuzo::ReplyBytes status;
    const zuzo::AttemptOutcome outcome = zuzo::run_attempts(
        [&] { return zuzo::read_exchange(link_, prompt_, status, zuzo::CMD_STATUS, 0, 0); });
    if (outcome.result != ExchangeResult::EXCHANGE_DONE) {
        log(QStringLiteral("Устройство не отвечает"), LOG_PLAIN);
        log(QStringLiteral("Связь разорвана"), LOG_PLAIN);
        link_.close_link();
        return;
    }
    if (!zuzo::status_identity(status).supported()) {
        log(QStringLiteral("Данное уст. не поддерживается"), LOG_PLAIN);
        log(QStringLiteral("Связь разорвана"), LOG_PLAIN);
        link_.close_link();
        return;
    }
    log(QStringLiteral("Устройство готово"), LOG_PLAIN);
    const zuzo::SensorState sensor = zuzo::status_sensor(status);
    if (sensor.on) {
        log(QStringLiteral("Оптический датчик вкл."), LOG_PLAIN);
        log(QStringLiteral("Освещенность %1 Lux").arg(sensor.illuminance_lux), LOG_PLAIN);
    } else {
        log(QStringLiteral("Оптический датчик выкл."), LOG_PLAIN);
    }
}

void Connection::disconnect_device()
{
    if (!link_.link_is_open())
        return;
    log(QStringLiteral(" Порт закрыт"), LOG_STAMPED);
    link_.close_link();
}

void Connection::clock_display()
{
    emit systemDateShown(date_display(host_.clock.now()));
}

void Connection::supervision()
{
    if (!link_.link_is_open())
        return;
    zuzo::ReplyBytes status;
    const zuzo::AttemptOutcome outcome = zuzo::run_attempts(
        [&] { return zuzo::read_exchange(link_, prompt_, status, zuzo::CMD_STATUS, 0, 0); });
    MessageBoxes& boxes = host_.boxes;
    QWidget* parent = host_.box_parent;
    switch (outcome.result) {
    case ExchangeResult::EXCHANGE_BROKEN:
    case ExchangeResult::EXCHANGE_STALLED: {
        log(QStringLiteral(" Авария, закрыт  ") + host_.shown_port(), LOG_STAMPED);
        const QString text = outcome.result == ExchangeResult::EXCHANGE_BROKEN
                                 ? QStringLiteral("Самопроизвольно закрылся порт")
                                 : QStringLiteral("При обмене возникла ошибка.\nПорт принудительно закрыт.");
        (void)boxes.show(parent, QStringLiteral("Ошибка"), text, MsgButtons::Ok, MsgIcon::Error);
        link_.close_link();
        break;
    }
    case ExchangeResult::EXCHANGE_FAILED: {
        (void)boxes.show(parent, QStringLiteral("Ошибка"), QStringLiteral("Устройство не отвечает."),
                         MsgButtons::Ok, MsgIcon::Error);
        const MsgAnswer answer = boxes.show(parent, QStringLiteral("Внимание!"),
                                            QStringLiteral("Устройство не отвечает\nРазорвать связь?"),
                                            MsgButtons::YesNo, MsgIcon::Error);
        if (answer == MsgAnswer::Yes) {
            log(QStringLiteral(" Устройство не отвечает. Закрыт  ") + host_.shown_port(), LOG_STAMPED);
            link_.close_link();
        }
        break;
    }
    case ExchangeResult::EXCHANGE_DONE:
        if (const std::optional<zuzo::DeviceClock> clock = zuzo::status_clock(status))
            emit deviceDateShown(device_clock_display(*clock));
        break;
    }
}
