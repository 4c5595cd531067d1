// Named messages agreed between windows that share no header (a broadcast such as
// "TaskbarCreated", a control's private notifications): the same name, in any case, gives
// the same number for the life of the process, from WM_REGISTERED_FIRST up.
#pragma once

#include "platform/core/messages.h"

#include <string_view>

namespace plat {

// 0 for an empty name or when the range is used up.
UINT RegisterWindowMessage(std::u16string_view name);

} // namespace plat
