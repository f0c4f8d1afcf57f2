// One QApplication for a whole GoogleTest binary, created on first use.
#pragma once

#include <QApplication>

namespace mss::test {

inline QApplication& QtApp() {
    static int argc = 1;
    static char name[] = "tests";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

}  // namespace mss::test
