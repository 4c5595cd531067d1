// Compiles the stb image reader and PNG writer once, with the settings of stb_config.h.
// Built without the project's warning flags: this is third-party code.
#include "platform/gfx/stb_config.h"

#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>
