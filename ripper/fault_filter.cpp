#include "fault_filter.h"

#include <csetjmp>
#include <csignal>
#include <cstdlib>

#include "exception_names.h"
#include "rip_error.h"

namespace ripper {

namespace {

constexpr int kFaultSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL};
constexpr int kSignalCount = sizeof kFaultSignals / sizeof kFaultSignals[0];
// Room for the handler when the fault is an overflow of the thread's own stack.
constexpr std::size_t kHandlerStackBytes = 64 * 1024;

bool installed = false;
struct sigaction previousActions[kSignalCount];
stack_t previousStack;
void* handlerStack = nullptr;

thread_local sigjmp_buf* activeGuard = nullptr;
thread_local std::uint32_t lastFault = 0;

void restorePreviousAction(int signal) {
  for (int i = 0; i < kSignalCount; ++i)
    if (kFaultSignals[i] == signal) sigaction(signal, &previousActions[i], nullptr);
}

void onFault(int signal, siginfo_t* info, void*) {
  if (sigjmp_buf* guard = activeGuard) {
    lastFault = faultCodeOfSignal(signal, info->si_code);
    siglongjmp(*guard, 1);
  }
  // Outside every guarded call the fault takes its course: with the old
  // handler back, the faulting instruction runs again and faults again; a
  // signal sent by a process is sent once more.
  restorePreviousAction(signal);
  if (info->si_code <= 0) raise(signal);
}

}  // namespace

void installFaultFilter() {
  if (installed) return;
  handlerStack = std::malloc(kHandlerStackBytes);
  if (handlerStack) {
    stack_t stack{};
    stack.ss_sp = handlerStack;
    stack.ss_size = kHandlerStackBytes;
    sigaltstack(&stack, &previousStack);
  }
  struct sigaction action {};
  action.sa_sigaction = onFault;
  action.sa_flags = SA_SIGINFO | (handlerStack ? SA_ONSTACK : 0);
  sigemptyset(&action.sa_mask);
  for (int i = 0; i < kSignalCount; ++i) sigaction(kFaultSignals[i], &action, &previousActions[i]);
  installed = true;
}

void removeFaultFilter() {
  if (!installed) return;
  for (int i = 0; i < kSignalCount; ++i) sigaction(kFaultSignals[i], &previousActions[i], nullptr);
  if (handlerStack) {
    sigaltstack(&previousStack, nullptr);
    std::free(handlerStack);
    handlerStack = nullptr;
  }
  installed = false;
}

bool faultFilterInstalled() { return installed; }

namespace detail {

std::uint32_t runGuarded(void (*call)(void*), void* context) noexcept {
  if (!installed) {
    call(context);
    return 0;
  }
  sigjmp_buf here;
  sigjmp_buf* const outer = activeGuard;
  if (sigsetjmp(here, 1) != 0) {
    activeGuard = outer;
    return lastFault;
  }
  activeGuard = &here;
  call(context);
  activeGuard = outer;
  return 0;
}

void throwFault(std::uint32_t code) {
  throw RipError(kFaultErrorNumber, kFaultErrorSource, ExceptionName(code).toStdString());
}

}  // namespace detail

}  // namespace ripper
