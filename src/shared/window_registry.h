#pragma once

#include <QPointer>
#include <QWidget>
#include <map>
#include <typeindex>

namespace corvane::shared {

// One default instance per window class: the first reference creates the window,
// later ones get the same instance until it is destroyed (a window that closes
// with WA_DeleteOnClose, or one unloaded here). Windows reach each other's public
// procedures and variables through it.
class WindowRegistry {
 public:
  template <class T>
  T& Get() {
    QPointer<QWidget>& slot = windows_[std::type_index(typeid(T))];
    if (!slot) slot = new T();
    return *static_cast<T*>(slot.data());
  }

  // The loaded instance, or nullptr; never creates one.
  template <class T>
  T* Find() const {
    auto it = windows_.find(std::type_index(typeid(T)));
    return it == windows_.end() ? nullptr : static_cast<T*>(it->second.data());
  }

  template <class T>
  void Unload() {
    auto it = windows_.find(std::type_index(typeid(T)));
    if (it == windows_.end()) return;
    delete it->second.data();
    windows_.erase(it);
  }

  void UnloadAll() {
    for (auto& [type, w] : windows_) delete w.data();
    windows_.clear();
  }

 private:
  std::map<std::type_index, QPointer<QWidget>> windows_;
};

}  // namespace corvane::shared
