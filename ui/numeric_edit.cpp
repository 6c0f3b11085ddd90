#include "ui/numeric_edit.h"

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
    QLineEdit::focusOutEvent(event);
    emit focusChanged(false);
}

DisplayEdit::DisplayEdit(QWidget* parent) : NumericEdit(parent)
{
    setReadOnly(true);
}
