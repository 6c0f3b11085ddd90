#pragma once
// A one-line edit that accepts digits only (and an empty text) when typed, and
// reports gaining and losing the keyboard focus besides its changes.

#include <QLineEdit>

class NumericEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit NumericEdit(QWidget* parent = nullptr);

signals:
    // Raised when the edit gains (true) or loses (false) the keyboard focus.
    void focusChanged(bool gained);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

// A numeric edit that only the program writes (a date on show): the keyboard
// may select and copy its text, never change it, and a screen reader hears a
// read-only text rather than an editable one.
class DisplayEdit : public NumericEdit {
    Q_OBJECT
public:
    explicit DisplayEdit(QWidget* parent = nullptr);
};
