#include "program/optics_fixture.h"

#include "ui/numeric_edit.h"

#include <QComboBox>
#include <QSlider>
#include <QTabWidget>
#include <QTest>

void type_into(NumericEdit* edit, const QString& text)
{
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

void choose_item(QComboBox* combo, int position)
{
    QTest::keyClick(combo, Qt::Key_Home);
    for (int k = 0; k < position; ++k)
        QTest::keyClick(combo, Qt::Key_Down);
}

void press_on(QSlider* slider, Qt::Key key)
{
    QTest::keyClick(slider, key);
}

void OpticsFixture::SetUp()
{
    AppFixture::SetUp();
    stop_timers();
    ui().MainPanel->setCurrentIndex(1);
    process_events();
    boxes().clear();
}

void OpticsFixture::click(QWidget* widget, Qt::MouseButton button)
{
    QTest::mouseClick(widget, button, Qt::NoModifier, widget->rect().center());
}
