#pragma once

#include <glib-object.h>

#include <functional>
#include <utility>

// Connects a C++ callable to a GObject signal. The callable is owned by the connection and freed
// with it. Ret and Args are the signal's return and argument types after the emitting instance.
template <typename Ret, typename... Args> struct SignalThunk {
    using Function = std::function<Ret(Args...)>;
    static Ret Call(gpointer, Args... args, gpointer data) {
        return (*static_cast<Function*>(data))(args...);
    }
    static void Free(gpointer data, GClosure*) { delete static_cast<Function*>(data); }
};

template <typename Ret = void, typename... Args, typename F>
gulong Connect(gpointer instance, const char* signal, F&& f) {
    using Thunk = SignalThunk<Ret, Args...>;
    auto* function = new typename Thunk::Function(std::forward<F>(f));
    return g_signal_connect_data(instance, signal, G_CALLBACK(&Thunk::Call), function, &Thunk::Free,
                                 GConnectFlags(0));
}
