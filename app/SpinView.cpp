// The spinning view: set-up, resize, teardown, frames and stop/continue.

#include <GL/gl.h>
#include <GL/glu.h>

#include <QOpenGLContext>
#include <QSurfaceFormat>

#include "Dialogs.h"
#include "FormSurface.h"
#include "Textures.h"
#include "UnitMain.h"

namespace {

QSurfaceFormat RequestedPixelFormat()
{
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setRedBufferSize(8);
    format.setGreenBufferSize(8);
    format.setBlueBufferSize(8);
    format.setDepthBufferSize(24);
    format.setStencilBufferSize(0);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    return format;
}

bool Satisfies(const QSurfaceFormat& actual)
{
    return actual.redBufferSize() >= 8 && actual.greenBufferSize() >= 8 && actual.blueBufferSize() >= 8 &&
           actual.depthBufferSize() >= 24 && actual.swapBehavior() != QSurfaceFormat::SingleBuffer;
}

// Other parts of the program (the browser engine among them) make their own
// contexts current on this thread, so ours is made current again before each
// batch of GL calls.
bool MakeViewCurrent()
{
    return GLContext && FormDC && GLContext->makeCurrent(FormDC);
}

// The previous view's context, surface and texture, when a new set-up replaces them.
void ReleaseView(TForm1* form)
{
    if (MakeViewCurrent() && PageTexture != 0)
        glDeleteTextures(1, &PageTexture);
    PageTexture = 0;
    form->FormClose(form);
    GLContext = nullptr;
    FormDC = nullptr;
}

struct Corner {
    GLfloat s, t, x, y, z;
};

constexpr Corner kQuad[] = {
    {0, 0, -1.8f, -1, 0},
    {1, 0, 1.8f, -1, 0},
    {1, 1, 1.8f, 1, 0},
    {0, 1, -1.8f, 1, 0},
};

constexpr std::int32_t kFramesPerQuestion = 2000;

}  // namespace

bool ApplyPixelFormat(FormSurface* dc)
{
    dc->setFormat(RequestedPixelFormat());
    dc->create();
    if (!dc->handle()) {
        ShowUnownedMessage(QStringLiteral("ChoosePixelFormat failed"), QStringLiteral("Error"));
        return false;
    }
    if (!Satisfies(dc->format())) {
        ShowUnownedMessage(QStringLiteral("SetPixelFormat failed"), QStringLiteral("Error"));
        return false;
    }
    return true;
}

void TForm1::BtnRotateClick(QObject*)
{
    const int width = WebBrowser1->width();
    const int height = WebBrowser1->height();
    SaveBrowserSnapshot(WebBrowser1->DefaultInterface(), QStringLiteral("1.jpg"), height, width, height, width);
    WebBrowser1->hide();
    ReleaseView(this);
    FormDC = GetDC(this);
    if (!ApplyPixelFormat(FormDC)) {
        close();
        return;
    }
    FormDC->followBrowser();
    GLContext = new QOpenGLContext(this);
    GLContext->setFormat(FormDC->format());
    GLContext->create();
    MakeViewCurrent();
    glClearColor(0, 0, 0, 0);
    FormResize(this);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    const GLfloat lightPosition[] = {3.0f, 3.0f, 3.0f, 1.0f};
    const GLfloat spotDirection[] = {-1.0f, -1.0f, -3.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, lightPosition);
    glLightfv(GL_LIGHT0, GL_SPOT_DIRECTION, spotDirection);
    glEnable(GL_TEXTURE_2D);
    Textures::ReadTextureFile("1.JPG", PageTexture, false);
    MakeViewCurrent();  // a reader's message box may have let others draw
    glBindTexture(GL_TEXTURE_2D, PageTexture);
    Timer1->start();
}

void TForm1::FormResize(QObject*)
{
    if (!MakeViewCurrent())
        return;  // no view yet: nothing to keep in step
    FormDC->followBrowser();
    const QSize outer = frameGeometry().size();
    glViewport(0, -FormDC->clientBottomBelowSurface(), outer.width(), outer.height());
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, double(outer.width()) / double(outer.height()), 1.0, 100.0);
    gluLookAt(0, 1, 3, 0, 0, 0, 0, 1, 0);
    glMatrixMode(GL_MODELVIEW);
}

void TForm1::FormClose(QObject*)
{
    if (GLContext) {
        GLContext->doneCurrent();
        delete GLContext;
    }
    if (FormDC)
        ReleaseDC(this, FormDC);
}

void TForm1::DrawSpinFrame()
{
    if (!MakeViewCurrent())
        return;  // no view: nothing to draw on
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glRotatef(5.0f, 0, 1, 0);
    glBegin(GL_QUADS);
    for (const Corner& c : kQuad) {
        glTexCoord2f(c.s, c.t);
        glVertex3f(c.x, c.y, c.z);
    }
    glEnd();
    if (FormDC->isExposed())
        GLContext->swapBuffers(FormDC);
}

void TForm1::Timer1Timer(QObject*)
{
    DrawSpinFrame();
    ++FrameCount;
    if (FrameCount != kFramesPerQuestion)
        return;
    if (AskOkCancel(texts::EnoughQuestion, texts::EnoughCaption)) {
        BtnStopClick(BtnStop);
        WebBrowser1->show();
    } else {
        ShowInformation(texts::DizzyJoke);
    }
    FrameCount = 0;
}

void TForm1::BtnStopClick(QObject*)
{
    if (BtnStop->text() == texts::StopCaption) {
        Timer1->stop();
        BtnStop->setText(texts::ContinueCaption);
    } else {
        Timer1->start();
        BtnStop->setText(texts::StopCaption);
    }
}
