#pragma once
// A turn for a screen reader before a long handler blocks the event loop.
//
// A screen reader asks the tool about a window that opens (its title, its
// controls, the one with the keyboard) before it says anything, and the tool
// answers only while its event loop runs. A transfer blocks the loop for
// each exchange (300 ms each while a device is silent), answering one
// question between two: the progress window would be closed before it was
// ever told. So the loop runs on for as long as a screen reader keeps
// asking, up to two seconds, and not at all when none listens. User input
// waits meanwhile.

void serve_screen_reader();
