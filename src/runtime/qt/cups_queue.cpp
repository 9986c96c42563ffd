#include "runtime/qt/cups_queue.h"

#include <cups/cups.h>

#include <memory>

namespace tavrimo {
namespace {

constexpr const char* kStopped = "5";  // IPP printer-state "stopped"

struct DestDeleter {
    void operator()(cups_dest_t* dest) const { cupsFreeDests(1, dest); }
};

}  // namespace

QString QueueRefusal(const QString& printerName)
{
    // A name "queue/instance" names an instance of the queue.
    const QByteArray queue = printerName.section(QLatin1Char('/'), 0, 0).toLocal8Bit();
    const QByteArray instance = printerName.section(QLatin1Char('/'), 1).toLocal8Bit();
    const std::unique_ptr<cups_dest_t, DestDeleter> dest(cupsGetNamedDest(
        CUPS_HTTP_DEFAULT, queue.constData(), instance.isEmpty() ? nullptr : instance.constData()));
    if (dest == nullptr) return QString::fromLocal8Bit(cupsLastErrorString());
    const auto option = [&](const char* name) {
        return QByteArray(cupsGetOption(name, dest->num_options, dest->options));
    };
    if (option("printer-is-accepting-jobs") == "false") return QStringLiteral("ジョブを受け付けない設定です");
    if (option("printer-state") == kStopped) return QStringLiteral("停止しています");
    return {};
}

QString LastSubmissionError()
{
    if (cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE) return {};
    return QString::fromLocal8Bit(cupsLastErrorString());
}

}  // namespace tavrimo
