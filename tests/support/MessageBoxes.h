#pragma once

// Answers the program's message boxes as a user would, from a timer, and
// records what they said.

#include <QMessageBox>
#include <QStringList>
#include <QTimer>
#include <functional>

struct SeenBox {
    QString caption;
    QString text;
    QMessageBox::Icon icon;
    bool modal;
};

class MessageBoxAnswerer : public QObject {
public:
    // answer picks the button for each box; the default presses OK.
    explicit MessageBoxAnswerer(std::function<QMessageBox::StandardButton(const SeenBox&)> answer = {});

    QList<SeenBox> seen;
    // Called with each box before it is answered, while it is still open.
    std::function<void(const SeenBox&)> onShown;
    // Boxes stay open this many polls (20 ms each) before they are answered.
    int holdPolls = 0;

private:
    void poll();

    QTimer timer_;
    std::function<QMessageBox::StandardButton(const SeenBox&)> answer_;
    QHash<QMessageBox*, int> polls_;
};

// Waits, running the event loop, until done() or timeout; returns done().
bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 20000);
