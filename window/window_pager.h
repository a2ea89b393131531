// The window pager's own wait, beside the paging operations of pager.h.
#pragma once

// Blocks until a key is pressed or the window is closed. Key releases,
// mouse and window events are consumed and ignored; an uncovered window is
// repainted from the page as shown. If SDL reports an event error it prints
// one line and exits with status 1.
void wait_key_or_quit();
