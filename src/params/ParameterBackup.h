// The parameter backup around a firmware update: before the module enters its bootloader its
// complete data go into a command list file in the settings folder, and after the update that
// file can be written back into the module. The firmware dialog and vdxctl share this code.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

namespace vdx {

class TVDXModCommProt;

// The message of a backup that could not be made because no module is identified.
extern const char* const NoModuleBackupText;

// "<SettingsFolder>/backups".
std::string BackupFolder(const std::string& SettingsFolder);

// "<module name>-<yyyymmdd>-<hhmmss>.vdx"; characters other than letters, digits, '.', '-' and
// '_' become '_', and a module without a name is called "module".
std::string BackupFileName(const std::string& ModuleName, const std::tm& Time);

struct TParameterBackup {
  bool Saved = false;
  std::string FileName;  // the backup file, when saved
  std::string Message;   // what the user is told, saved or not
};

// Saves the identified module's data with ExportVdxFile into a new file of the backup folder
// (created when missing); a file of that name already there gets "-2", "-3", ... added. Without
// a module identified on the open port (offline data do not count), or when the folder or file
// cannot be written, nothing is saved and the message says why.
TParameterBackup SaveParameterBackup(TVDXModCommProt& Prot, const std::string& SettingsFolder,
                                     const std::tm& Now);

// Imports a backup into the identified module with ImportVdxFile. The backup's one module is
// taken even when the new firmware reports another ID text; names of the backup the module
// lacks go to OnParaDownloadError as in any import. The other two events are restored after.
uint8_t RestoreParameterBackup(TVDXModCommProt& Prot, const std::string& FileName);

// What the user is told about the result of RestoreParameterBackup.
std::string RestoreMessage(uint8_t Result, const std::string& FileName,
                           const std::string& FileError);

}  // namespace vdx
