// The commands with no window at all: each replaces what it was handed with one line of
// its code, without parameters, and remembers nothing.
#include "events/command_families.h"
#include "framework/forms/form_registry.h"

namespace {

using TFormEvCmd10840 = TFormEvCmdNoWindow<10840>;
using TFormEvCmd11340 = TFormEvCmdNoWindow<11340>;
using TFormEvCmd11350 = TFormEvCmdNoWindow<11350>;
using TFormEvCmd11530 = TFormEvCmdNoWindow<11530>;
using TFormEvCmd11540 = TFormEvCmdNoWindow<11540>;
using TFormEvCmd11910 = TFormEvCmdNoWindow<11910>;
using TFormEvCmd11950 = TFormEvCmdNoWindow<11950>;
using TFormEvCmd12220 = TFormEvCmdNoWindow<12220>;
using TFormEvCmd12310 = TFormEvCmdNoWindow<12310>;
using TFormEvCmd12320 = TFormEvCmdNoWindow<12320>;
using TFormEvCmd12420 = TFormEvCmdNoWindow<12420>;
using TFormEvCmd12510 = TFormEvCmdNoWindow<12510>;
using TFormEvCmd13410 = TFormEvCmdNoWindow<13410>;
VELMORA_REGISTER_FORM(TFormEvCmd10840, TFormGroup::Command, 10840);
VELMORA_REGISTER_FORM(TFormEvCmd11340, TFormGroup::Command, 11340);
VELMORA_REGISTER_FORM(TFormEvCmd11350, TFormGroup::Command, 11350);
VELMORA_REGISTER_FORM(TFormEvCmd11530, TFormGroup::Command, 11530);
VELMORA_REGISTER_FORM(TFormEvCmd11540, TFormGroup::Command, 11540);
VELMORA_REGISTER_FORM(TFormEvCmd11910, TFormGroup::Command, 11910);
VELMORA_REGISTER_FORM(TFormEvCmd11950, TFormGroup::Command, 11950);
VELMORA_REGISTER_FORM(TFormEvCmd12220, TFormGroup::Command, 12220);
VELMORA_REGISTER_FORM(TFormEvCmd12310, TFormGroup::Command, 12310);
VELMORA_REGISTER_FORM(TFormEvCmd12320, TFormGroup::Command, 12320);
VELMORA_REGISTER_FORM(TFormEvCmd12420, TFormGroup::Command, 12420);
VELMORA_REGISTER_FORM(TFormEvCmd12510, TFormGroup::Command, 12510);
VELMORA_REGISTER_FORM(TFormEvCmd13410, TFormGroup::Command, 13410);

} // namespace
