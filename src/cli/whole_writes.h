#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

class QFileDevice;

namespace tavrimo {

// Writes all of data to a file opened unbuffered, again after each write
// that fell short, until all went or the system refused: false then, with the
// system's reason in file.errorString(). QFile takes a short write (a full
// disk) for success, and its buffer later fails with no reason ("Unknown
// error").
bool WriteWhole(QFileDevice& file, const QByteArray& data);

// A buffer in front of a file opened unbuffered, for writers that make many
// small writes (QPdfWriter): each full buffer goes out through WriteWhole.
class WholeWriteBuffer final : public QIODevice {
public:
    explicit WholeWriteBuffer(QFileDevice& file);

    // Writes out what is buffered; false once the file refused a write.
    bool Drain();
    // The system's reason for the first refused write; empty while none was.
    QString Fault() const { return fault_; }

    bool isSequential() const override { return true; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override;

private:
    QFileDevice& file_;
    QByteArray pending_;
    QString fault_;
};

}  // namespace tavrimo
