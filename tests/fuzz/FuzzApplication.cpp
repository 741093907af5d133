#include "tests/fuzz/FuzzApplication.h"

#include <QGuiApplication>

void StartFuzzApplication()
{
    static int argc = 1;
    static char name[] = "fuzzer";
    static char* argv[] = { name, nullptr };
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Kept to the very end: libFuzzer leaves through exit(), and an
    // application torn down by then would leave its caches behind as leaks.
    static const QGuiApplication* const application = new QGuiApplication(argc, argv);
    Q_UNUSED(application);
}
