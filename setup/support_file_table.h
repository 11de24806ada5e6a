#pragma once
// The support files that travel on every disc and the names Setup installs
// them under in the system folder. The marker RZ.LOG is one of them: its
// presence in the system folder means the others are installed.

#include <array>
#include <string_view>

namespace setup {

struct SupportFile {
  std::string_view target;  // name in the system folder, case as installed
  std::string_view source;  // name on the disc, beside Setup
};

inline constexpr std::array<SupportFile, 19> supportFileTable = {{
    {"COMDLG32.OCX", "qd.001"}, {"MSCOMCTL.OCX", "qd.010"}, {"MSSTKPRP.DLL", "qd.015"},
    {"scrrun.dll", "qd.016"},   {"ISWin32.tlb", "qd.017"},  {"SHELLLNK.TLB", "qd.018"},
    {"RZ.LOG", "qd.019"},       {"VB6STKIT.DLL", "qd.020"}, {"msvbvm60.dll", "qd.021"},
    {"OLEAUT32.DLL", "qd.022"}, {"OLEPRO32.DLL", "qd.023"}, {"ASYCFILT.DLL", "qd.024"},
    {"STDOLE2.TLB", "qd.025"},  {"COMCAT.DLL", "qd.026"},   {"VB6STKIT.DLL", "qd.027"},
    {"msvcrt.dll", "qd.028"},   {"msdxmlc.dll", "qd.040"},  {"msdxm.ocx", "qd.041"},
    {"msdxm.oca", "qd.042"},
}};

inline constexpr std::string_view kInstalledMarker = "RZ.LOG";

}  // namespace setup
