// A call by which a lower layer reaches an upper one that it may not include: the map
// editor opening the event editor, the main window opening the database window. The lower
// layer declares the hook; the program installs every one by an explicit call in the one
// place where it is put together (app/composition.cpp). Each hook lists itself while it
// exists, so a test can find one that the composition left empty.
#pragma once

#include <functional>
#include <utility>
#include <vector>

class THookBase {
public:
  explicit THookBase(const char* name);
  virtual ~THookBase();
  THookBase(const THookBase&) = delete;
  THookBase& operator=(const THookBase&) = delete;

  const char* Name() const { return name_; }
  virtual bool Installed() const = 0;

private:
  const char* name_;
};

// Every hook that exists now, in the order they were made.
std::vector<const THookBase*> DeclaredHooks();

template <class Signature> class THook;

template <class R, class... Args> class THook<R(Args...)> final : public THookBase {
public:
  using Function = std::function<R(Args...)>;

  explicit THook(const char* name) : THookBase(name) {}

  bool Installed() const override { return static_cast<bool>(function_); }
  explicit operator bool() const { return Installed(); }
  // Installs Function (an empty one removes the hook).
  template <class F> THook& operator=(F&& function) {
    function_ = std::forward<F>(function);
    return *this;
  }
  R operator()(Args... args) const { return function_(std::forward<Args>(args)...); }

private:
  Function function_;
};
