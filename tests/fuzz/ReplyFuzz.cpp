// Module replies: the comma-text rule and ParseReply. The input's first line is the command name
// the reply answers (empty: take it from the reply), the rest is the reply.
#include "FuzzSupport.h"
#include "comm/DelimitedText.h"
#include "comm/ReplyParser.h"

using namespace vdx;
using fuzz::Check;

namespace {

// Entries written back as quoted comma text, quotes doubled.
std::string QuotedCommaText(const std::vector<std::string>& Entries) {
  std::string Text;
  for (const std::string& Entry : Entries) {
    if (!Text.empty()) Text += ',';
    Text += '"';
    for (char C : Entry) Text += C == '"' ? std::string("\"\"") : std::string(1, C);
    Text += '"';
  }
  return Text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string Input = fuzz::AsText(Data, Size);
  const size_t Lf = Input.find('\n');
  const std::string Name = Lf == std::string::npos ? std::string() : Input.substr(0, Lf);
  const std::string Reply = Lf == std::string::npos ? Input : Input.substr(Lf + 1);

  // Whatever the comma-text rule splits, quoting the entries again splits the same way.
  const std::vector<std::string> Entries = SplitCommaText(Reply);
  Check(SplitCommaText(QuotedCommaText(Entries)) == Entries,
        "quoted comma text does not split into its entries");
  SplitDelimited(Reply, '\\');

  std::vector<std::string> Values;
  std::string CmdName = Name;
  if (ParseReply(Reply, CmdName, &Values)) {
    Check(Reply.find("command error") == std::string::npos, "a command error was taken");
    Check(!Values.empty() || Name.empty(), "a reply was taken without values");
    if (Name.empty()) {
      Check(!CmdName.empty(), "the command name taken from a reply is empty");
      for (const std::string& V : Values) Check(!V.empty(), "an empty value was kept");
    }
  }

  std::string IntName;
  int32_t Value = 0;
  if (ParseSingleInteger(Reply, IntName, Values, Value))
    Check(Values.size() == 1, "a single integer came from several values");
  return 0;
}
