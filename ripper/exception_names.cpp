#include "exception_names.h"

#include <csignal>

namespace ripper {

QString ExceptionName(std::uint32_t code) {
  switch (code) {
    case 0x80000001: return QStringLiteral("Guard Page Violation");
    case 0x80000002: return QStringLiteral("Data Type Misalignment");
    case 0x80000003: return QStringLiteral("Breakpoint");
    case 0x80000004: return QStringLiteral("Single Step");
    case 0xC0000005: return QStringLiteral("Access Violation");
    case 0xC0000006: return QStringLiteral("In Page Error");
    case 0xC0000008: return QStringLiteral("Invalid Handle");
    case 0xC000001D: return QStringLiteral("Illegal Instruction");
    case 0xC0000025: return QStringLiteral("Non Continuable Exception");
    case 0xC0000026: return QStringLiteral("Invalid Disposition");
    case 0xC000008C: return QStringLiteral("Array Bounds Exceeded");
    case 0xC000008D: return QStringLiteral("Float Denormal Operand");
    case 0xC000008E: return QStringLiteral("Divide By Zero");
    case 0xC000008F: return QStringLiteral("Floating Point Inexact Result");
    case 0xC0000090: return QStringLiteral("Invalid Operation");
    case 0xC0000091: return QStringLiteral("Float Overflow");
    case 0xC0000092: return QStringLiteral("Float Stack Check");
    case 0xC0000093: return QStringLiteral("Float Underflow");
    case 0xC0000094: return QStringLiteral("Integer Divide By Zero");
    case 0xC0000095: return QStringLiteral("Integer Overflow");
    case 0xC0000096: return QStringLiteral("Privileged Instruction");
    case 0xC00000FD: return QStringLiteral("Stack Overflow");
    case 0xC000013A: return QStringLiteral("Control-C Exit");
    default:
      return QStringLiteral("Unknown (&H%1)").arg(QString::number(code, 16).toUpper().rightJustified(8, u'0'));
  }
}

std::uint32_t faultCodeOfSignal(int signal, int signalCode) {
  switch (signal) {
    case SIGBUS: return signalCode == BUS_ADRALN ? kDataTypeMisalignment : kInPageError;
    case SIGILL:
      return signalCode == ILL_PRVOPC || signalCode == ILL_PRVREG ? kPrivilegedInstruction : kIllegalInstruction;
    case SIGFPE:
      switch (signalCode) {
        case FPE_INTDIV: return kIntegerDivideByZero;
        case FPE_INTOVF: return kIntegerOverflow;
        case FPE_FLTDIV: return kFloatDivideByZero;
        case FPE_FLTOVF: return kFloatOverflow;
        case FPE_FLTUND: return kFloatUnderflow;
        case FPE_FLTRES: return kFloatInexactResult;
        case FPE_FLTSUB: return kArrayBoundsExceeded;
        default: return kFloatInvalidOperation;
      }
    default: return kAccessViolation;
  }
}

}  // namespace ripper
