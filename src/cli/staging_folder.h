#pragma once

#include <QString>
#include <QTemporaryDir>
#include <optional>

namespace tavrimo {

// An flock(2) on a folder, held while it lives. It orders this program's
// runs that write into one folder, in one process or in several, and dies
// with the process that holds it.
class FolderLock {
public:
    enum class Wait { Yes, No };
    FolderLock(const QString& folder, Wait wait);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // False also where the file system has no such locks.
    bool held() const { return held_; }

private:
    int fd_ = -1;
    bool held_ = false;
};

// The hidden folder (.tavrimo-XXXXXX) beside a target where a run keeps its
// pages until they go into place, removed with the object. It stays locked
// while it lives, so that one that no running process holds is known to be
// left over (from a run killed outright) and is removed by the next run that
// makes its own in the same folder.
class StagingFolder {
public:
    explicit StagingFolder(const QString& targetFolder);

    bool isValid() const { return folder_ && folder_->isValid(); }
    QString errorString() const { return folder_->errorString(); }
    QString filePath(const QString& name) const { return folder_->filePath(name); }

private:
    // Released only after the folder is gone: declared first, destroyed last.
    std::optional<FolderLock> lock_;
    std::optional<QTemporaryDir> folder_;
};

}  // namespace tavrimo
