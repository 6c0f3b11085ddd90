#pragma once
// DarkThresholdOption and LightThresholdOption: radio buttons that exclude
// each other through their handlers, not through Qt, so that a program read
// can show any combination the device holds. A class of their own lets a
// screen reader still hear them as radio buttons.

#include <QRadioButton>

class ThresholdOption : public QRadioButton {
    Q_OBJECT
public:
    ThresholdOption(const QString& caption, QWidget* parent);
};
