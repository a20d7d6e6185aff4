// What the parameter printout puts on paper: the three header lines of each page and the
// parameter lines, split over one page or two. Drawing is left to the printer code.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

namespace vdx {

class TModCommandList;
class TVDXModCommProt;

// Parameter lines the first page holds; the second page takes all the rest.
constexpr size_t PrintoutFirstPageLines = 57;
// Group bit of the "Password" group: its parameters are printed only when the access code
// has this bit.
constexpr uint16_t PrintoutPasswordGroup = 1u << 7;

struct TPrintoutPage {
  std::string Title;   // company + "   - " + product + "   - Page n"
  std::string Date;    // "Parameter List at: " + date and time
  std::string Module;  // "Module: " + identification text
  std::vector<std::string> Lines;
};

// Texts the header lines are made of; the page number is added per page.
struct TPrintoutHeader {
  std::string CompanyName;
  std::string ProductName;
  std::string DateTime;  // as PrintoutDateTime gives it
  std::string ModuleId;
};

// "ddd, dd.mm.yyyy - hh:nn:ss": abbreviated day name of the C library's current locale, day,
// month, four-digit year, 24-hour time.
std::string PrintoutDateTime(const std::tm& Time);

class TModCtrlCommand;

// Whether the printout lists Cmd: never group "X.A.VO.", group "Password" only when AccessCode
// has bit 7.
bool PrintoutListsCommand(const TModCtrlCommand& Cmd, uint16_t AccessCode);

// The fixed-column lines of every parameter command of List, in list order, without group
// "X.A.VO." and, unless AccessCode has bit 7, without group "Password". Access type does not
// matter.
std::vector<std::string> PrintoutLines(const TModCommandList& List, uint16_t AccessCode);

// One page with up to 57 lines, otherwise two pages with lines 0..56 and the rest.
std::vector<TPrintoutPage> ComposePrintoutPages(const std::vector<std::string>& Lines,
                                                const TPrintoutHeader& Header);

// The whole printout of the protocol component's module: nothing when its command list is
// empty (no print job then). Asks the module for its access code ("ACODE"); 0xFFFF when that
// fails, so an unconnected module prints its "Password" group too.
std::vector<TPrintoutPage> ComposeParameterPrintout(TVDXModCommProt& Prot,
                                                    const std::string& CompanyName,
                                                    const std::string& ProductName,
                                                    const std::tm& Now);

}  // namespace vdx
