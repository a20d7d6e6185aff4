// A small list of named on/off switches kept in memory only (every start begins with the
// states the owner adds), edited in the hidden "Options" dialog.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

namespace vdx::ui {

struct TOptionItem {
  QString Name;
  bool Enabled = false;
  int Id = 0;  // given by the list when the item is added; never reused within that list
};

class TApplOptions : public QObject {
 public:
  // Sender, the option's name, its index in the list and its Id.
  using TOptionStateChangedEvent =
      std::function<void(TApplOptions& Sender, const QString& Name, int Index, int Id)>;

  // Owner: the window the dialog is centred on; may be null.
  explicit TApplOptions(QWidget* Owner = nullptr);

  // Appends an option and returns its index.
  int AddOption(const QString& Name, bool Enabled = false);
  const std::vector<TOptionItem>& Options() const { return FOptions; }
  // Replaces the list with copies of the names and states; the copies get new Ids.
  void SetOptions(const std::vector<TOptionItem>& Options);
  // State of the first option of that name (exact); false when there is none.
  bool IsEnabled(const QString& Name) const;

  // Runs the "Options" dialog with one check box per option. Cancel changes nothing and gives
  // false. OK takes every changed check state in list order, raising OnOptionStateChanged
  // after each change, and gives true.
  bool EditOptions();

  TOptionStateChangedEvent OnOptionStateChanged;

 private:
  QPointer<QWidget> FOwner;
  std::vector<TOptionItem> FOptions;
  int FNextId = 0;
};

}  // namespace vdx::ui
