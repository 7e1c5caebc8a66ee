#include "MessageBoxes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

MessageBoxAnswerer::MessageBoxAnswerer(std::function<QMessageBox::StandardButton(const SeenBox&)> answer)
    : answer_(std::move(answer))
{
    connect(&timer_, &QTimer::timeout, this, &MessageBoxAnswerer::poll);
    timer_.start(20);
}

void MessageBoxAnswerer::poll()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        if (!box || !box->isVisible())
            continue;
        if (polls_[box]++ == 0 && onShown)
            onShown({box->windowTitle(), box->text(), box->icon(), box->isModal()});
        if (polls_[box] <= holdPolls)
            continue;
        const SeenBox info{box->windowTitle(), box->text(), box->icon(), box->isModal()};
        seen.append(info);
        polls_.remove(box);
        const QMessageBox::StandardButton choice = answer_ ? answer_(info) : QMessageBox::Ok;
        if (QAbstractButton* button = box->button(choice))
            button->click();
        else
            box->done(choice);
        return;  // one box per poll: the next may only now become visible
    }
}

bool WaitUntil(const std::function<bool()>& done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs)
        QTest::qWait(10);
    return done();
}
