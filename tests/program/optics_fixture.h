#pragma once
// The whole tool started with scripted seams, showing the "Оптика" tab, with
// the user's own actions on its controls sent as real key and mouse events.

#include "support/app_fixture.h"

class NumericEdit;
class QComboBox;
class QSlider;
class WarningPicture;

// Replaces the edit's text by typing: select all, erase, type text.
void type_into(NumericEdit* edit, const QString& text);
// Chooses the combo's item at position with the keyboard (Home, then Down).
void choose_item(QComboBox* combo, int position);
// Moves the slider with one key press (Right, Left, Home, End, ...).
void press_on(QSlider* slider, Qt::Key key);

class OpticsFixture : public AppFixture {
protected:
    void SetUp() override;

    zuzo::DeviceProgram& p() { return ctx().program; }
    // Clicks an option or a check box with the left mouse button.
    void click(QWidget* widget, Qt::MouseButton button = Qt::LeftButton);
    // The boxes shown since the last clear.
    const std::vector<ShownBox>& shown() { return boxes().shown; }
};
