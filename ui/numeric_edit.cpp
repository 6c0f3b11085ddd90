#include "ui/numeric_edit.h"

#include "ui/quiet_accessibility.h"

#include <QRegularExpressionValidator>

NumericEdit::NumericEdit(QWidget* parent) : QLineEdit(parent)
{
    // Only typing is restricted; the program may set any text (a negative
    // volume read from a file is shown with its sign).
    setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
}

void NumericEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    emit focusChanged(true);
}

void NumericEdit::focusOutEvent(QFocusEvent* event)
{
    // The selection it drops as the keyboard leaves is not read out ("no
    // text selected") over what the next control says.
    const QuietContent quiet(this);
    QLineEdit::focusOutEvent(event);
    emit focusChanged(false);
}

DisplayEdit::DisplayEdit(QWidget* parent) : NumericEdit(parent)
{
    setReadOnly(true);
}
