#include "params/XmlFile.h"

#include <fcntl.h>
#include <libxml/SAX2.h>
#include <libxml/parser.h>
#include <libxml/xmlerror.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "app/AtomicFile.h"
#include "comm/TextUtil.h"

namespace vdx::xml {

namespace {

#if LIBXML_VERSION >= 21200
using TErrorArg = const xmlError*;
#else
using TErrorArg = xmlErrorPtr;
#endif

// While it exists, libxml2's reports in this thread come here instead of going to stderr; the
// first error (warnings are dropped) is kept as text.
class TErrorCapture {
 public:
  explicit TErrorCapture(const std::string& FileName)
      : FFileName(FileName),
        FOldStructured(xmlStructuredError),
        FOldStructuredCtx(xmlStructuredErrorContext),
        FOldGeneric(xmlGenericError),
        FOldGenericCtx(xmlGenericErrorContext) {
    xmlSetStructuredErrorFunc(this, OnError);
    xmlSetGenericErrorFunc(this, OnGeneric);
  }
  ~TErrorCapture() {
    xmlSetStructuredErrorFunc(FOldStructuredCtx, FOldStructured);
    xmlSetGenericErrorFunc(FOldGenericCtx, FOldGeneric);
  }
  TErrorCapture(const TErrorCapture&) = delete;
  TErrorCapture& operator=(const TErrorCapture&) = delete;

  // Keeps Text as the error unless one came earlier.
  void Report(int Line, const std::string& Text) {
    if (!FFirst.empty()) return;
    FFirst = FFileName + (Line > 0 ? " line " + std::to_string(Line) : std::string()) + ": " + Text;
  }
  const std::string& First() const { return FFirst; }

 private:
  static void OnError(void* Ctx, TErrorArg E) {
    if (!E || E->level < XML_ERR_ERROR) return;
    // Messages end with a newline and some carry a second line ("Bytes: 0xE4 ...").
    std::string Text = TrimControl(E->message ? E->message : "unknown error");
    for (char& C : Text)
      if (C == '\n' || C == '\r') C = ' ';
    static_cast<TErrorCapture*>(Ctx)->Report(E->line,
                                             Text + " (XML error " + std::to_string(E->code) + ")");
  }
  // Unstructured messages arrive in pieces; the structured one of the same fault says it all.
  static void OnGeneric(void*, const char*, ...) {}

  std::string FFileName;
  std::string FFirst;
  xmlStructuredErrorFunc FOldStructured;
  void* FOldStructuredCtx;
  xmlGenericErrorFunc FOldGeneric;
  void* FOldGenericCtx;
};

// An entity declaration stops the parse before any entity can be used.
void RefuseEntity(void* Ctx, const xmlChar*, int, const xmlChar*, const xmlChar*, xmlChar*) {
  auto* Ctxt = static_cast<xmlParserCtxtPtr>(Ctx);
  static_cast<TErrorCapture*>(Ctxt->_private)
      ->Report(xmlSAX2GetLineNumber(Ctx), "entity declarations are not allowed");
  xmlStopParser(Ctxt);
}

void RefuseUnparsedEntity(void* Ctx, const xmlChar* Name, const xmlChar* PublicId,
                          const xmlChar* SystemId, const xmlChar*) {
  RefuseEntity(Ctx, Name, 0, PublicId, SystemId, nullptr);
}

bool ReadWholeFile(const std::string& FileName, std::string& Text, std::string& Error) {
  const int Fd = open(FileName.c_str(), O_RDONLY | O_CLOEXEC);
  if (Fd < 0) {
    Error = errno == ENOENT ? FileName + " does not exist"
                            : "cannot read " + FileName + ": " + std::strerror(errno);
    return false;
  }
  struct stat St {};
  bool Ok = fstat(Fd, &St) == 0;
  if (Ok && !S_ISREG(St.st_mode)) {
    Error = FileName + " is not a regular file";
    Ok = false;
  } else if (Ok && static_cast<unsigned long long>(St.st_size) > MaxXmlFileSize) {
    Error = FileName + " is larger than " + std::to_string(MaxXmlFileSize >> 20) + " MiB; not read";
    Ok = false;
  }
  if (Ok) {
    Text.resize(static_cast<size_t>(St.st_size));
    size_t Done = 0;
    while (Done < Text.size()) {
      const ssize_t N = read(Fd, Text.data() + Done, Text.size() - Done);
      if (N < 0 && errno == EINTR) continue;
      if (N <= 0) break;
      Done += static_cast<size_t>(N);
    }
    Text.resize(Done);
    Ok = Done == static_cast<size_t>(St.st_size);
    if (!Ok) Error = "cannot read " + FileName + ": " + std::strerror(errno ? errno : EIO);
  } else if (Error.empty()) {
    Error = "cannot read " + FileName + ": " + std::strerror(errno);
  }
  close(Fd);
  return Ok;
}

}  // namespace

xmlDocPtr ReadXmlFile(const std::string& FileName, std::string& Error) {
  std::string Text;
  if (!ReadWholeFile(FileName, Text, Error)) return nullptr;

  xmlInitParser();
  TErrorCapture Capture(FileName);
  xmlParserCtxtPtr Ctxt = xmlNewParserCtxt();
  if (!Ctxt) {
    Error = "cannot read " + FileName + ": out of memory";
    return nullptr;
  }
  Ctxt->_private = &Capture;
  Ctxt->sax->entityDecl = RefuseEntity;
  Ctxt->sax->unparsedEntityDecl = RefuseUnparsedEntity;
  // No XML_PARSE_NOENT (entities would be substituted), no DTD loading, no XML_PARSE_HUGE (it
  // would lift the depth and size limits).
  xmlDocPtr Doc =
      xmlCtxtReadMemory(Ctxt, Text.data(), static_cast<int>(Text.size()), FileName.c_str(), nullptr,
                        XML_PARSE_NONET | XML_PARSE_NOBLANKS);
  xmlFreeParserCtxt(Ctxt);

  if (Doc && Capture.First().empty() && xmlDocGetRootElement(Doc)) return Doc;
  xmlFreeDoc(Doc);
  Error =
      !Capture.First().empty() ? Capture.First() : FileName + ": not a well-formed XML document";
  return nullptr;
}

bool WriteXmlFile(xmlDocPtr Doc, const std::string& FileName, std::string& Error) {
  if (!Doc || !xmlDocGetRootElement(Doc)) {
    Error = "cannot write " + FileName + ": the document is empty";
    return false;
  }
  std::string Text;
  {
    TErrorCapture Capture(FileName);
    xmlChar* Mem = nullptr;
    int Size = 0;
    xmlDocDumpFormatMemoryEnc(Doc, &Mem, &Size, reinterpret_cast<const char*>(Doc->encoding), 1);
    if (!Mem || Size < 0) {
      xmlFree(Mem);
      Error = "cannot write " + FileName + ": " +
              (Capture.First().empty() ? std::string("the document cannot be encoded")
                                       : Capture.First());
      return false;
    }
    Text.assign(reinterpret_cast<const char*>(Mem), static_cast<size_t>(Size));
    xmlFree(Mem);
  }
  return WriteFileAtomically(FileName, Text, Error);
}

}  // namespace vdx::xml
