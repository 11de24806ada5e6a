// The fault names and the fault filter: a hardware fault inside a guarded
// call comes back as error 10000 from "MyExceptionFilter" with the fault's
// name, and only while the filter is installed.
#include <gtest/gtest.h>

#include <csignal>
#include <iterator>

#include "exception_names.h"
#include "fault_filter.h"
#include "rip_error.h"

namespace ripper_test {
namespace {

using namespace ripper;

TEST(ExceptionNames, NamesTheTableAndWritesOtherCodesInHexadecimal) {
  const struct {
    std::uint32_t code;
    const char* name;
  } cases[] = {
      {0x80000001, "Guard Page Violation"},
      {0x80000002, "Data Type Misalignment"},
      {0x80000003, "Breakpoint"},
      {0x80000004, "Single Step"},
      {0xC0000005, "Access Violation"},
      {0xC0000006, "In Page Error"},
      {0xC0000008, "Invalid Handle"},
      {0xC000001D, "Illegal Instruction"},
      {0xC0000025, "Non Continuable Exception"},
      {0xC0000026, "Invalid Disposition"},
      {0xC000008C, "Array Bounds Exceeded"},
      {0xC000008D, "Float Denormal Operand"},
      {0xC000008E, "Divide By Zero"},
      {0xC000008F, "Floating Point Inexact Result"},
      {0xC0000090, "Invalid Operation"},
      {0xC0000091, "Float Overflow"},
      {0xC0000092, "Float Stack Check"},
      {0xC0000093, "Float Underflow"},
      {0xC0000094, "Integer Divide By Zero"},
      {0xC0000095, "Integer Overflow"},
      {0xC0000096, "Privileged Instruction"},
      {0xC00000FD, "Stack Overflow"},
      {0xC000013A, "Control-C Exit"},
      // Codes outside the table, among them the neighbours of codes in it.
      {0xE06D7363, "Unknown (&HE06D7363)"},
      {0x1, "Unknown (&H00000001)"},
      {0x0, "Unknown (&H00000000)"},
      {0xC0000007, "Unknown (&HC0000007)"},
      {0x80000005, "Unknown (&H80000005)"},
      {0xC0000097, "Unknown (&HC0000097)"},
      {0x0000000A, "Unknown (&H0000000A)"},
  };
  for (const auto& c : cases) EXPECT_EQ(ExceptionName(c.code), c.name) << std::hex << c.code;
}

TEST(ExceptionNames, EachFaultSignalStandsForItsCode) {
  const struct {
    int signal, code;
    const char* name;
  } cases[] = {
      {SIGSEGV, SEGV_MAPERR, "Access Violation"}, {SIGSEGV, SEGV_ACCERR, "Access Violation"},
      {SIGBUS, BUS_ADRALN, "Data Type Misalignment"}, {SIGBUS, BUS_ADRERR, "In Page Error"},
      {SIGILL, ILL_ILLOPC, "Illegal Instruction"}, {SIGILL, ILL_PRVOPC, "Privileged Instruction"},
      {SIGFPE, FPE_INTDIV, "Integer Divide By Zero"}, {SIGFPE, FPE_INTOVF, "Integer Overflow"},
      {SIGFPE, FPE_FLTDIV, "Divide By Zero"}, {SIGFPE, FPE_FLTOVF, "Float Overflow"},
      {SIGFPE, FPE_FLTINV, "Invalid Operation"},
  };
  for (const auto& c : cases) EXPECT_EQ(ExceptionName(faultCodeOfSignal(c.signal, c.code)), c.name);
}

// The filter stays installed for one test.
class FaultFilter : public ::testing::Test {
 protected:
  void SetUp() override { installFaultFilter(); }
  void TearDown() override { removeFaultFilter(); }
};

int* volatile nowhere = nullptr;
volatile int zero = 0;

// The faults themselves, kept from the undefined-behaviour sanitizer: with
// its checks in, a store through null or a division by zero would end the
// process before the fault's signal reaches the filter.
__attribute__((no_sanitize("undefined"))) void storeThroughNull(int value) { *nowhere = value; }
__attribute__((no_sanitize("undefined"))) int divideByZero(int value) { return value / zero; }

TEST_F(FaultFilter, AnAccessViolationInsideAGuardedCallIsError10000) {
  try {
    guardedLibraryCall([] { storeThroughNull(1); });
    FAIL() << "the call came back";
  } catch (const RipError& error) {
    EXPECT_EQ(error.number(), 10000);
    EXPECT_EQ(error.source(), "MyExceptionFilter");
    EXPECT_EQ(error.description(), "Access Violation");
  }
  // The next guarded calls run as usual, and answer what they return.
  EXPECT_EQ(guardedLibraryCall([] { return 42; }), 42);
}

TEST_F(FaultFilter, EachFaultIsNamedAndNestedGuardsCatchTheirOwn) {
  try {
    guardedLibraryCall([] { return divideByZero(7); });
    FAIL() << "the call came back";
  } catch (const RipError& error) {
    EXPECT_EQ(error.description(), "Integer Divide By Zero");
  }
  try {
    guardedLibraryCall([] { ::raise(SIGILL); });
    FAIL() << "the call came back";
  } catch (const RipError& error) {
    EXPECT_EQ(error.description(), "Illegal Instruction");
  }
  // A guarded call inside another: the inner fault is the inner call's error.
  const int outer = guardedLibraryCall([] {
    bool caught = false;
    try {
      guardedLibraryCall([] { storeThroughNull(2); });
    } catch (const RipError&) {
      caught = true;
    }
    return caught ? 1 : 0;
  });
  EXPECT_EQ(outer, 1);
}

void handlerBeforeTheFilter(int) {}

TEST_F(FaultFilter, InstallingTwiceChangesNothingAndRemovingRestoresTheOldHandler) {
  EXPECT_TRUE(faultFilterInstalled());
  removeFaultFilter();
  // A handler of the test's own before the filter, so that the one restored
  // is told from the default one (and from a sanitizer's, which may be
  // there before any test runs).
  const int faults[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL};
  struct sigaction outer[std::size(faults)], before {};
  before.sa_handler = handlerBeforeTheFilter;
  sigemptyset(&before.sa_mask);
  for (std::size_t i = 0; i < std::size(faults); ++i) sigaction(faults[i], &before, &outer[i]);

  installFaultFilter();
  installFaultFilter();
  struct sigaction now {};
  sigaction(SIGSEGV, nullptr, &now);
  EXPECT_TRUE(now.sa_flags & SA_SIGINFO) << "the filter is not installed";
  removeFaultFilter();
  EXPECT_FALSE(faultFilterInstalled());
  for (std::size_t i = 0; i < std::size(faults); ++i) {
    sigaction(faults[i], nullptr, &now);
    EXPECT_EQ(now.sa_handler, handlerBeforeTheFilter) << "signal " << faults[i];
    EXPECT_FALSE(now.sa_flags & SA_SIGINFO) << "signal " << faults[i];
  }

  for (std::size_t i = 0; i < std::size(faults); ++i) sigaction(faults[i], &outer[i], nullptr);
  installFaultFilter();
}

TEST(FaultFilterDeath, WithoutTheFilterAFaultEndsTheProcess) {
  EXPECT_DEATH(guardedLibraryCall([] { storeThroughNull(3); }), "");
}

TEST(FaultFilterDeath, AFaultOutsideGuardedCallsEndsTheProcessWhileTheFilterIsInstalled) {
  EXPECT_DEATH(
      {
        installFaultFilter();
        storeThroughNull(4);
      },
      "");
}

}  // namespace
}  // namespace ripper_test
