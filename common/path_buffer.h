// The size of every path buffer of the launcher, with the terminating zero.
#pragma once

constexpr int kPathBufferSize = 260;
