#pragma once
// The fault filter of the ripper: while it is installed, a hardware fault
// (SIGSEGV, SIGBUS, SIGFPE, SIGILL) inside a guarded call into the CD or the
// encoder library ends that call and comes back as RipError 10000 from
// "MyExceptionFilter", described by the fault's name (ExceptionName), so
// that the rip's error steps report it instead of the process ending.
//
// Only the calls into the C libraries are guarded, each one on its own:
//
//     lsn_t end = guardedLibraryCall([&] { return cdio_get_track_lsn(cdio, track); });
//
// A guarded call runs under sigsetjmp; the filter's signal handler
// siglongjmps back to it, so the only frames it leaves are the library's own
// (C, nothing to unwind) and the call's lambda, which must own nothing that
// needs destroying. The error is thrown from the guard, outside the signal
// handler. A fault anywhere else, or while the filter is not installed,
// ends the process as it would without the filter.

#include <cstdint>
#include <type_traits>
#include <utility>

namespace ripper {

inline constexpr int kFaultErrorNumber = 10000;
inline constexpr const char* kFaultErrorSource = "MyExceptionFilter";

// Installs the filter (the ripper window, while it is open); a second
// install changes nothing. Removing it restores the handlers that were there
// before.
void installFaultFilter();
void removeFaultFilter();
bool faultFilterInstalled();

namespace detail {
// Runs call(context) under the guard; 0 when it returned, else the code of
// the fault (the Windows code its signal stands for).
std::uint32_t runGuarded(void (*call)(void*), void* context) noexcept;
[[noreturn]] void throwFault(std::uint32_t code);
}  // namespace detail

// Runs `call` (a call into the CD or encoder library) and returns what it
// returns; throws RipError 10000 when a fault ended it.
template <class Call>
auto guardedLibraryCall(Call&& call) -> std::invoke_result_t<Call&> {
  using Result = std::invoke_result_t<Call&>;
  if constexpr (std::is_void_v<Result>) {
    auto run = [](void* c) { (*static_cast<std::remove_reference_t<Call>*>(c))(); };
    if (const std::uint32_t code = detail::runGuarded(run, &call)) detail::throwFault(code);
  } else {
    static_assert(std::is_trivially_copyable_v<Result>, "library calls return plain values");
    struct Context {
      std::remove_reference_t<Call>* call;
      Result result;
    } context{&call, Result{}};
    auto run = [](void* c) {
      auto* ctx = static_cast<Context*>(c);
      ctx->result = (*ctx->call)();
    };
    if (const std::uint32_t code = detail::runGuarded(run, &context)) detail::throwFault(code);
    return context.result;
  }
}

}  // namespace ripper
