#include "runtime/qt/cups_queue.h"

#include <cups/cups.h>

#include <memory>

namespace tavrimo {
namespace {

constexpr const char* kStopped = "5";  // IPP printer-state "stopped"

struct DestDeleter {
    void operator()(cups_dest_t* dest) const { cupsFreeDests(1, dest); }
};

// CUPS's reason for the last failure from this thread: in Japanese for the
// statuses a user meets, otherwise in CUPS's own words.
QString LastCupsReason()
{
    switch (cupsLastError()) {
        case IPP_STATUS_ERROR_NOT_FOUND:
        case IPP_STATUS_ERROR_GONE: return QStringLiteral("プリンタが見つかりません");
        case IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS: return QStringLiteral("ジョブを受け付けない設定です");
        case IPP_STATUS_ERROR_PRINTER_IS_DEACTIVATED: return QStringLiteral("停止しています");
        case IPP_STATUS_ERROR_FORBIDDEN:
        case IPP_STATUS_ERROR_NOT_AUTHENTICATED:
        case IPP_STATUS_ERROR_NOT_AUTHORIZED:
        case IPP_STATUS_ERROR_CUPS_AUTHENTICATION_CANCELED: return QStringLiteral("印刷する権限がありません");
        case IPP_STATUS_ERROR_SERVICE_UNAVAILABLE: return QStringLiteral("印刷スプーラに接続できません");
        case IPP_STATUS_ERROR_BUSY:
        case IPP_STATUS_ERROR_TOO_MANY_JOBS: return QStringLiteral("プリンタが混み合っています");
        case IPP_STATUS_ERROR_DOCUMENT_FORMAT_NOT_SUPPORTED:
            return QStringLiteral("この形式の文書は印刷できません");
        case IPP_STATUS_ERROR_REQUEST_ENTITY: return QStringLiteral("ジョブが大きすぎます");
        case IPP_STATUS_ERROR_ACCOUNT_LIMIT_REACHED:
        case IPP_STATUS_ERROR_CUPS_ACCOUNT_LIMIT_REACHED:
            return QStringLiteral("印刷できる枚数の上限に達しています");
        case IPP_STATUS_ERROR_INTERNAL: return QStringLiteral("印刷スプーラの内部エラーです");
        default: return QString::fromLocal8Bit(cupsLastErrorString());
    }
}

}  // namespace

QString QueueRefusal(const QString& printerName)
{
    // A name "queue/instance" names an instance of the queue.
    const QByteArray queue = printerName.section(QLatin1Char('/'), 0, 0).toLocal8Bit();
    const QByteArray instance = printerName.section(QLatin1Char('/'), 1).toLocal8Bit();
    const std::unique_ptr<cups_dest_t, DestDeleter> dest(cupsGetNamedDest(
        CUPS_HTTP_DEFAULT, queue.constData(), instance.isEmpty() ? nullptr : instance.constData()));
    if (dest == nullptr) return LastCupsReason();
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
    return LastCupsReason();
}

bool SpoolerAnswers()
{
    http_t* http =
        httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 5000, nullptr);
    if (http == nullptr) return false;
    httpClose(http);
    return true;
}

}  // namespace tavrimo
