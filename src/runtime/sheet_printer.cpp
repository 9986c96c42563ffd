#include "runtime/sheet_printer.h"

namespace tavrimo {

std::string_view PrinterFaultMessage(PrinterFault fault)
{
    switch (fault) {
        case PrinterFault::None: break;
        case PrinterFault::NoDefaultPrinter: return "デフォルト プリンタが存在しません";
        case PrinterFault::UnsupportedFeature: return "選択されたプリンタではサポートされていない機能です";
        case PrinterFault::AlreadyPrinting: return "現在印刷中です";
        case PrinterFault::NotReady: return "プリンタに印刷できる状態ではありません";
    }
    return {};
}

}  // namespace tavrimo
