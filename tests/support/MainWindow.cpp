#include "MainWindow.h"

#include <QTest>

std::unique_ptr<TForm1> ShowMainWindow()
{
    auto form = std::make_unique<TForm1>();
    Form1 = form.get();
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get()))
        return nullptr;
    return form;
}
