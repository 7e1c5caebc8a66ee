// Kelvora: spins a web page.

#include <QApplication>
#include <QScreen>
#include <cfenv>

#if defined(__i386__) || defined(__x86_64__)
#include <fpu_control.h>
#endif

#include "TextureSeam.h"
#include "UnitMain.h"
#include "WebBrowser.h"

namespace {

// All floating-point exceptions masked, extended precision, round to nearest:
// faults in the graphics libraries give infinities or NaNs instead of traps.
void MaskFloatingPointExceptions()
{
    std::feclearexcept(FE_ALL_EXCEPT);
#if defined(__i386__) || defined(__x86_64__)
    const fpu_control_t controlWord = 0x133F;
    __fpu_control = controlWord;  // the default for threads started from here on
    _FPU_SETCW(controlWord);
#endif
    // SSE and other units start with every exception masked already.
}

void ShowCentred(QWidget& window)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), window.size());
        frame.moveCenter(screen->availableGeometry().center());
        window.move(frame.topLeft());
    }
    window.show();
}

}  // namespace

int main(int argc, char* argv[])
{
    browser::InitializeEngine();
    MaskFloatingPointExceptions();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kelvora"));
    QGuiApplication::setDesktopFileName(QStringLiteral("kelvora"));
    InstallTextureSeam();
    TForm1 form;
    Form1 = &form;
    ShowCentred(form);
    return application.exec();
}
