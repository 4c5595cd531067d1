// Stands in for the X11 backend in builds without it: no display is ever opened.
#include "platform/backend/window_system.h"

#ifndef KAVOX_HAVE_X11_BACKEND
namespace plat {

std::unique_ptr<WindowSystem> OpenX11WindowSystem(std::string* whyNot) {
    if (whyNot)
        *whyNot = "built without the X11 backend";
    return nullptr;
}

} // namespace plat
#endif
