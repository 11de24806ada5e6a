#pragma once
// The readable names of the 32-bit fault codes of Windows that the fault
// filter reports, and the codes the POSIX signals stand for.

#include <QString>
#include <cstdint>

namespace ripper {

inline constexpr std::uint32_t kAccessViolation = 0xC0000005;
inline constexpr std::uint32_t kInPageError = 0xC0000006;
inline constexpr std::uint32_t kDataTypeMisalignment = 0x80000002;
inline constexpr std::uint32_t kIllegalInstruction = 0xC000001D;
inline constexpr std::uint32_t kPrivilegedInstruction = 0xC0000096;
inline constexpr std::uint32_t kArrayBoundsExceeded = 0xC000008C;
inline constexpr std::uint32_t kFloatDivideByZero = 0xC000008E;
inline constexpr std::uint32_t kFloatInexactResult = 0xC000008F;
inline constexpr std::uint32_t kFloatInvalidOperation = 0xC0000090;
inline constexpr std::uint32_t kFloatOverflow = 0xC0000091;
inline constexpr std::uint32_t kFloatUnderflow = 0xC0000093;
inline constexpr std::uint32_t kIntegerDivideByZero = 0xC0000094;
inline constexpr std::uint32_t kIntegerOverflow = 0xC0000095;

// "Access Violation", "Divide By Zero", ...; a code outside the table is
// "Unknown (&H" and its eight upper-case hexadecimal digits ")".
QString ExceptionName(std::uint32_t code);

// The fault code of a signal and its si_code: SIGSEGV is an access
// violation, SIGBUS a misalignment or an in-page error, SIGILL an illegal or
// privileged instruction, SIGFPE the matching arithmetic fault.
std::uint32_t faultCodeOfSignal(int signal, int signalCode);

}  // namespace ripper
