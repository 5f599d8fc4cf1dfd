#pragma once
// Calling an export of the phone library whatever its calling convention.
//
// On 32-bit x86 (ZV_P2K_THUNK) the arguments go to zv_p2k_invoke, a few lines of assembly that
// save the stack pointer in a callee-saved register before the call and restore it afterwards.
// A __stdcall library pops its arguments itself and a __cdecl one leaves them: after the thunk
// the stack is the same in both cases, so a wrong guess can never corrupt the caller's frame.
// Everywhere else there is one convention and the call is a plain indirect call.
#include <cstdint>
#include <type_traits>

#if defined(__i386__)
#define ZV_P2K_THUNK 1
#else
#define ZV_P2K_THUNK 0
#endif

#if ZV_P2K_THUNK
extern "C" int zv_p2k_invoke(const void* fn, unsigned argc, const std::uint32_t* argv);
#endif

namespace zv::p2k {

#if ZV_P2K_THUNK
// One argument as the 4-byte stack word that both conventions push for it.
template <typename T>
std::uint32_t StackWord(T value) {
  static_assert(sizeof(T) <= 4, "every argument of the phone library fits one stack word");
  if constexpr (std::is_pointer_v<T>) {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(value));
  } else {
    return static_cast<std::uint32_t>(value);
  }
}
#endif

// Calls fn with args converted to the parameter types of its published signature.
template <typename... P, typename... A>
int CallP2K(int (*fn)(P...), A... args) {
  static_assert(sizeof...(P) == sizeof...(A), "argument count of the published signature");
#if ZV_P2K_THUNK
  const std::uint32_t words[sizeof...(P) + 1] = {StackWord(static_cast<P>(args))..., 0};
  return zv_p2k_invoke(reinterpret_cast<const void*>(fn), sizeof...(P), words);
#else
  return fn(static_cast<P>(args)...);
#endif
}

}  // namespace zv::p2k
