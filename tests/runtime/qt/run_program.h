#pragma once

// Runs a program to its end, for the tests that read what poppler, CUPS or tavrimo-sheets say.
#include <QProcess>
#include <QString>
#include <QStringList>

namespace tavrimo::testing {

struct ProgramOutput {
    int code = -1;  // -1: it did not end by itself in time
    QString out, err;
};

inline ProgramOutput RunProgram(const QString& program, const QStringList& arguments, int timeoutMs = 60000)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs) || process.exitStatus() != QProcess::NormalExit) return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

}  // namespace tavrimo::testing
