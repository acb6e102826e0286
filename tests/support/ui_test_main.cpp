// The main of the toolkit's test programs: fonts, images and widgets need an application object,
// and tests never need a screen nor the user's runtime folder.
#include <gtest/gtest.h>

#include <QApplication>

#include "temp_folder.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    const ostrel::testing::TempFolder runtime;
    qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(runtime.Path().string()));
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
