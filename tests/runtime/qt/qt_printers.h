#pragma once

#include <QString>
#include <ostream>

// Readable Qt strings in test messages; string lists print element by element.
inline std::ostream& operator<<(std::ostream& os, const QString& text)
{
    return os << '"' << text.toStdString() << '"';
}
