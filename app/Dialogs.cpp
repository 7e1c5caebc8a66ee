#include "Dialogs.h"

#include <QEventLoop>
#include <QMessageBox>
#include <new>

const QString ApplicationTitle = QStringLiteral("Раскрутка сайта");

namespace {

int RunModalBox(QMessageBox::Icon icon, const QString& caption, const QString& text,
                QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, caption, text, buttons);
    box.setTextFormat(Qt::PlainText);
    return box.exec();
}

}  // namespace

void ShowInformation(const QString& text)
{
    RunModalBox(QMessageBox::NoIcon, ApplicationTitle, text, QMessageBox::Ok);
}

bool AskOkCancel(const QString& text, const QString& caption)
{
    return RunModalBox(QMessageBox::NoIcon, caption, text, QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

void ShowUnownedMessage(const QString& text, const QString& caption)
{
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::NonModal);
    QEventLoop loop;
    QObject::connect(&box, &QMessageBox::finished, &loop, &QEventLoop::quit);
    box.show();
    loop.exec();
}

QString ErrorBoxText(const QString& message)
{
    if (!message.isEmpty() && message.back() > QChar('.'))
        return message + '.';
    return message;
}

void ShowErrorBox(const QString& message)
{
    RunModalBox(QMessageBox::Critical, ApplicationTitle, ErrorBoxText(message), QMessageBox::Ok);
}

void RunHandler(const std::function<void()>& handler) noexcept
{
    try {
        handler();
    } catch (const std::bad_alloc&) {
        ShowErrorBox(QStringLiteral("Недостаточно памяти"));
    } catch (const std::exception& error) {
        ShowErrorBox(QString::fromUtf8(error.what()));
    } catch (...) {
        ShowErrorBox(QStringLiteral("Неизвестная ошибка"));
    }
}
