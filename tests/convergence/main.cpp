#include <gtest/gtest.h>

#include <QGuiApplication>

#include <clocale>

int main(int argc, char** argv) {
    // Headless unless told otherwise, also when ctest lists the cases.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    // The application object takes the user's locale; numbers must print with a point.
    std::setlocale(LC_NUMERIC, "C");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
