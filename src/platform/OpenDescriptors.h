#pragma once

// Whether any process this user can see, this one included, holds a
// descriptor of the file that `fd` names, other than `fd` itself. Processes
// whose descriptors this user may not read are not seen; without /proc
// nothing is.
bool IsOpenElsewhere(int fd);
