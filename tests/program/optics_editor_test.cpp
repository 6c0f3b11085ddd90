// The "Оптика" tab on real widgets: refresh, handlers and enabling.

#include "program/optics_editor.h"
#include "program/optics_fixture.h"
#include "ui/numeric_edit.h"
#include "ui/warning_picture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

namespace {

using zuzo::BrightnessSet;

class OpticsEditorTest : public OpticsFixture {
protected:
    NumericEdit* edit(int c) { return ui().ChannelEdit[static_cast<std::size_t>(c)]; }
    QSlider* slider(int c) { return ui().ChannelSlider[static_cast<std::size_t>(c)]; }
    WarningPicture* warning(int c) { return ui().ChannelWarning[static_cast<std::size_t>(c)]; }

    void expect_shows(const BrightnessSet& set)
    {
        for (int c = 1; c <= zuzo::kChannels; ++c) {
            SCOPED_TRACE(c);
            EXPECT_EQ(slider(c)->value(), std::min(set.channel(c), 100));
            EXPECT_EQ(edit(c)->text().toInt(), set.channel(c));
        }
    }

    void sensor_on_dark()
    {
        choose_item(ui().OpticalSensorCombo, 1);
        ASSERT_EQ(p().optical_sensor_on, 1);
    }
};

TEST_F(OpticsEditorTest, StartShowsTheSensorOffSetWithOptionsLocked)
{
    EXPECT_EQ(ui().OpticalSensorCombo->currentIndex(), 0);
    expect_shows(p().sensor_off_brightness);
    EXPECT_EQ(ui().MinModuleBrightnessEdit->text(), "50");
    EXPECT_EQ(ui().MinIndicatorBrightnessEdit->text(), "50");
    EXPECT_EQ(ui().DarkThresholdEdit->text(), "200");
    EXPECT_EQ(ui().LightThresholdEdit->text(), "2000");
    EXPECT_FALSE(ui().MinModuleBrightnessEdit->isEnabled());
    EXPECT_FALSE(ui().MinIndicatorBrightnessEdit->isEnabled());
    EXPECT_FALSE(ui().DarkThresholdOption->isEnabled());
    EXPECT_FALSE(ui().LightThresholdOption->isEnabled());
    EXPECT_FALSE(ui().DarkThresholdEdit->isEnabled());
    EXPECT_FALSE(ui().LightThresholdEdit->isEnabled());
    EXPECT_TRUE(ui().DarkThresholdOption->isChecked());
    for (int c = 1; c <= zuzo::kChannels; ++c) {
        EXPECT_TRUE(warning(c)->isHidden());
        EXPECT_EQ(warning(c)->userData(), 0);
    }
    EXPECT_TRUE(ui().LuxThresholdWarning->isHidden());
}

TEST_F(OpticsEditorTest, Typing150LeavesFifteenEverywhere)
{
    type_into(edit(1), "150");
    EXPECT_EQ(edit(1)->text(), "15");
    EXPECT_EQ(slider(1)->value(), 15);
    EXPECT_EQ(p().sensor_off_brightness.module_red, 15);
    EXPECT_EQ(p().evening_brightness.module_red, 50);
    EXPECT_EQ(p().day_brightness.module_red, 100);
    // 15 below the minimum 50 with the sensor off.
    EXPECT_FALSE(warning(1)->isHidden());
    EXPECT_EQ(warning(1)->userData(), 4);
}

struct Typed {
    QString typed;
    QString kept;
};

class ChannelCut : public OpticsEditorTest, public ::testing::WithParamInterface<Typed> {};

TEST_P(ChannelCut, KeepsTwoCharactersAboveOneHundred)
{
    for (int c = 1; c <= zuzo::kChannels; ++c) {
        SCOPED_TRACE(c);
        type_into(edit(c), GetParam().typed);
        EXPECT_EQ(edit(c)->text(), GetParam().kept);
        EXPECT_EQ(slider(c)->value(), GetParam().kept.toInt());
        EXPECT_EQ(p().sensor_off_brightness.channel(c), GetParam().kept.toInt());
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, ChannelCut,
                         ::testing::Values(Typed{"100", "100"}, Typed{"101", "10"}, Typed{"999", "99"},
                                           Typed{"75", "75"}, Typed{"0", "0"}, Typed{"007", "007"}));

TEST_F(OpticsEditorTest, ClearingAChannelStoresZeroAndFlags)
{
    type_into(edit(4), "");
    EXPECT_EQ(edit(4)->text(), "");
    EXPECT_EQ(slider(4)->value(), 0);
    EXPECT_EQ(p().sensor_off_brightness.indicator_red, 0);
    EXPECT_EQ(warning(4)->userData(), 4);
    EXPECT_FALSE(warning(4)->isHidden());
    EXPECT_TRUE(warning(3)->isHidden());
}

TEST_F(OpticsEditorTest, SliderSetsItsEditAndStores)
{
    press_on(slider(2), Qt::Key_Left);
    EXPECT_EQ(slider(2)->value(), 99);
    EXPECT_EQ(edit(2)->text(), "99");
    EXPECT_EQ(p().sensor_off_brightness.module_green, 99);
    press_on(slider(2), Qt::Key_Home);
    EXPECT_EQ(edit(2)->text(), "0");
    EXPECT_EQ(p().sensor_off_brightness.module_green, 0);
    EXPECT_EQ(warning(2)->userData(), 4);
}

TEST_F(OpticsEditorTest, SliderInEveningModeChangesOnlyTheEveningSet)
{
    sensor_on_dark();
    const BrightnessSet off = p().sensor_off_brightness;
    const BrightnessSet day = p().day_brightness;
    press_on(slider(3), Qt::Key_Right);
    EXPECT_EQ(p().evening_brightness.module_yellow, 51);
    EXPECT_EQ(edit(3)->text(), "51");
    EXPECT_EQ(p().sensor_off_brightness, off);
    EXPECT_EQ(p().day_brightness, day);
}

TEST_F(OpticsEditorTest, SensorComboAndOptionsSwapSetsAndEnabling)
{
    p().evening_brightness = {41, 42, 43, 44, 45};
    p().day_brightness = {61, 62, 63, 64, 65};
    p().sensor_off_brightness = {81, 82, 83, 84, 85};
    sensor_on_dark();
    expect_shows(p().evening_brightness);
    EXPECT_TRUE(ui().DarkThresholdOption->isEnabled());
    EXPECT_TRUE(ui().LightThresholdOption->isEnabled());
    EXPECT_TRUE(ui().DarkThresholdEdit->isEnabled());
    EXPECT_FALSE(ui().LightThresholdEdit->isEnabled());

    click(ui().LightThresholdOption);
    EXPECT_TRUE(ui().LightThresholdOption->isChecked());
    EXPECT_FALSE(ui().DarkThresholdOption->isChecked());
    expect_shows(p().day_brightness);
    EXPECT_FALSE(ui().DarkThresholdEdit->isEnabled());
    EXPECT_TRUE(ui().LightThresholdEdit->isEnabled());

    choose_item(ui().OpticalSensorCombo, 0);
    EXPECT_EQ(p().optical_sensor_on, 0);
    expect_shows(p().sensor_off_brightness);
    EXPECT_FALSE(ui().DarkThresholdOption->isEnabled());
    EXPECT_FALSE(ui().LightThresholdOption->isEnabled());
    EXPECT_FALSE(ui().DarkThresholdEdit->isEnabled());
    EXPECT_FALSE(ui().LightThresholdEdit->isEnabled());
    // The option choice waits for the next switch.
    EXPECT_TRUE(ui().LightThresholdOption->isChecked());
    choose_item(ui().OpticalSensorCombo, 1);
    expect_shows(p().day_brightness);
}

TEST_F(OpticsEditorTest, ClickingTheChosenOptionKeepsItChosen)
{
    sensor_on_dark();
    click(ui().DarkThresholdOption);
    EXPECT_TRUE(ui().DarkThresholdOption->isChecked());
    EXPECT_FALSE(ui().LightThresholdOption->isChecked());
    expect_shows(p().evening_brightness);
}

TEST_F(OpticsEditorTest, UserSettingsCheckEnablesTheMinimumEdits)
{
    click(ui().UserSettingsCheck);
    EXPECT_TRUE(ui().MinModuleBrightnessEdit->isEnabled());
    EXPECT_TRUE(ui().MinIndicatorBrightnessEdit->isEnabled());
    type_into(ui().MinModuleBrightnessEdit, "40");
    click(ui().UserSettingsCheck);
    EXPECT_FALSE(ui().MinModuleBrightnessEdit->isEnabled());
    EXPECT_FALSE(ui().MinIndicatorBrightnessEdit->isEnabled());
    EXPECT_EQ(ui().MinModuleBrightnessEdit->text(), "40");
    EXPECT_EQ(p().module_min_brightness, 40);
}

TEST_F(OpticsEditorTest, MinimumEditCutsAndFlagsTheGroup)
{
    click(ui().UserSettingsCheck);
    type_into(ui().MinModuleBrightnessEdit, "600");
    EXPECT_EQ(ui().MinModuleBrightnessEdit->text(), "60");
    EXPECT_EQ(p().module_min_brightness, 60);
    // The evening values 50 are now too low on the module channels only.
    for (int c = 1; c <= 3; ++c)
        EXPECT_EQ(warning(c)->userData(), 3) << c;
    EXPECT_EQ(warning(4)->userData(), 0);
    EXPECT_EQ(warning(5)->userData(), 0);
    type_into(ui().MinIndicatorBrightnessEdit, "101");
    EXPECT_EQ(ui().MinIndicatorBrightnessEdit->text(), "10");
    EXPECT_EQ(p().indicator_min_brightness, 10);
}

TEST_F(OpticsEditorTest, ThresholdEditsCutAboveTwelveThousand)
{
    sensor_on_dark();
    type_into(ui().DarkThresholdEdit, "12001");
    EXPECT_EQ(ui().DarkThresholdEdit->text(), "120");
    EXPECT_EQ(p().evening_lux_threshold, 120);
    type_into(ui().DarkThresholdEdit, "12000");
    EXPECT_EQ(p().evening_lux_threshold, 12000);
    EXPECT_EQ(ui().LuxThresholdWarning->userData(), 5);
    EXPECT_FALSE(ui().LuxThresholdWarning->isHidden());
    type_into(ui().DarkThresholdEdit, "");
    EXPECT_EQ(p().evening_lux_threshold, 0);
    EXPECT_EQ(ui().LuxThresholdWarning->userData(), 6);
    click(ui().LightThresholdOption);
    type_into(ui().LightThresholdEdit, "99999");
    EXPECT_EQ(ui().LightThresholdEdit->text(), "999");
    EXPECT_EQ(p().day_lux_threshold, 999);
}

TEST_F(OpticsEditorTest, FactoryResetAnsweredNoChangesNothing)
{
    sensor_on_dark();
    type_into(edit(1), "30");
    const zuzo::DeviceProgram before = p();
    boxes().answers = {MsgAnswer::No};
    click(ui().FactoryResetButton);
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].title, "Внимание!");
    EXPECT_EQ(shown()[0].text,
              "Все настройки, на вкладке оптика, будут\nсброшены к настройкам по умолчанию\nВыполнить?");
    EXPECT_EQ(shown()[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(shown()[0].icon, MsgIcon::Question);
    EXPECT_EQ(p(), before);
    EXPECT_EQ(ui().OpticalSensorCombo->currentIndex(), 1);
}

TEST_F(OpticsEditorTest, FactoryResetAnsweredYesRestoresTheDefaults)
{
    click(ui().UserSettingsCheck);
    sensor_on_dark();
    click(ui().LightThresholdOption);
    type_into(edit(1), "30");
    type_into(ui().MinIndicatorBrightnessEdit, "90");
    boxes().answers = {MsgAnswer::Yes};
    click(ui().FactoryResetButton);
    zuzo::DeviceProgram defaults;
    EXPECT_EQ(p(), defaults);
    EXPECT_EQ(ui().OpticalSensorCombo->currentIndex(), 0);
    expect_shows(defaults.sensor_off_brightness);
    EXPECT_EQ(ui().MinIndicatorBrightnessEdit->text(), "50");
    // Display state stays: the option choice and the user-settings check.
    EXPECT_TRUE(ui().LightThresholdOption->isChecked());
    EXPECT_TRUE(ui().UserSettingsCheck->isChecked());
    for (int c = 1; c <= zuzo::kChannels; ++c)
        EXPECT_EQ(warning(c)->userData(), 0);
}

TEST_F(OpticsEditorTest, ValueAboveOneHundredFromAFileIsShownAsItIs)
{
    p().sensor_off_brightness.module_red = 150;
    ctx().rebuild_after_replacement();
    EXPECT_EQ(slider(1)->value(), 100);
    EXPECT_EQ(edit(1)->text(), "150");
    EXPECT_EQ(p().sensor_off_brightness.module_red, 150);
}

TEST_F(OpticsEditorTest, FocusChangesReachTheEditHandler)
{
    p().sensor_off_brightness.module_red = 150;
    ctx().rebuild_after_replacement();
    ASSERT_TRUE(activate_main_window());
    edit(1)->setFocus();
    process_events();
    ASSERT_TRUE(edit(1)->hasFocus());
    // Gaining the focus runs the handler, which applies the cut.
    EXPECT_EQ(edit(1)->text(), "15");
    EXPECT_EQ(p().sensor_off_brightness.module_red, 15);
}

TEST_F(OpticsEditorTest, UnknownSensorValueLeavesModeZero)
{
    type_into(edit(2), "77");
    p().optical_sensor_on = 7;
    const zuzo::DeviceProgram before = p();
    ctx().rebuild_after_replacement();
    EXPECT_EQ(ui().OpticalSensorCombo->currentIndex(), -1);
    EXPECT_EQ(app().optics().current_mode(), zuzo::EditMode::None);
    EXPECT_EQ(slider(2)->value(), 77);
    type_into(edit(2), "33");
    press_on(slider(3), Qt::Key_Left);
    EXPECT_EQ(slider(2)->value(), 33);
    EXPECT_EQ(p(), before);
}

} // namespace
