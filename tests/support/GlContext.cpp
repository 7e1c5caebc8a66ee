#include "GlContext.h"

#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QSurfaceFormat>

void MakeTestGlContextCurrent()
{
    static int argc = 1;
    static char name[] = "textures_test";
    static char* argv[] = {name, nullptr};
    static auto* app = new QGuiApplication(argc, argv);
    static auto* surface = [] {
        auto* s = new QOffscreenSurface;
        QSurfaceFormat format;
        format.setProfile(QSurfaceFormat::CompatibilityProfile);
        s->setFormat(format);
        s->create();
        return s;
    }();
    static auto* context = [] {
        auto* c = new QOpenGLContext;
        c->setFormat(surface->format());
        c->create();
        return c;
    }();
    (void)app;
    context->makeCurrent(surface);
}
