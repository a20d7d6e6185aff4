// The comparison of a module's parameters with the parameters a file holds for it: one row per
// parameter with both value texts and a state, curves point by point and analogue inputs field
// by field. The desktop tool's compare dialog and "vdxctl diff" both show it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "comm/ModCommandLists.h"

namespace vdx {

class TVDXModCommProt;

enum TCompareState : uint8_t {
  csDifferent = 0,
  csOnlyInModule = 1,
  csOnlyInFile = 2,
  csEqual = 3,
};

// "equal", "different", "only in module", "only in file".
std::string CompareStateText(TCompareState State);

// One point of a curve or one field of an analogue input that differs.
struct TCompareDetail {
  std::string Where;  // "point -3" or "A", "B", "C", "X"; "kind" when the types differ
  std::string ModuleText;
  std::string FileText;
};

struct TCompareRow {
  std::string Name;
  TCompareState State = csEqual;
  // Value texts; empty on the side that lacks the parameter. A differing curve shows only its
  // differing points ("-3: (10, 20); 5: (0, 0)").
  std::string ModuleText;
  std::string FileText;
  std::vector<TCompareDetail> Details;  // differing points or fields, in order
  // The file's value can be written into the module's parameter: it differs, the parameter is
  // writable, both are of one type and a text value is one of the module's texts.
  bool Writable = false;

  // Where the row differs: "points -3, 5", "fields B, X", "kind"; empty otherwise.
  std::string WhereText() const;
};

struct TParameterComparison {
  // Differences first (different, only in module, only in file), then the equal rows; each
  // group in the module's list order (only in file: the file's order).
  std::vector<TCompareRow> Rows;

  int DifferenceCount() const;
  bool Equal() const { return DifferenceCount() == 0; }
  // The first row named Name (exact), or nullptr.
  const TCompareRow* Find(const std::string& Name) const;
};

struct TCompareOptions {
  // Numbers kept in hundredths are shown with two decimals, as the grid may show them.
  bool ShowDecimals = false;
};

// Compares the value parameters (texts, numbers, curves, analogue inputs) of two lists by name
// (without regard to case; the first of a repeated name counts). Maker-only X.A.VO. parameters
// are left out: files never hold them.
TParameterComparison CompareParameters(const TModCommandList& Module, const TModCommandList& File,
                                       const TCompareOptions& Options = {});

// The value texts that put File's value into a command of the same type, one set per
// SetCmdValues call (a curve: 21 sets "i x y").
std::vector<std::vector<std::string>> ValueTextSets(const TModBaseCommand& File);

// The parameters one file holds for the protocol component's module.
class TCompareFile {
 public:
  enum TLoadResult : uint8_t {
    lrDone = 0,
    lrNoModule = 2,   // no module identified and no offline list loaded
    lrNotInFile = 3,  // the file holds nothing for the module (or no module was chosen)
    lrNotUsable = 4,  // not a parameter file, or it cannot be read
  };

  // ".vdx": the module with the component's module ID, else the one chosen through the
  // component's OnInfoMsg and OnModIdSelRequest as the import chooses it. ".par": the file must
  // be written for the module's type; its lines are read as the import reads them. Any other
  // extension is not usable. Error() tells why in words.
  TLoadResult Load(TVDXModCommProt& Prot, const std::string& FileName);

  const std::string& FileName() const { return FFileName; }
  // The module ID the file's data belong to (a ".par" file: its identification line).
  const std::string& ModuleId() const { return FModuleId; }
  const TModCommandList& Parameters() const { return FSet.CmdList; }
  const std::string& Error() const { return FError; }

 private:
  TLoadResult LoadVdx(TVDXModCommProt& Prot);
  TLoadResult LoadPar(TVDXModCommProt& Prot);

  std::string FFileName;
  std::string FModuleId;
  std::string FError;
  TModCommandSet FSet;
};

// Writes the file's values of the named parameters into the module: with the port open through
// SendParameter (read back, group bits followed), offline into the command lists with a change
// event so the grid shows them. Names that are not writable rows of Comparison, or whose write
// failed, are returned.
std::vector<std::string> WriteFileValues(TVDXModCommProt& Prot, const TCompareFile& File,
                                         const TParameterComparison& Comparison,
                                         const std::vector<std::string>& Names);

}  // namespace vdx
