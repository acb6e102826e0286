#pragma once

#include <filesystem>

#include "device/device_link.h"
#include "device/link_window.h"
#include "device/scheduler.h"
#include "device/sync_engine.h"
#include "device/virtual_mouse.h"
#include "profile/config_store.h"
#include "profile/language.h"

namespace ostrel::fuzzing {

class InstantScheduler : public Scheduler {
public:
    void StartTimer(int, uint32_t) override {}
    void KillTimer(int) override {}
    void Sleep(uint32_t ms) override { now += ms; }
    uint32_t TickCount() const override { return now; }
    uint32_t now = 0;
};


// The device side against a virtual mouse with its feature interface open. The data folder
// cannot be created, so the saves a sensor change makes fail quietly and nothing is written.
struct FuzzDevice {
    FuzzDevice()
        : config("/proc/ostrel-fuzz-nowhere", language),
          mouse([this] { return scheduler.now; }),
          link(mouse, scheduler, config, library, language, window),
          engine(link, config, scheduler, window) {
        config.appSettings = DefaultAppSettings("/proc/ostrel-fuzz-nowhere");
        config.BuildDpiStepTable();
        link.windowActive = true;
        for (const HidInterfaceInfo& info : mouse.Enumerate()) {
            if (info.productId == kProductWired && info.featureReportLength != 0) {
                link.wiredHandle = mouse.Open(info.path);
            }
        }
    }

    LanguageTable language;
    ConfigStore config;
    MacroLibrary library;
    InstantScheduler scheduler;
    NullLinkWindow window;
    VirtualMouse mouse;
    DeviceLink link;
    SyncEngine engine;
};

}  // namespace ostrel::fuzzing
