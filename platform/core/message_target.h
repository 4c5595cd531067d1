// What a window handle delivers its messages to. The window classes implement it; the
// handle table only points at it, and only the thread that created the handle calls it.
#pragma once

#include "platform/core/messages.h"

#include <functional>
#include <utility>

namespace plat {

class MessageTarget {
public:
    virtual ~MessageTarget() = default;
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

// A target made of a function, for small helper windows and tests.
class FunctionTarget final : public MessageTarget {
public:
    using Handler = std::function<LRESULT(UINT, WPARAM, LPARAM)>;
    explicit FunctionTarget(Handler handler) : m_handler(std::move(handler)) {}
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        return m_handler ? m_handler(message, wParam, lParam) : 0;
    }

private:
    Handler m_handler;
};

} // namespace plat
