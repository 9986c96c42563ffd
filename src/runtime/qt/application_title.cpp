#include "runtime/qt/application_title.h"

namespace tavrimo {

QString ApplicationTitle(const QString& programPath)
{
    QString name = programPath.mid(programPath.lastIndexOf(QLatin1Char('/')) + 1);
    if (const qsizetype dot = name.indexOf(QLatin1Char('.')); dot >= 0) name.truncate(dot);
    if (name.isEmpty()) return name;
    // A letter outside the BMP is two UTF-16 units and must not be split.
    const qsizetype first = name.at(0).isHighSurrogate() && name.size() > 1 ? 2 : 1;
    return name.left(first) + name.mid(first).toLower();  // the first letter stays as it is
}

}  // namespace tavrimo
