#include "runtime/qt/qt_window_services.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>
#include <utility>

namespace tavrimo {
namespace {

QString FromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The messages carry what was typed, file names and the spooler's words,
// which QMessageBox would take for markup when they look like it.
void Show(QMessageBox& box)
{
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace

bool InstallJapaneseQtTexts()
{
    auto* texts = new QTranslator(QCoreApplication::instance());
    if (!texts->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete texts;
        return false;
    }
    return QCoreApplication::installTranslator(texts);
}

QtWindowServices::QtWindowServices(QString title) : title_(std::move(title)) {}

void QtWindowServices::ReportError(std::string_view message)
{
    // Over the window that was in use, so it stays in front of it.
    QMessageBox box(QMessageBox::Critical, title_, FromUtf8(message), QMessageBox::Ok,
                    QApplication::activeWindow());
    Show(box);
}

void QtWindowServices::ShowWarning(std::string_view caption, std::string_view text)
{
    // Without a parent the box is centred on the screen and modal to the
    // whole application.
    QMessageBox box(QMessageBox::Warning, FromUtf8(caption), FromUtf8(text), QMessageBox::Ok);
    Show(box);
}

void QtWindowServices::Beep()
{
    QApplication::beep();
}

}  // namespace tavrimo
