// Any bytes handed to the picture decoder either give a bitmap of sane size or nothing.
#include "platform/gfx/image_codec.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const auto bitmap = plat::DecodeImage({data, size});
    if (bitmap) {
        if (bitmap->IsEmpty() || bitmap->Width() > plat::kMaxImageSide ||
            bitmap->Height() > plat::kMaxImageSide)
            std::abort();
        volatile std::uint32_t sink = bitmap->PixelAt(bitmap->Width() - 1, bitmap->Height() - 1);
        (void)sink;
    }
    return 0;
}
