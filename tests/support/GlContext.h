#pragma once

// A current OpenGL context for tests (Mesa under Xvfb), made on first use.
void MakeTestGlContextCurrent();
