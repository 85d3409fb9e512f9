// A callback parameter that does not own what it calls: a pointer to the
// caller's callable and one function that invokes it. It costs far less
// code than std::function, which the runtime's size limit cannot afford.
//
// The callable must outlive the FunctionRef. Use it as a parameter, filled
// from the argument list, and never store one made from a temporary.
#pragma once

#include <cstddef>
#include <memory>
#include <type_traits>
#include <utility>

namespace base {

template <typename Signature>
class FunctionRef;

template <typename Result, typename... Args>
class FunctionRef<Result(Args...)> {
 public:
  FunctionRef() = default;
  FunctionRef(std::nullptr_t) {}  // NOLINT: stands for "no callback", like std::function

  template <typename Callable,
            typename = std::enable_if_t<!std::is_same_v<std::decay_t<Callable>, FunctionRef>>>
  FunctionRef(Callable&& callable)  // NOLINT: converts from any callable, like std::function
      : object_(const_cast<void*>(static_cast<const void*>(std::addressof(callable)))),
        invoke_([](void* object, Args... args) -> Result {
          return (*static_cast<std::remove_reference_t<Callable>*>(object))(
              std::forward<Args>(args)...);
        }) {}

  Result operator()(Args... args) const { return invoke_(object_, std::forward<Args>(args)...); }
  explicit operator bool() const { return invoke_ != nullptr; }

 private:
  void* object_ = nullptr;
  Result (*invoke_)(void*, Args...) = nullptr;
};

}  // namespace base
