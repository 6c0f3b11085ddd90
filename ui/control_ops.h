#pragma once
// Setting a control from the program raises no control event: every setter
// here blocks the control's signals while it changes it. Nor is a screen
// reader told of the new content unless the control has the keyboard (see
// ui/quiet_accessibility.h).

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSlider>
#include <QTextEdit>
#include <QTimeEdit>

#include "ui/quiet_accessibility.h"

namespace ctl {

inline void set_text(QLineEdit* edit, const QString& text)
{
    const QSignalBlocker block(edit);
    const QuietContent quiet(edit);
    edit->setText(text);
}

inline void set_checked(QAbstractButton* button, bool checked)
{
    const QSignalBlocker block(button);
    const QuietContent quiet(button);
    button->setChecked(checked);
}

// index -1 leaves no item selected.
inline void set_index(QComboBox* combo, int index)
{
    const QSignalBlocker block(combo);
    const QuietContent quiet(combo);
    combo->setCurrentIndex(index);
}

inline void set_value(QSlider* slider, int value)
{
    const QSignalBlocker block(slider);
    const QuietContent quiet(slider);
    slider->setValue(value);
}

inline void set_time(QTimeEdit* picker, const QTime& time)
{
    const QSignalBlocker block(picker);
    const QuietContent quiet(picker);
    picker->setTime(time);
}

} // namespace ctl
