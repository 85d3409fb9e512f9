// The C++ runtime's error paths for a program built without exceptions.
//
// The standard library's containers and strings report misuse and lack of
// memory by throwing, through the std::__throw_* functions and operator new.
// Their library versions bring in the whole unwinder, the exception
// classes and the terminate handler's demangler, about 150 KB, for a program
// that can never catch anything. These versions end the program instead,
// which is what an uncaught exception would do.
#include <windows.h>

#include <cstddef>
#include <cstdlib>
#include <new>

namespace {

[[noreturn]] void Stop() {
  // Nothing is safe to do any more: no message, no clean-up.
  ::ExitProcess(3);
}

}  // namespace

void* operator new(std::size_t size) {
  void* memory = std::malloc(size != 0 ? size : 1);
  if (memory == nullptr) {
    Stop();
  }
  return memory;
}
void* operator new[](std::size_t size) { return ::operator new(size); }
// The tag the nothrow forms are called with. The library's definition sits
// in an object that brings unwind tables along, the only ones left in the
// program; a definition here keeps that object out.
namespace std {
const nothrow_t nothrow{};
}  // namespace std

// The nothrow forms answer null instead, as their callers expect.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return std::malloc(size != 0 ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return std::malloc(size != 0 ? size : 1);
}
void operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }

// A pure virtual function called during construction or destruction.
extern "C" void __cxa_pure_virtual() { Stop(); }

// The set that libstdc++ defines in one object (functexcept.o): all of them
// or none, or the linker finds two of some.
namespace std {
void __throw_bad_exception() { Stop(); }
void __throw_bad_alloc() { Stop(); }
void __throw_bad_array_new_length() { Stop(); }
void __throw_bad_cast() { Stop(); }
void __throw_bad_typeid() { Stop(); }
void __throw_logic_error(const char*) { Stop(); }
void __throw_domain_error(const char*) { Stop(); }
void __throw_invalid_argument(const char*) { Stop(); }
void __throw_length_error(const char*) { Stop(); }
void __throw_out_of_range(const char*) { Stop(); }
void __throw_out_of_range_fmt(const char*, ...) { Stop(); }
void __throw_runtime_error(const char*) { Stop(); }
void __throw_range_error(const char*) { Stop(); }
void __throw_overflow_error(const char*) { Stop(); }
void __throw_underflow_error(const char*) { Stop(); }
// std::function called empty; an object of its own in libstdc++.
void __throw_bad_function_call() { Stop(); }
}  // namespace std
