#pragma once
// Qt texts in test failure messages as readable UTF-8, not as code units.

#include <QString>

#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}
