#include "comm/ReplyParser.h"

#include "comm/DelimitedText.h"
#include "comm/IntegerText.h"
#include "comm/TextUtil.h"

namespace vdx {

bool ParseReply(const std::string& Reply, std::string& CmdName, std::vector<std::string>* Values) {
  if (!Values || Reply.empty() || Reply.find("command error") != std::string::npos) return false;
  Values->clear();
  std::string Text = Reply;
  RemoveTail(Text, ">");
  RemoveTail(Text, "CMD");
  for (auto& Entry : SplitCommaText(TrimControl(Text)))
    if (!Entry.empty()) Values->push_back(std::move(Entry));
  if (Values->empty()) return false;
  if (CmdName.empty()) {
    CmdName = Values->front();
    Values->erase(Values->begin());
  } else {
    Values->front() = ReplaceAll(Values->front(), CmdName, "");
  }
  return true;
}

bool ParseReplyValues(const std::string& Reply, std::vector<std::string>& Values) {
  std::string Name;
  return ParseReply(Reply, Name, &Values);
}

bool ParseSingleInteger(const std::string& Reply, std::string& Name,
                        std::vector<std::string>& Values, int32_t& Value) {
  Name.clear();
  return ParseReply(Reply, Name, &Values) && Values.size() == 1 && TryStrToInt(Values[0], Value);
}

}  // namespace vdx
