#include "cli/output_links.h"

#include <QDir>
#include <QFileInfo>

namespace tavrimo {

FollowedName FollowLinks(const QString& path)
{
    const QFileInfo name(path);
    if (!name.isSymLink()) return {path, {}};
    // Empty when the chain ends nowhere or loops.
    const QString target = name.canonicalFilePath();
    if (target.isEmpty())
        return {{},
                QStringLiteral("ファイル %1 はリンク先のないシンボリックリンクです")
                    .arg(QDir::toNativeSeparators(path))};
    return {target, {}};
}

}  // namespace tavrimo
