#include "link/link_fixture.h"

#include "app/link_controller.h"

#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

void LinkFixture::SetUp()
{
    ASSERT_TRUE(sim.start("COM1"));
    AppFixture::SetUp();
    stop_timers();
    boxes().clear();
}

QStringList LinkFixture::log_lines()
{
    const QString text = ui().StatusLog->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

void LinkFixture::choose_port(const QString& name)
{
    ui().PortCombo->setCurrentText(name);
}

bool LinkFixture::connect_device()
{
    choose_port(QStringLiteral("COM1"));
    click(ui().ConnectButton);
    return app().link().link_is_open();
}

std::vector<int> LinkFixture::received_codes()
{
    std::vector<int> codes;
    for (const zuzo::sim::Received& r : sim.device().received())
        codes.push_back(r.frame.code);
    return codes;
}

void LinkFixture::click(QWidget* widget)
{
    QTest::mouseClick(widget, Qt::LeftButton);
}
