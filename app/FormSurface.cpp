#include "FormSurface.h"

#include <QEvent>
#include <QWidget>

#include "UnitMain.h"

FormSurface::FormSurface(TForm1* form) : form_(form)
{
    setSurfaceType(QWindow::OpenGLSurface);
    container_ = QWidget::createWindowContainer(this, form);
    container_->setObjectName(QStringLiteral("FormDC"));
    container_->setFocusPolicy(Qt::NoFocus);
    container_->setAttribute(Qt::WA_TransparentForMouseEvents);
    form->WebBrowser1->installEventFilter(this);
}

FormSurface::~FormSurface()
{
    if (form_->WebBrowser1)
        form_->WebBrowser1->removeEventFilter(this);
}

int FormSurface::clientBottomBelowSurface() const
{
    return container_ ? form_->height() - (container_->y() + container_->height()) : 0;
}

void FormSurface::followBrowser()
{
    if (!container_)
        return;
    container_->setGeometry(form_->WebBrowser1->geometry());
    container_->setVisible(!form_->WebBrowser1->isVisible());
}

bool FormSurface::eventFilter(QObject* watched, QEvent* event)
{
    // Geometry follows in FormResize: a hidden browser gets its resize
    // events only when shown again.
    if (event->type() == QEvent::Show || event->type() == QEvent::Hide)
        followBrowser();
    return QWindow::eventFilter(watched, event);
}

void FormSurface::release()
{
    delete container_.data();  // the container owns this window
}

FormSurface* GetDC(TForm1* form)
{
    return new FormSurface(form);
}

void ReleaseDC(TForm1*, FormSurface* dc)
{
    if (dc)
        dc->release();
}
