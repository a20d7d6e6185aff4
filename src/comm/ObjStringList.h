// An ordered list of (name, object) pairs. Names may repeat; look-up by name ignores letter
// case and finds the first match. An owning list frees its objects when entries go.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "comm/TextUtil.h"

namespace vdx {

template <class T>
class TBaseObjStringList {
 public:
  TBaseObjStringList() = default;
  TBaseObjStringList(const TBaseObjStringList&) = delete;
  TBaseObjStringList& operator=(const TBaseObjStringList&) = delete;
  virtual ~TBaseObjStringList() { TBaseObjStringList::Clear(); }

  bool OwnsObjects = true;

  virtual int Count() const { return static_cast<int>(FItems.size()); }
  virtual T* Objects(int I) const { return InRange(I) ? FItems[I].second : nullptr; }
  virtual std::string Names(int I) const { return InRange(I) ? FItems[I].first : std::string(); }
  // Replaces the object of entry I; the old object is not freed.
  virtual void SetObject(int I, T* Obj) {
    if (InRange(I)) FItems[I].second = Obj;
  }
  virtual void SetName(int I, const std::string& S) {
    if (InRange(I)) FItems[I].first = S;
  }
  virtual void Clear() {
    if (OwnsObjects)
      for (auto& Item : FItems) delete Item.second;
    FItems.clear();
  }
  virtual void Delete(int I) {
    if (!InRange(I)) return;
    if (OwnsObjects) delete FItems[I].second;
    FItems.erase(FItems.begin() + I);
  }
  virtual int IndexOf(const std::string& S) const {
    for (int I = 0; I < Count(); ++I)
      if (SameTextNoCase(FItems[I].first, S)) return I;
    return -1;
  }
  virtual int IndexOfObject(const T* Obj) const {
    for (int I = 0; I < Count(); ++I)
      if (FItems[I].second == Obj) return I;
    return -1;
  }

 protected:
  // Appends the pair and takes the object; returns its index.
  int AddPair(const std::string& Name, T* Obj) {
    FItems.emplace_back(Name, Obj);
    return Count() - 1;
  }

 private:
  bool InRange(int I) const { return I >= 0 && I < Count(); }
  std::vector<std::pair<std::string, T*>> FItems;
};

}  // namespace vdx
