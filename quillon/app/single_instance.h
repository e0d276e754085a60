// One running window per user: the first start holds a lock named after the
// program's instance title; a start that finds it held by a live process
// does not open a window.
#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace quillon {

class SingleInstance {
 public:
  // Tries to take the lock `name` in the user's runtime folder.
  explicit SingleInstance(const QString& name);
  bool IsFirst() const { return first_; }

 private:
  std::unique_ptr<QLockFile> lock_;
  bool first_ = false;
};

}  // namespace quillon
