// Replaces the global allocator to count allocations, so it is its own program and is left out
// of sanitizer builds, whose allocators must not be replaced.
#include <cstdlib>
#include <new>
#include <string>

#include <gtest/gtest.h>

#include "state_probe.h"

namespace {
int allocations = 0;
}

void* operator new(std::size_t size)
{
    ++allocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace quadrell {
namespace {

using testing_support::CountingState;

template <typename Action>
int AllocationsDuring(Action action)
{
    const int before = allocations;
    action();
    return allocations - before;
}

TEST(CascadeAllocations, NoneOnceTheStateExists)
{
    WindowState state;
    BindHandlers(state, NumberFormat{});
    EXPECT_EQ(AllocationsDuring([&] { state.userEditsText1("2"); }), 0);
    EXPECT_EQ(AllocationsDuring([&] { state.userEditsText1("25"); }), 0);
    EXPECT_EQ(AllocationsDuring([&] { state.userEditsText1("255"); }), 0);
    EXPECT_EQ(AllocationsDuring([&] { state.userEditsText1("999"); }), 0);
    EXPECT_EQ(AllocationsDuring([&] { state.userEditsText2("3"); }), 0);
    EXPECT_EQ(AllocationsDuring([&] { state.userClicksBox(4); }), 0);
    EXPECT_EQ(AllocationsDuring([&] { state.userClicksCommand1(); }), 0);
}

TEST(CascadeAllocations, CounterSeesAllocations)
{
    // Guards the test above: a counter that saw nothing would pass it trivially.
    EXPECT_GT(AllocationsDuring([] {
        std::string text(100, 'x');
        volatile char sink = text[50];
        (void)sink;
    }), 0);
}

}  // namespace
}  // namespace quadrell
