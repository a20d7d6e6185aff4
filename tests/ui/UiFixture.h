// What the window tests share: a private settings folder, answered message boxes and file
// dialogs, a virtual module on a pseudo-terminal listed as a port, and the settings file read
// back with exact section and key names.
#pragma once

#include <QDir>
#include <QFile>
#include <QMap>
#include <QStringList>
#include <QTemporaryDir>
#include <QtTest>
#include <deque>
#include <string>
#include <vector>

#include "app/ApplIni.h"
#include "app/ui/FileDialogs.h"
#include "app/ui/MessageService.h"
#include "comm/SerialPortList.h"
#include "sim/ModuleSim.h"

namespace vdx::testing {

// The settings folder ("appdata") points into a fresh temporary folder while this lives.
class TPrivateSettings {
 public:
  TPrivateSettings() { qputenv("appdata", FDir.path().toLocal8Bit()); }
  ~TPrivateSettings() { qunsetenv("appdata"); }
  QString Folder() const { return FDir.path() + QStringLiteral("/Xavo"); }
  QString IniPath() const {
    return Folder() + QLatin1Char('/') + QString::fromStdString(TApplIni::RunningExecutableName()) +
           QStringLiteral(".ini");
  }
  QString Root() const { return FDir.path(); }

 private:
  QTemporaryDir FDir;
};

// The settings file as written: section -> key -> value, names compared exactly.
inline QMap<QString, QMap<QString, QString>> ReadIniExact(const QString& Path) {
  QMap<QString, QMap<QString, QString>> Sections;
  QFile File(Path);
  if (!File.open(QIODevice::ReadOnly)) return Sections;
  QString Section;
  for (const QByteArray& Raw : File.readAll().split('\n')) {
    const QString Line = QString::fromLatin1(Raw).trimmed();
    if (Line.startsWith(QLatin1Char('[')) && Line.endsWith(QLatin1Char(']')))
      Section = Line.mid(1, Line.size() - 2);
    else if (const qsizetype Eq = Line.indexOf(QLatin1Char('=')); Eq > 0)
      Sections[Section][Line.left(Eq)] = Line.mid(Eq + 1);
  }
  return Sections;
}

// Records every message box and answers it.
class TMessageLog {
 public:
  struct TEntry {
    ui::TMessageKind Kind;
    QString Text;
    ui::TMessageButtons Buttons;
  };

  TMessageLog() {
    FPrevious = ui::SetMessageHandler(
        [this](ui::TMessageKind Kind, const QString& Text, ui::TMessageButtons Buttons) {
          Entries.push_back({Kind, Text, Buttons});
          if (Answers.empty()) return QMessageBox::Ok;
          const QMessageBox::StandardButton Answer = Answers.front();
          Answers.pop_front();
          return Answer;
        });
  }
  ~TMessageLog() { ui::SetMessageHandler(FPrevious); }

  QStringList Texts() const {
    QStringList Result;
    for (const auto& E : Entries) Result << E.Text;
    return Result;
  }
  void Clear() { Entries.clear(); }

  std::vector<TEntry> Entries;
  // Answers for the next boxes, in order; OK when none is left.
  std::deque<QMessageBox::StandardButton> Answers;

 private:
  ui::TMessageHandler FPrevious;
};

// Answers file dialogs with the given names (empty: cancelled) and keeps the requests.
class TFileDialogLog {
 public:
  TFileDialogLog() {
    FPrevious = ui::SetFileDialogHandler([this](const ui::TFileDialogRequest& Request) {
      Requests.push_back(Request);
      if (Answers.empty()) return QString();
      const QString Answer = Answers.front();
      Answers.pop_front();
      return Answer;
    });
  }
  ~TFileDialogLog() { ui::SetFileDialogHandler(FPrevious); }

  std::vector<ui::TFileDialogRequest> Requests;
  std::deque<QString> Answers;

 private:
  ui::TFileDialogHandler FPrevious;
};

// A virtual module listed as a port ("COMn") for as long as this lives.
class TSimPort {
 public:
  explicit TSimPort(sim::TSimOptions Options = {}) : Module(std::move(Options)) {
    std::string Error;
    Started = Module.Start(Error);
    if (!Started) qWarning("virtual module: %s", Error.c_str());
    ComName = QString::fromStdString(AddTransientPort(Module.SlavePath()));
  }
  ~TSimPort() { RemoveTransientPort(Module.SlavePath()); }

  // The command lines the module heard, as text.
  QStringList Heard() const {
    QStringList Lines;
    for (const auto& Line : Module.ReceivedCommands()) Lines << QString::fromLatin1(Line);
    return Lines;
  }

  sim::TModuleSim Module;
  QString ComName;
  bool Started = false;
};

}  // namespace vdx::testing
