// Steps shared by vdxctl's file commands.
#pragma once

#include <string>

#include "cli/CliOptions.h"
#include "cli/FileQuestions.h"
#include "comm/ModCommProt.h"

namespace vdx::cli {

enum class TFileKind { Vdx, Par, Other };

// By the extension, exactly ".vdx" or ".par" in lower case, as the desktop tool decides.
TFileKind FileKindOf(const std::string& FileName);
// The usage error for a file name of another kind; Allowed: ".vdx or .par" or ".vdx".
std::string FileKindError(const std::string& FileName, const std::string& Allowed);

// The one FILE argument of export and import, of kind .vdx or .par. Prints the usage error
// (Usage, or the kind error) and returns false when the arguments do not give one.
bool TakeFileArgument(const TCliOptions& Options, const std::string& Usage,
                      std::string& FileName, TFileKind& Kind);

// TakeFileArgument for a file whose module data are read: --module names a module of a .vdx
// file only. Prints the usage error and returns false otherwise.
bool TakeModuleFileArgument(const TCliOptions& Options, const std::string& Usage,
                            std::string& FileName, TFileKind& Kind);

// The modules a ".vdx" file holds, each on a line of its own, for the hint after a refusal.
std::string ModulesOfFile(const std::string& FileName);

// exDone when FileName can be read as a file; otherwise prints why in words and returns
// exFileFailed.
int CheckReadable(const std::string& FileName);

// Stores the module's lists in FileName (Kind Vdx or Par) and prints the desktop tool's
// Data saved in "FILE". Prints why not (the kept data, or the file error) and returns
// exFileFailed when nothing was written.
int SaveModuleFile(TVDXModCommProt& Prot, const TFileQuestions& Questions,
                   const std::string& FileName, TFileKind Kind);

}  // namespace vdx::cli
