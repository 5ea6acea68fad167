// The pickers' part of the string table: texts shown to the author exactly as here.
#pragma once

// The entries of the event graphic picker that stand for the three pages of upper-layer
// chips.
inline constexpr const char* SChipSetPages[] = {"*ChipSet 1", "*ChipSet 2", "*ChipSet 3"};
// The music picker's only button when it is opened just to listen.
inline constexpr const char* SListenOnlyCancel = "&Cancel";
