#include <QApplication>
#include <clocale>
#include <gtest/gtest.h>

#include "app/interface_language.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv); // sets the C locale from the environment as well
    std::setlocale(LC_ALL, "");
    UseInterfaceLanguage(app); // the language of the test's environment, as at the program's start
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
