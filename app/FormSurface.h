#pragma once

// The window's drawing surface for OpenGL: a native window over the main
// window's client area where the browser is, so that GL draws straight to the
// window system without going through a widget's paint. It lies under the
// browser: while the browser is shown, frames go nowhere visible.

#include <QPointer>
#include <QWindow>

class TForm1;

class FormSurface : public QWindow {
    Q_OBJECT

public:
    explicit FormSurface(TForm1* form);
    ~FormSurface() override;

    TForm1* form() const { return form_; }
    // Offset of the client area's lower-left corner from the surface's own,
    // in pixels: the origin of the window's drawing coordinates.
    int clientBottomBelowSurface() const;
    // Puts the surface over the browser area, shown only while the browser
    // is hidden.
    void followBrowser();
    // Destroys the surface (this object included).
    void release();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TForm1* form_;
    QPointer<QWidget> container_;
};

// The window's surface, made anew for every set-up; and its release.
FormSurface* GetDC(TForm1* form);
void ReleaseDC(TForm1* form, FormSurface* dc);
