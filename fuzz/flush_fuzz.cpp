// Any profile and any macros go through a flush into the virtual mouse without a crash and
// without a frame that breaks the rules of the wire: the mouse's decoder accepts exactly what
// the program may send.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_device.h"
#include "profile/settings_table.h"

namespace {

using namespace ostrel;

template <class Array>
void FillBytes(FuzzedDataProvider& input, Array& array) {
    for (auto& value : array) value = input.ConsumeIntegral<typename Array::value_type>();
}

MacroRecord ArbitraryMacro(FuzzedDataProvider& input) {
    MacroRecord macro;
    macro.name = u"m";
    macro.actionCount = input.ConsumeIntegralInRange<uint32_t>(0, kMaxMacroActions);
    for (size_t j = 0; j < macro.actionCount; ++j) FillBytes(input, macro.actions[j]);
    macro.loopMode = input.ConsumeIntegral<uint8_t>();
    macro.loopCount = input.ConsumeIntegral<uint8_t>();
    macro.eventCount = input.ConsumeIntegral<uint8_t>();
    return macro;
}

void ArbitraryProfile(FuzzedDataProvider& input, ProfileRecord& record, MacroLibrary& library) {
    for (SettingEntry& setting : record.settings) {
        setting.value = std::u16string(input.ConsumeBool() ? u"-" : u"") +
                        std::u16string(1, char16_t(u'0' + input.ConsumeIntegralInRange(0, 9))) +
                        std::u16string(1, char16_t(u'0' + input.ConsumeIntegralInRange(0, 9)));
    }
    for (KeySlot& key : record.keys) {
        FillBytes(input, key.code);
        if (input.ConsumeBool()) key.code[0] = kCodeMacro;
        key.MacroKeyIndex = input.ConsumeIntegralInRange<uint32_t>(0, 9);
        key.macro = ArbitraryMacro(input);
    }
    FillBytes(input, record.PollingRateValue);
    FillBytes(input, record.Lighting1ModeValue);
    if (input.ConsumeBool()) record.Lighting1ModeValue[0] %= kEffectCount;
    FillBytes(input, record.Lighting1Speed);
    FillBytes(input, record.Lighting1Brightness);
    for (auto& group : record.Lighting1ColorSelected) {
        for (auto& selected : group) selected = input.ConsumeIntegralInRange<uint8_t>(0, 2);
    }
    for (auto& group : record.Lighting1FixedColor) {
        for (auto& color : group) color = input.ConsumeIntegral<ColorValue>();
    }
    FillBytes(input, record.Lighting1Direction);
    record.DPIOffOnFlagValue = input.ConsumeIntegral<uint8_t>();
    FillBytes(input, record.XYSetting);
    record.CurrentDPILevelValue = input.ConsumeIntegral<uint8_t>();
    for (auto& color : record.DPILevelIndication) color = input.ConsumeIntegral<ColorValue>();
    const size_t macros = input.ConsumeIntegralInRange<size_t>(0, 8);
    for (size_t n = 0; n < macros; ++n) {
        MacroRecord macro = ArbitraryMacro(input);
        macro.identifier = static_cast<uint32_t>(n);
        library.Place(MacroLocation::Top(static_cast<int32_t>(n)), MacroItem::Macro(macro));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    fuzzing::FuzzDevice device;
    device.config.SetCurrentProfile(0);
    device.link.SeedShadows();
    ArbitraryProfile(input, device.config.profiles[1], device.library);
    device.link.macroManagerOpened = input.ConsumeBool();
    device.config.SetCurrentProfile(1);
    device.engine.changeFlags = kChangeAll;
    device.engine.FlushChanges();
    if (!device.mouse.Violations().empty()) __builtin_trap();
    return 0;
}
