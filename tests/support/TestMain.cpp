#include <QApplication>
#include <gtest/gtest.h>

#include "base/DialogLayout.h"
#include "base/MessageBox.h"

using namespace mosgrid;

int main(int argc, char** argv)
{
    // Before the QApplication: test discovery and ctest both run this binary headless.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The dialogs' font, as the program registers it at start-up.
    InstallFontSubstitutes();
    // A message box would block a headless run; tests that expect one install a recorder.
    SetMessageBoxHandler([](const QString& text) {
        ADD_FAILURE() << "unexpected message box: " << text.toStdString();
    });
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
