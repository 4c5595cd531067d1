// File names in the runtime folder made from names chosen by programs (mutex names, window
// classes): bytes outside a small safe set are escaped as %XX, so no name can leave the folder.
#pragma once

#include <string>
#include <string_view>

namespace plat {

std::string EscapeForFileName(std::u16string_view name);

} // namespace plat
