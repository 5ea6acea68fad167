// Work split over the cores this process may run on, for the few jobs that are big, pure
// and divisible by rows (converting a whole screen of pixels, say).
#pragma once

#include <functional>

// Cores this process may run on (its affinity), at least 1.
int UsableCores();
// Calls Work(first, end) over bands of [0, Rows) that together cover it once: on this
// thread alone when the rows are fewer than twice MinRowsPerBand, else on up to four
// threads, this one among them. Returns when every band is done. Work must not touch
// anything that another band touches, and must not throw.
void ForEachRowBand(int rows, int minRowsPerBand, const std::function<void(int, int)>& work);
