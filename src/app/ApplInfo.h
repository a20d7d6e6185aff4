// What the about box shows: product and company texts, the version of this build, the
// company's links and address, and the system summary.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "app/SysInfo.h"

namespace vdx {

enum TVersionFormat {
  vfShort,  // "3.6": the window caption
  vfLong,   // "3.6.1 (Build: 9)": the about box
};

// A four-part file version ("3.6.1.9") in the given form; empty unless it has exactly four
// dot-separated parts.
std::string FormatVersion(const std::string& FileVersion, TVersionFormat Kind);

// The version information of this build (what a version resource holds elsewhere).
struct TVersionInfo {
  std::string CompanyName;
  std::string FileDescription;
  std::string FileVersion;  // "3.6.1.9"
  std::string LegalCopyright;
  std::string ProductName;
};
const TVersionInfo& BuildVersionInfo();

// The build's brand: company, copyright holder, links and four address lines (street, town,
// phone, fax).
struct TBrandRecord {
  std::string CompanyName;
  std::string CopyRight;
  std::string EMail;   // "mailto:..."
  std::string WebAdr;  // "https://..."
  std::array<std::string, 4> Address;
};
const TBrandRecord& BuildBrandRecord();

// The texts of the about box, ready for its labels; lines are separated by '\n'.
struct TAboutTexts {
  std::string Product;
  std::string Version;  // "Version 3.6.1 (Build: 9)"
  std::string CopyRight;
  std::string Description;
  std::string Address;  // company name, then the address lines
  std::string EMail;
  std::string WebAdr;
  std::string System;  // "<os>  (Build <kernel>:  <machine>)"
  std::string Memory;  // "Total Physical Memory: <KiB> KB  Free: <KiB> KB"
};

class TApplInfo {
 public:
  static constexpr const char* kProductName = "KORVA/20";
  static constexpr const char* kDescription = "Startup-Tool for digital control modules";

  // Reads the version information and the system facts (including the serial port list).
  explicit TApplInfo(const TSysInfoSources& Sources = {});

  std::vector<std::string> CompanyAddr;
  std::string CompanyEMail = "mailto:";
  std::string CompanyWebAdr = "https://";
  // When true the about box shows the Ext texts instead of the version information.
  bool UseExtProjSettings = false;
  std::string ExtCompanyName, ExtProductName, ExtDescription, ExtCopyRight;
  // The text that, typed in the about box, opens the hidden options.
  std::string HiddenInputText;

  const TVersionInfo& VersionInfo() const { return FVersionInfo; }
  std::string FormatVersion(TVersionFormat Kind) const;

  TSysInfo& SystemInfo() { return FSysInfo; }
  const TSysInfo& SystemInfo() const { return FSysInfo; }

  // Takes over a brand: the Ext texts (product and description of this tool), the links and
  // the address lines, and UseExtProjSettings.
  void ApplyBrand(const TBrandRecord& Brand);
  // "KORVA/20 3.6 - Startup-Tool for digital control modules   -  <company>".
  std::string WindowCaption() const;
  TAboutTexts AboutTexts() const;

 private:
  TVersionInfo FVersionInfo;
  TSysInfo FSysInfo;
};

}  // namespace vdx
