#include "cli/whole_writes.h"

#include <QFileDevice>

namespace tavrimo {
namespace {

constexpr qsizetype kBufferBytes = 64 * 1024;

}  // namespace

bool WriteWhole(QFileDevice& file, const QByteArray& data)
{
    for (qint64 done = 0; done < data.size();) {
        const qint64 written = file.write(data.constData() + done, data.size() - done);
        if (written <= 0) return false;
        done += written;
    }
    return true;
}

WholeWriteBuffer::WholeWriteBuffer(QFileDevice& file) : file_(file)
{
    open(QIODevice::WriteOnly);
}

bool WholeWriteBuffer::Drain()
{
    if (!fault_.isEmpty()) return false;
    if (!WriteWhole(file_, pending_)) fault_ = file_.errorString();
    pending_.clear();
    return fault_.isEmpty();
}

qint64 WholeWriteBuffer::writeData(const char* data, qint64 size)
{
    if (!fault_.isEmpty()) return -1;
    pending_.append(data, size);
    if (pending_.size() >= kBufferBytes && !Drain()) return -1;
    return size;
}

}  // namespace tavrimo
