// Runs Qt-based GoogleTest executables without a display: fonts and images need a
// QGuiApplication, and the offscreen platform gives one anywhere.
#include <gtest/gtest.h>

#include <QGuiApplication>

#include "runtime/qt/sheet_fonts.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QGuiApplication app(argc, argv);
    tavrimo::InstallSheetFontSubstitutions();
    return RUN_ALL_TESTS();
}
