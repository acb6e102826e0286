// The CPU cost of one flush, pauses excluded (the scheduler's sleeps return at once) and the
// transport a sink, so that only the program's own work is measured.
#include <benchmark/benchmark.h>

#include "device/device_link.h"
#include "device/link_window.h"
#include "device/scheduler.h"
#include "device/sync_engine.h"
#include "macro/macro_record.h"
#include "profile/config_store.h"
#include "profile/language.h"

namespace {

using namespace ostrel;

class SinkTransport : public HidTransport {
public:
    std::vector<HidInterfaceInfo> Enumerate() override { return {}; }
    HidHandle Open(const std::string&) override { return {1}; }
    bool SetFeature(HidHandle, std::span<const uint8_t> report) override {
        benchmark::DoNotOptimize(report.data());
        ++frames;
        return true;
    }
    size_t frames = 0;
    bool GetFeature(HidHandle, std::span<uint8_t>) override { return false; }
    int Read(HidHandle, std::span<uint8_t>, int) override { return -1; }
    void Close(HidHandle) override {}
};

class InstantScheduler : public Scheduler {
public:
    void StartTimer(int, uint32_t) override {}
    void KillTimer(int) override {}
    void Sleep(uint32_t) override {}
    uint32_t TickCount() const override { return 0; }
};


struct Bench {
    Bench() : config("/proc/ostrel-bench-nowhere", language), link(transport, scheduler, config, library, language, window),
              engine(link, config, scheduler, window) {
        config.appSettings = DefaultAppSettings("/proc/ostrel-bench-nowhere");
        for (size_t slot = 0; slot < kProfileCount; ++slot) config.ResetProfileToDefaults(slot);
        config.BuildDpiStepTable();
        link.windowActive = true;
        link.wiredHandle = {1};
        link.SeedShadows();
    }

    // A macro of 168 key events with a delay after each, bound to button 2.
    void BindFullMacro() {
        MacroRecord macro;
        macro.name = u"full";
        for (size_t e = 0; e < kMaxMacroEvents; ++e) {
            InsertAction(macro, macro.actionCount, MakeKeyAction(0x41, e % 2 == 1));
            InsertAction(macro, macro.actionCount, MakeDelayAction(20));
        }
        macro.eventCount = kMaxMacroEvents;
        library.Place(MacroLocation::Top(0), MacroItem::Macro(macro));
        KeySlot& key = config.CurrentRecord().keys[2];
        key.code = {kCodeMacro, 0, 0};
        key.MacroKeyIndex = 0;
        CopyMacro(key.macro, macro);
    }

    LanguageTable language;
    ConfigStore config;
    MacroLibrary library;
    SinkTransport transport;
    InstantScheduler scheduler;
    NullLinkWindow window;
    DeviceLink link;
    SyncEngine engine;
};

void FlushThatSendsNothing(benchmark::State& state) {
    Bench bench;
    for (auto _ : state) {
        bench.engine.changeFlags = kChangeAll;
        bench.engine.FlushChanges();
    }
    state.counters["frames"] =
        benchmark::Counter(double(bench.transport.frames), benchmark::Counter::kAvgIterations);
}
BENCHMARK(FlushThatSendsNothing);

void FlushThatUploadsAFullMacro(benchmark::State& state) {
    Bench bench;
    bench.BindFullMacro();
    MacroAction& firstDelay = bench.config.CurrentRecord().keys[2].macro.actions[1];
    for (auto _ : state) {
        // A different first delay each time, so that every flush uploads all 21 packets.
        firstDelay = MakeDelayAction(firstDelay[3] == 20 ? 21 : 20);
        bench.engine.FlushChanges();
    }
    state.counters["frames"] =
        benchmark::Counter(double(bench.transport.frames), benchmark::Counter::kAvgIterations);
}
BENCHMARK(FlushThatUploadsAFullMacro);

}  // namespace
