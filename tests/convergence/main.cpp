#include <gtest/gtest.h>

#include <QGuiApplication>

#include <clocale>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    // The application object takes the user's locale; numbers must print with a point.
    std::setlocale(LC_NUMERIC, "C");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
