#pragma once
// Takes the window events already waiting, without waiting for more, and
// hands none of the user's input among them to any control: clicks, keys,
// wheel turns and close requests queued while a long handler blocked the
// window are dropped.
// Timer ticks among them are dropped through the busy count; paints and the
// window system's own events are handled as usual.

// Returns how many input events were dropped.
int drop_pending_input(int& busy);
