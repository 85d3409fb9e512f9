// Force-included into every object of the Windows builds (see
// cmake/project_options.cmake); no source includes it.
//
// libstdc++'s inline code passes a text to each std::__throw_* call it makes
// ("basic_string::_M_create", ...), and Windows objects cannot share equal
// texts at link time: each object keeps its own copies, about 3 KB in the
// runtime. The programs that ship end at such a call without showing the
// text (entry/no_exceptions.cpp), so every text becomes the empty one.
// The library marks these texts for translation with __N, which is what is
// redefined here; it is defined once, in <bits/c++config.h>. As a system
// header, so that the texts that are also printf formats (for
// std::__throw_out_of_range_fmt) are not reported as empty formats.
#pragma once
#pragma GCC system_header

#include <bits/c++config.h>

#undef __N
#define __N(msgid) ""
