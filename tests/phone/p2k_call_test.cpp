// Calls into the phone library through CallP2K. On 32-bit x86 the thunk must leave the stack
// exactly as it found it whether the callee pops its arguments (__stdcall) or not (__cdecl).
#include "phone/p2k_call.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace zv::p2k {
namespace {

// Where the first argument arrived, as seen by the callee (0 when it had none).
std::uintptr_t g_first_argument = 0;

int Cdecl0() { return 7; }
int Cdecl1(int a) {
  g_first_argument = reinterpret_cast<std::uintptr_t>(&a);
  return a + 1;
}
int Cdecl2(void* p, unsigned n) {
  g_first_argument = reinterpret_cast<std::uintptr_t>(&p);
  return static_cast<int>(static_cast<unsigned char*>(p)[n]) * 1000 + static_cast<int>(n);
}
int CdeclByte(char* text, unsigned char attribute) { return text[0] * 1000 + attribute; }

TEST(CallP2K, PassesArgumentsAsThePublishedTypesAndReturnsTheResult) {
  unsigned char bytes[4] = {1, 2, 3, 4};
  char name[] = "/a";
  EXPECT_EQ(CallP2K(&Cdecl0), 7);
  EXPECT_EQ(CallP2K(&Cdecl1, -5), -4);
  EXPECT_EQ(CallP2K(&Cdecl2, static_cast<void*>(bytes), 2), 3002);
  // The attribute is an unsigned char: only its low byte reaches the library.
  EXPECT_EQ(CallP2K(&CdeclByte, name, 0x101), '/' * 1000 + 1);
}

#if ZV_P2K_THUNK

int __stdcall Stdcall0() { return 70; }
int __stdcall Stdcall1(int a) {
  g_first_argument = reinterpret_cast<std::uintptr_t>(&a);
  return a * 3;
}
int __stdcall Stdcall2(int a, int b) {
  g_first_argument = reinterpret_cast<std::uintptr_t>(&a);
  return a * 100 + b;
}

struct Measured {
  int result;
  std::uint32_t esp_before;
  std::uint32_t esp_after;
};

// Calls zv_p2k_invoke as a __cdecl caller does (push, call, pop) and reads the stack pointer
// right before and right after, in one block so that the compiler cannot move it in between.
Measured Invoke(const void* fn, unsigned argc, const std::uint32_t* argv) {
  struct {
    const void* fn;
    unsigned argc;
    const std::uint32_t* argv;
  } call{fn, argc, argv};
  Measured m{};
  asm volatile(
      "movl %%esp, %%esi\n\t"
      "pushl 8(%[call])\n\t"
      "pushl 4(%[call])\n\t"
      "pushl 0(%[call])\n\t"
      "call _zv_p2k_invoke\n\t"
      "addl $12, %%esp\n\t"
      "movl %%esp, %%edi\n\t"
      : "=a"(m.result), "=&S"(m.esp_before), "=&D"(m.esp_after)
      : [call] "b"(&call)
      : "ecx", "edx", "memory", "cc");
  return m;
}

TEST(P2KThunk, BothConventionsWithZeroOneAndTwoArgumentsLeaveTheStackAsItWas) {
  struct Case {
    const char* what;
    const void* fn;
    unsigned argc;
    std::uint32_t args[2];
    int expected;
  };
  const Case cases[] = {
      {"stdcall, 0 arguments", reinterpret_cast<const void*>(&Stdcall0), 0, {}, 70},
      {"stdcall, 1 argument", reinterpret_cast<const void*>(&Stdcall1), 1, {14}, 42},
      {"stdcall, 2 arguments", reinterpret_cast<const void*>(&Stdcall2), 2, {5, 9}, 509},
      {"cdecl, 0 arguments", reinterpret_cast<const void*>(&Cdecl0), 0, {}, 7},
      {"cdecl, 1 argument", reinterpret_cast<const void*>(&Cdecl1), 1, {41}, 42},
      {"cdecl, 2 arguments", reinterpret_cast<const void*>(&Cdecl2), 2, {0, 0}, 0},
  };
  unsigned char bytes[4] = {9, 8, 7, 6};
  for (const Case& c : cases) {
    std::uint32_t args[2] = {c.args[0], c.args[1]};
    int expected = c.expected;
    if (c.fn == reinterpret_cast<const void*>(&Cdecl2)) {
      args[0] = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(bytes));
      args[1] = 3;
      expected = 6003;
    }
    g_first_argument = 0;
    // Many calls in a row: a thunk that left even 4 bytes behind would drift the stack.
    for (int i = 0; i < 1000; ++i) {
      const Measured m = Invoke(c.fn, c.argc, args);
      ASSERT_EQ(m.result, expected) << c.what;
      ASSERT_EQ(m.esp_after, m.esp_before) << c.what;
    }
    // The arguments start on a 16-byte boundary, as a callee built for it may assume.
    if (c.argc > 0) {
      EXPECT_EQ(g_first_argument % 16, 0u) << c.what;
    }
  }
}

TEST(P2KThunk, KeepsTheCallersRegistersAndLocals) {
  // A __stdcall callee reached through the thunk from ordinary code: the locals around the call
  // must come back untouched, and the loop count must hold.
  volatile int guard_before = 0x1234;
  int sum = 0;
  for (int i = 0; i < 100; ++i) {
    sum += CallP2K(reinterpret_cast<int (*)(int, int)>(reinterpret_cast<void*>(&Stdcall2)), i, 1);
  }
  volatile int guard_after = 0x5678;
  EXPECT_EQ(sum, 100 * 99 / 2 * 100 + 100);
  EXPECT_EQ(guard_before, 0x1234);
  EXPECT_EQ(guard_after, 0x5678);
}

#endif

}  // namespace
}  // namespace zv::p2k
