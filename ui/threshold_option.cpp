#include "ui/threshold_option.h"

ThresholdOption::ThresholdOption(const QString& caption, QWidget* parent) : QRadioButton(caption, parent)
{
    setAutoExclusive(false);
}
