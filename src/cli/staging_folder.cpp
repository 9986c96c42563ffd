#include "cli/staging_folder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <cerrno>

namespace tavrimo {
namespace {

const QString kPrefix = QStringLiteral(".tavrimo-");

// Removes the staging folders in folder that no running process holds.
// Called with folder locked, so none is being made meanwhile.
void RemoveLeftOvers(const QString& folder)
{
    static const QRegularExpression ours(QStringLiteral("^\\.tavrimo-[A-Za-z0-9]{6}$"));
    const QFileInfoList found = QDir(folder).entryInfoList(
        {kPrefix + '*'}, QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot | QDir::NoSymLinks);
    for (const QFileInfo& entry : found) {
        if (!ours.match(entry.fileName()).hasMatch()) continue;
        const FolderLock lock(entry.filePath(), FolderLock::Wait::No);
        if (lock.held()) QDir(entry.filePath()).removeRecursively();
    }
}

}  // namespace

FolderLock::FolderLock(const QString& folder, Wait wait)
    : fd_(open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
{
    if (fd_ < 0) return;
    const int operation = wait == Wait::Yes ? LOCK_EX : LOCK_EX | LOCK_NB;
    int result;
    do {
        result = flock(fd_, operation);
    } while (result != 0 && errno == EINTR);
    held_ = result == 0;
}

FolderLock::~FolderLock()
{
    if (fd_ >= 0) close(fd_);  // releases the lock
}

StagingFolder::StagingFolder(const QString& targetFolder)
{
    const FolderLock target(targetFolder, FolderLock::Wait::Yes);
    RemoveLeftOvers(targetFolder);
    folder_.emplace(targetFolder + '/' + kPrefix + QStringLiteral("XXXXXX"));
    if (folder_->isValid()) lock_.emplace(folder_->path(), FolderLock::Wait::No);
}

}  // namespace tavrimo
