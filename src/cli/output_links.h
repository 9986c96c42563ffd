#pragma once

#include <QString>

namespace tavrimo {

// A symbolic link at an output's name is followed, as the shell's ">" and
// cp follow it: the file it leads to is replaced, and the link stays. A link
// that leads nowhere is refused, as the file it would make could be in any
// folder.
struct FollowedName {
    QString path;   // the name, or the file its links lead to
    QString error;  // a message for the user when refused
};

FollowedName FollowLinks(const QString& path);

}  // namespace tavrimo
