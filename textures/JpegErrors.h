#pragma once

// libjpeg reports fatal errors through error_exit, which must not return.
// Ours jumps back to the setjmp of the function that called libjpeg; such
// functions keep only trivially destructible locals, so the jump skips no
// destructor, and nothing unwinds through libjpeg's frames. Messages (warnings
// about a truncated stream among them) are not printed.

// clang-format off
#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>
// clang-format on

namespace Textures {

struct JpegErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;

    // Installs this manager on a compress or decompress object.
    template <class JpegObject>
    void attachTo(JpegObject& object)
    {
        object.err = jpeg_std_error(&pub);
        pub.error_exit = [](j_common_ptr cinfo) {
            std::longjmp(reinterpret_cast<JpegErrorManager*>(cinfo->err)->jump, 1);
        };
        pub.output_message = [](j_common_ptr) {};
    }
};

}  // namespace Textures
