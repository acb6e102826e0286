// The library keeps only its occupied places: an empty one and one of 1,000 macros must each
// stay small, however many of the 216,000 places the tree could hold.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <new>
#include <random>
#include <string>

#include "macro/macro_library.h"
#include "macro/macro_library_file.h"
#include "macro/macro_library_rules.h"

namespace {

std::atomic<size_t> g_liveBytes{0};
std::atomic<size_t> g_peakBytes{0};

// Each block carries its size in front, kept at the alignment operator new promises.
constexpr size_t kHeader = alignof(std::max_align_t);

void* CountedAllocate(size_t size) {
    auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
    if (block == nullptr) throw std::bad_alloc();
    *reinterpret_cast<size_t*>(block) = size;
    const size_t live = g_liveBytes += size;
    size_t peak = g_peakBytes.load();
    while (live > peak && !g_peakBytes.compare_exchange_weak(peak, live)) {
    }
    return block + kHeader;
}

void CountedFree(void* pointer) {
    if (pointer == nullptr) return;
    auto* block = static_cast<unsigned char*>(pointer) - kHeader;
    g_liveBytes -= *reinterpret_cast<size_t*>(block);
    std::free(block);
}

}  // namespace

void* operator new(size_t size) { return CountedAllocate(size); }
void* operator new[](size_t size) { return CountedAllocate(size); }
void operator delete(void* pointer) noexcept { CountedFree(pointer); }
void operator delete[](void* pointer) noexcept { CountedFree(pointer); }
void operator delete(void* pointer, size_t) noexcept { CountedFree(pointer); }
void operator delete[](void* pointer, size_t) noexcept { CountedFree(pointer); }

namespace ostrel {
namespace {

constexpr size_t kMegabyte = 1024 * 1024;
constexpr size_t kEmptyLimit = 1 * kMegabyte;
constexpr size_t kThousandLimit = 8 * kMegabyte;
constexpr int kMacros = 1000;
constexpr int kMacrosPerFolder = 50;

void Report(const char* what, size_t bytes) {
    std::printf("[ heap     ] %s: %zu bytes (%.2f MB)\n", what, bytes, double(bytes) / kMegabyte);
    testing::Test::RecordProperty(what, std::to_string(bytes));
}

// 1,000 macros made by the add rule, 50 in each of 20 top-level folders, every action used.
void FillWithMacros(MacroLibrary& library) {
    for (int f = 0; f < kMacros / kMacrosPerFolder; ++f) {
        library.selection = MacroLocation::Nothing();
        const EditReport folder =
            AddFolder(library, u"Folder " + std::u16string(1, char16_t(u'A' + f)));
        ASSERT_TRUE(folder.done());
        for (int m = 0; m < kMacrosPerFolder; ++m) {
            library.selection = folder.location;
            ASSERT_TRUE(AddMacro(library, u"Macro number " +
                                              std::u16string(1, char16_t(u'0' + m / 10)) +
                                              std::u16string(1, char16_t(u'0' + m % 10)))
                            .done());
            MacroRecord* macro = library.CurrentMacro();
            for (size_t i = 0; i < kMaxMacroActions; ++i) {
                InsertAction(*macro, i,
                             i % 2 ? MakeDelayAction(20) : MakeKeyAction(0x41, i % 4 == 2));
            }
            macro->eventCount = kMaxMacroEvents;
        }
    }
}

TEST(MacroMemoryTest, EmptyLibraryTakesAlmostNothing) {
    const size_t before = g_liveBytes;
    auto library = std::make_unique<MacroLibrary>();
    const size_t used = g_liveBytes - before;
    Report("empty library", used);
    EXPECT_LE(used, kEmptyLimit);
    // Looking places up and adding one item must not make the tree allocate its rows.
    EXPECT_EQ(library->At({2, 59, 59, 59}), nullptr);
    EXPECT_FALSE(library->FindMacro(5).has_value());
    ASSERT_TRUE(AddMacro(*library, u"One").done());
    EXPECT_LE(g_liveBytes - before, kEmptyLimit);
}

TEST(MacroMemoryTest, ThousandMacrosStayWithinAFewMegabytes) {
    const size_t before = g_liveBytes;
    auto library = std::make_unique<MacroLibrary>();
    FillWithMacros(*library);
    ASSERT_EQ(library->Size(), size_t(kMacros + kMacros / kMacrosPerFolder));
    const size_t built = g_liveBytes - before;
    Report("1000 macros, built", built);
    EXPECT_LE(built, kThousandLimit);

    // The same library read back from its file holds no more than that.
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() /
        ("ostrel-memory-" + std::to_string(std::random_device{}()) + ".mlf");
    ASSERT_TRUE(SaveMacroLibrary(file, *library, MacroLocation::Nothing()));
    const size_t beforeLoad = g_liveBytes;
    g_peakBytes = beforeLoad;
    auto loaded = std::make_unique<MacroLibrary>();
    const MacroLoadResult result = LoadMacroLibrary(file, *loaded);
    std::filesystem::remove(file);
    ASSERT_EQ(result.outcome, MacroLoad::Complete) << result.problem;
    const size_t kept = g_liveBytes - beforeLoad;
    Report("1000 macros, loaded", kept);
    Report("1000 macros, peak while loading", g_peakBytes - beforeLoad);
    EXPECT_LE(kept, kThousandLimit);
    library->selection = MacroLocation::Nothing();
    EXPECT_EQ(*loaded, *library);
}

}  // namespace
}  // namespace ostrel
