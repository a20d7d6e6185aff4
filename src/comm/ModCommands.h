// The module's commands, one object per readout line: parameters, control commands,
// process values, status bits and remote-controlled inputs.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vdx {

// Command type codes as the module reports them.
enum TModCmdType : uint8_t {
  ctProzessPara = 0,
  ctTextPara = 1,
  ctNumPara = 2,
  ctDummy1 = 3,
  ctInPara = 4,
  ctNoPara = 5,
  ctCCPara = 6,
  ctAinPara = 7,
  ctAinSPara = 8,
  ctLPara = 9,
  ctInfoPara = 10,
  ctRemoteCtrlPara = 11,
};

// The type's name, as shown to the user ("NumPara"); empty for unknown codes.
std::string CmdTypeName(uint8_t Type);

// Group bits of GCode.
enum TGroupBit : uint16_t {
  gbNewTab = 1u << 0,
  gbNewData = 1u << 1,
  gbXAVO = 1u << 6,
};
// GCode of a command made from a readout line without a group field: every group except
// NewTab, NewData and X.A.VO.
constexpr uint16_t DefaultReadoutGCode = 0xFFBC;
// Name of group bit I (0..15).
std::string GroupName(int Bit);

class TModBaseCommand {
 public:
  explicit TModBaseCommand(uint8_t Type) : Type(Type) {}
  virtual ~TModBaseCommand() = default;
  TModBaseCommand(const TModBaseCommand&) = delete;
  TModBaseCommand& operator=(const TModBaseCommand&) = delete;

  std::string Name;
  uint8_t Type;
  uint8_t AType = 2;  // 1 write only, 2 read only, 3 read and write
  uint8_t VType = 1;  // 21 and 22: integer kept in hundredths
  uint16_t GCode = 0;
  std::string Help;

  bool IsReadable() const { return AType == 2 || AType == 3; }
  bool IsWritable() const { return AType == 1 || AType == 3; }
  bool IsHundredths() const { return VType == 21 || VType == 22; }

  virtual void GetValueText(std::string& Text) const = 0;
  // Copies the attributes into Dest when Dest has the same Type; otherwise does nothing.
  virtual void AssignTo(TModBaseCommand& Dest) const;
  // A new command of the same class with all attributes; nothing for status bits and
  // remote-controlled inputs.
  std::unique_ptr<TModBaseCommand> Clone() const;
  // Names of the set group bits from bit 0 upwards, joined by ", ".
  void GetGroupNames(std::string& Text) const;
};

// Makes the empty command object for a type code; nothing for 3 and codes above 11.
std::unique_ptr<TModBaseCommand> CreateCommand(uint8_t Type);

class TModCtrlCommand : public TModBaseCommand {
 public:
  using TModBaseCommand::TModBaseCommand;
  std::vector<std::string> VList;
  int32_t Max = 0;
  int32_t Min = 0;
  // Raised by DoChange after the command's value was changed.
  std::function<void(TModCtrlCommand&)> OnChange;

  void GetValueText(std::string& Text) const override;
  void AssignTo(TModBaseCommand& Dest) const override;
  void DoChange() {
    if (OnChange) OnChange(*this);
  }
};

class TModTextParaCmd : public TModCtrlCommand {
 public:
  TModTextParaCmd() : TModCtrlCommand(ctTextPara) {}
  std::string Txt;
  // Takes S when VList holds it (without regard to case), the empty text otherwise.
  void SetText(const std::string& S);
  void GetValueText(std::string& Text) const override;
  void AssignTo(TModBaseCommand& Dest) const override;
};

class TModNumParaCmd : public TModCtrlCommand {
 public:
  TModNumParaCmd() : TModCtrlCommand(ctNumPara) {}
  int32_t Val = 0;
  // Val / 100 with two decimals and the locale's decimal separator.
  void GetPercentText(std::string& Text) const;
  void GetValueText(std::string& Text) const override;
  void AssignTo(TModBaseCommand& Dest) const override;
};

class TModAinParaCmd : public TModCtrlCommand {
 public:
  TModAinParaCmd() : TModCtrlCommand(ctAinPara) {}
  int32_t A = 0, B = 0, C = 0;
  uint8_t X = 0;  // 0 voltage input, 1 current input
  void GetValueText(std::string& Text) const override;
  void AssignTo(TModBaseCommand& Dest) const override;
};

struct TCurvePoint {
  int32_t X = 0;
  int32_t Y = 0;
  bool operator==(const TCurvePoint&) const = default;
};

class TModCCParaCmd : public TModCtrlCommand {
 public:
  static constexpr int FirstPoint = -10;
  static constexpr int LastPoint = 10;
  TModCCParaCmd() : TModCtrlCommand(ctCCPara) {}
  // False (and nothing done) for an index outside -10..10.
  bool GetPoint(int I, TCurvePoint& Pt) const;
  bool SetPoint(int I, const TCurvePoint& Pt);
  void GetPointText(int I, std::string& Text) const;
  void GetValueText(std::string& Text) const override;
  void AssignTo(TModBaseCommand& Dest) const override;

 private:
  std::array<TCurvePoint, 21> FPoints{};
};

class TModRemoteCtrlCmd : public TModCtrlCommand {
 public:
  TModRemoteCtrlCmd() : TModCtrlCommand(ctRemoteCtrlPara) {}
  int32_t Val = 0;
  // 1 to 5 for the input names "RC:910", "RC:6", "RC:13", "RC:14", "RC:29" (exact case), else 0.
  int PinCode() const;
  std::string PinName() const;
  void GetValueText(std::string& Text) const override;
  void AssignTo(TModBaseCommand& Dest) const override;
};

class TModProcCommand : public TModBaseCommand {
 public:
  TModProcCommand() : TModBaseCommand(ctProzessPara) {}
  int32_t CompFactor = 1;
  std::string PhysUnit;
  int32_t Value = 0;
  // The raw value in physical units: divided by CompFactor (a factor of 0 leaves it raw).
  double Scaled(int32_t Raw) const;
  void GetValueText(std::string& Text) const override;
  void AssignTo(TModBaseCommand& Dest) const override;
};

class TModStatusBitCommand : public TModBaseCommand {
 public:
  TModStatusBitCommand() : TModBaseCommand(ctInfoPara) {}
  uint16_t StatusWord = 0;
  bool BActive = false;
  uint8_t BIndex = 0;
  std::string BitHint;
  bool BInvers = false;
  uint8_t BColor = 1;  // 1 red, 2 green, 3 yellow
  bool IsActive() const;
  // Name without everything up to and including its first ":".
  void GetDisplayName(std::string& Text) const;
  void GetValueText(std::string& Text) const override;
  void AssignTo(TModBaseCommand& Dest) const override;
};

}  // namespace vdx
