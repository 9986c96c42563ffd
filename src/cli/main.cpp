#include <unistd.h>

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QStringDecoder>
#include <QTextStream>
#include <cstdio>
#include <memory>

#include "cli/progress.h"
#include "cli/sheets_command.h"
#include "cli/stop_signals.h"
#include "runtime/qt/sheet_fonts.h"

namespace {

// The program speaks for itself on stderr; Qt's own notes (a missing
// XDG_RUNTIME_DIR, the offscreen platform's remarks) are no message to the
// user. A fatal error still ends the program with its message.
QtMessageHandler qtHandler = nullptr;

void KeepQtQuiet(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtFatalMsg && qtHandler != nullptr) qtHandler(type, context, message);
}

// The application the request needs, built after the arguments were read.
// It is given only the program's name: the arguments are read once, by the
// command's own parser, and never taken for Qt's options.
std::unique_ptr<QCoreApplication> MakeApplication(int& argc, char* argv[], bool fonts)
{
    if (!fonts) return std::make_unique<QCoreApplication>(argc, argv);
    // Drawing needs fonts and so a GUI application, but this program never
    // shows a window: no display is needed, whatever the environment names.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    auto app = std::make_unique<QGuiApplication>(argc, argv);
    tavrimo::InstallSheetFontSubstitutions();
    return app;
}

// The argument with each byte that is not part of UTF-8 shown as \xHH.
QString Escaped(const QByteArray& bytes)
{
    QString text;
    for (qsizetype i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const int length = lead < 0x80       ? 1
                           : lead >> 5 == 6  ? 2
                           : lead >> 4 == 14 ? 3
                           : lead >> 3 == 30 ? 4
                                             : 0;
        if (length > 0) {
            QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            const QString piece = utf8(bytes.mid(i, length));
            if (!utf8.hasError() && i + length <= bytes.size()) {
                text += piece;
                i += length;
                continue;
            }
        }
        text += QStringLiteral("\\x%1").arg(lead, 2, 16, QLatin1Char('0'));
        ++i;
    }
    return text;
}

// Qt names files in UTF-8, so an argument that is not UTF-8 (a file name in
// another encoding) would name another file: it is refused instead.
QString UndecodableArgument(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString decoded = utf8.decode(QByteArrayView(argv[i]));
        if (utf8.hasError())
            return QStringLiteral(
                       "引数 '%1' は UTF-8 の文字列ではありません（ファイル名などは UTF-8 "
                       "で指定してください）")
                .arg(Escaped(argv[i]));
    }
    return {};
}

}  // namespace

int main(int argc, char* argv[])
{
    qtHandler = qInstallMessageHandler(KeepQtQuiet);
    tavrimo::CatchStopSignals();

    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    tavrimo::ParsedArguments parsed = tavrimo::ReadSheetsArguments(arguments);
    if (const QString refused = UndecodableArgument(argc, argv); !refused.isEmpty()) parsed.error = refused;

    int appArgc = 1;
    const auto app = MakeApplication(appArgc, argv, parsed.error.isEmpty() && parsed.request.NeedsFonts());
    QCoreApplication::setApplicationName("tavrimo-sheets");

    QFile out;
    out.open(STDOUT_FILENO, QIODevice::WriteOnly, QFileDevice::DontCloseHandle);
    QTextStream err(stderr);
    const int code =
        tavrimo::RunSheetsCommand(parsed, {out, err, tavrimo::ShowsProgress(STDOUT_FILENO, STDERR_FILENO)});
    tavrimo::EndIfStopped();
    return code;
}
