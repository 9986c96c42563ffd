#include "runtime/sheet_printer.h"

#include <string>

namespace tavrimo {

std::string_view PrinterFaultMessage(PrinterFault fault)
{
    switch (fault) {
        case PrinterFault::None: break;
        case PrinterFault::NoDefaultPrinter: return "デフォルト プリンタが存在しません";
        case PrinterFault::SpoolerUnreachable: return "印刷スプーラ（CUPS）に接続できません";
        case PrinterFault::UnsupportedFeature: return "選択されたプリンタではサポートされていない機能です";
        case PrinterFault::AlreadyPrinting: return "現在印刷中です";
        case PrinterFault::NotReady: return "プリンタに印刷できる状態ではありません";
        case PrinterFault::Refused: return "プリンタが印刷を受け付けません";
        case PrinterFault::FileNotWritten: return "ファイルを書き込めません";
        case PrinterFault::FolderMissing: return "保存先のフォルダがありません";
    }
    return {};
}

std::string PrinterFaultMessage(PrinterFault fault, const PrinterFaultDetail& detail)
{
    const std::string& target = detail.target;
    const std::string reason = detail.reason.empty() ? std::string() : "（" + detail.reason + "）";
    if (target.empty()) return std::string(PrinterFaultMessage(fault)) + reason;
    switch (fault) {
        case PrinterFault::Refused: return "プリンタ「" + target + "」が印刷を受け付けません" + reason;
        case PrinterFault::FileNotWritten: return "ファイル " + target + " を書き込めません" + reason;
        case PrinterFault::FolderMissing: return "保存先のフォルダ " + target + " がありません" + reason;
        default: return std::string(PrinterFaultMessage(fault));
    }
}

}  // namespace tavrimo
