// What a modal dialog's DoModal returns.
#pragma once

namespace plat {

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

} // namespace plat
