#include "app/ApplInfo.h"

#include "comm/TextUtil.h"

namespace vdx {

namespace {

std::vector<std::string> SplitAt(const std::string& S, char Separator) {
  std::vector<std::string> Parts;
  size_t Begin = 0;
  for (size_t Pos; (Pos = S.find(Separator, Begin)) != std::string::npos; Begin = Pos + 1)
    Parts.push_back(S.substr(Begin, Pos - Begin));
  Parts.push_back(S.substr(Begin));
  return Parts;
}

std::string RemoveTrailingBlanksAndBreaks(std::string S) {
  while (!S.empty() && (S.back() == ' ' || S.back() == '\n' || S.back() == '\r')) S.pop_back();
  return S;
}

}  // namespace

std::string FormatVersion(const std::string& FileVersion, TVersionFormat Kind) {
  const std::vector<std::string> P = SplitAt(FileVersion, '.');
  if (P.size() != 4) return {};
  if (Kind == vfShort) return P[0] + "." + P[1];
  return P[0] + "." + P[1] + "." + P[2] + " (Build: " + P[3] + ")";
}

const TVersionInfo& BuildVersionInfo() {
  static const TVersionInfo Info{BuildBrandRecord().CompanyName, TApplInfo::kDescription,
                                 VDX_VERSION, BuildBrandRecord().CopyRight,
                                 TApplInfo::kProductName};
  return Info;
}

// Neutral values of our own; the reserved example domain keeps links from going anywhere real.
const TBrandRecord& BuildBrandRecord() {
  static const TBrandRecord Brand{"Xavo",
                                  "Copyright (C) Xavo",
                                  "mailto:service@example.com",
                                  "https://www.example.com",
                                  {"Example Street 1", "00000 Exampletown",
                                   "Phone: +00 000 000000-0", "Fax: +00 000 000000-9"}};
  return Brand;
}

TApplInfo::TApplInfo(const TSysInfoSources& Sources)
    : FVersionInfo(BuildVersionInfo()), FSysInfo(Sources) {}

std::string TApplInfo::FormatVersion(TVersionFormat Kind) const {
  return vdx::FormatVersion(FVersionInfo.FileVersion, Kind);
}

void TApplInfo::ApplyBrand(const TBrandRecord& Brand) {
  UseExtProjSettings = true;
  ExtCompanyName = Brand.CompanyName;
  ExtProductName = kProductName;
  ExtDescription = kDescription;
  ExtCopyRight = Brand.CopyRight;
  CompanyEMail = Brand.EMail;
  CompanyWebAdr = Brand.WebAdr;
  CompanyAddr.assign(Brand.Address.begin(), Brand.Address.end());
}

std::string TApplInfo::WindowCaption() const {
  return ExtProductName + " " + FormatVersion(vfShort) + " - " + ExtDescription + "   -  " +
         ExtCompanyName;
}

TAboutTexts TApplInfo::AboutTexts() const {
  TAboutTexts T;
  const bool Ext = UseExtProjSettings;
  T.Product = Ext ? ExtProductName : FVersionInfo.ProductName;
  T.Version = "Version " + FormatVersion(vfLong);
  T.CopyRight = Ext ? ExtCopyRight : FVersionInfo.LegalCopyright;
  T.Description = Ext ? ExtDescription : FVersionInfo.FileDescription;
  std::vector<std::string> Lines{Ext ? ExtCompanyName : FVersionInfo.CompanyName};
  Lines.insert(Lines.end(), CompanyAddr.begin(), CompanyAddr.end());
  T.Address = RemoveTrailingBlanksAndBreaks(JoinTexts(Lines, "\n"));
  T.EMail = CompanyEMail;
  T.WebAdr = CompanyWebAdr;
  T.System =
      FSysInfo.OsName() + "  (Build " + FSysInfo.KernelRelease() + ":  " + FSysInfo.Machine() + ")";
  T.Memory = "Total Physical Memory: " + std::to_string(FSysInfo.TotalPhysMem() / 1024) + " KB" +
             "  Free: " + std::to_string(FSysInfo.AvailPhysMem() / 1024) + " KB";
  return T;
}

}  // namespace vdx
