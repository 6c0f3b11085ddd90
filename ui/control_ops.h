#pragma once
// Setting a control from the program raises no control event: every setter
// here blocks the control's signals while it changes it.

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSlider>
#include <QTextEdit>
#include <QTimeEdit>

namespace ctl {

inline void set_text(QLineEdit* edit, const QString& text)
{
    const QSignalBlocker block(edit);
    edit->setText(text);
}

inline void set_checked(QAbstractButton* button, bool checked)
{
    const QSignalBlocker block(button);
    button->setChecked(checked);
}

// index -1 leaves no item selected.
inline void set_index(QComboBox* combo, int index)
{
    const QSignalBlocker block(combo);
    combo->setCurrentIndex(index);
}

inline void set_value(QSlider* slider, int value)
{
    const QSignalBlocker block(slider);
    slider->setValue(value);
}

inline void set_time(QTimeEdit* picker, const QTime& time)
{
    const QSignalBlocker block(picker);
    picker->setTime(time);
}

} // namespace ctl
