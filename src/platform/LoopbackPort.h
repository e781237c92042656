#pragma once

// A TCP port on 127.0.0.1 that nothing listens on at the moment of asking; 0 when none is found.
// Another program may take it before the caller does: callers retry when listening fails.
int unusedLoopbackPort();
