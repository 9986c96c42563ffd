#include "runtime/qt/job_files.h"

#include <QFileInfo>

namespace tavrimo {

QString JobFilePath(const QString& chosenPath, std::int32_t sheetNumber, bool answerSheet)
{
    const QString suffix = QFileInfo(chosenPath).suffix();
    const QString stem = suffix.isEmpty() ? chosenPath : chosenPath.chopped(suffix.size() + 1);
    const QString ending = QLatin1Char('.') + (suffix.isEmpty() ? QStringLiteral("pdf") : suffix);
    QString base = stem + QLatin1Char('-') + QString::number(sheetNumber);
    if (answerSheet) base += QStringLiteral("-解答");

    // A symbolic link takes its name too, even one that leads nowhere: the
    // sheet would go to wherever it points.
    const auto taken = [](const QString& name) {
        const QFileInfo file(name);
        return file.exists() || file.isSymLink();
    };
    QString path = base + ending;
    for (int copy = 2; taken(path); ++copy) {
        path = base + QStringLiteral(" (%1)").arg(copy) + ending;
    }
    return path;
}

}  // namespace tavrimo
