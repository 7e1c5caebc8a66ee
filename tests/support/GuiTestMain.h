#pragma once

// main() for Qt Test GUI tests: the browser engine's start-up requirements
// come before the application object, as in the program.

#include <QApplication>
#include <QTest>
#include <unistd.h>

#include "TextureSeam.h"
#include "WebBrowser.h"

#define KELVORA_GUI_TEST_MAIN(TestClass)                                  \
    int main(int argc, char** argv)                                      \
    {                                                                     \
        if (geteuid() == 0) /* Chromium's sandbox cannot run as root */   \
            qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");                  \
        browser::InitializeEngine();                                      \
        QApplication app(argc, argv);                                     \
        InstallTextureSeam();                                             \
        TestClass test;                                                   \
        return QTest::qExec(&test, argc, argv);                           \
    }
