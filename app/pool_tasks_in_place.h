// Qt's painter hands the pieces of a long line, a tall gradient or a large conversion to
// its global thread pool and waits for them. Handed over from the thread that paints the
// windows, each piece costs a wake-up of an idle core that outweighs the pixels it draws;
// the tool bars and scroll bars of the main window took several times longer to paint than
// on one core. So this program runs the pieces that thread hands over in place, one after
// another; those from other threads still go to the pool.
//
// It does so by defining QThreadPool::start(std::function<void()>, int) itself, which the
// dynamic linker then binds Qt's own calls to; the pool's definition serves the other
// threads. The definition is linked into the program (and its tests), not a library.
#pragma once

// Pieces handed to the pool from the painting thread and run in place so far.
int PoolTasksRunInPlace();
