#pragma once

// main() of a QtTest that shows web views outside the editing component: Chromium prepared for
// headless runs, and the user's configuration and cache folders inside a temporary folder so
// that nothing of the test is left in the real ones.

#include "engine/WebEngineEnvironment.h"
#include "toolkit/QtBridge.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#define PELION_WEB_TEST_MAIN(TestClass)                                                            \
    int main(int argc, char **argv)                                                                \
    {                                                                                              \
        QTemporaryDir home;                                                                        \
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path() + QStringLiteral("/config")));    \
        qputenv("XDG_CACHE_HOME", QFile::encodeName(home.path() + QStringLiteral("/cache")));      \
        PrepareWebEngineEnvironment();                                                             \
        QApplication app(argc, argv);                                                              \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
